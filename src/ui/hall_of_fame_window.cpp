// The Hall of Fame window.
#include "ui/hall_of_fame_window.h"

#include "ui/artwork.h"
#include "ui/window_look.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

#include <QCoreApplication>

namespace ui {

namespace {
QString title()
{
    return QCoreApplication::translate("Form2", "Top 10 of Tolv Street");
}
QString heading()
{
    return QCoreApplication::translate("Form2", "Hall of Fame:");
}
QString winners()
{
    return QCoreApplication::translate("Form2", "Vincitori");
}
} // namespace

QString hallOfFameLines(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

// ---- The list of winners ----

WinnersList::WinnersList(QWidget* parent)
    : QLabel(parent), m_scrollBar(new QScrollBar(Qt::Vertical, this))
{
    m_scrollBar->setObjectName(QStringLiteral("scrollBar"));
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this] { update(); });
}

void WinnersList::setList(const QString& text)
{
    setText(text);
    m_scrollBar->setValue(0);
    updateScrolling();
}

int WinnersList::textFlags() const
{
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    return static_cast<int>(align) | (wordWrap() ? Qt::TextWordWrap : 0);
}

int WinnersList::topIndent() const
{
    // The label leaves half an "x" between its border and its first line.
    int indent = this->indent();
    if (indent < 0 && frameWidth() > 0) {
        indent = fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - margin();
    }
    return std::max(indent, 0);
}

QRect WinnersList::pageArea() const
{
    QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    if (!m_scrollBar->isHidden()) {
        area.setRight(m_scrollBar->geometry().left() - 1);
    }
    return area;
}

void WinnersList::updateScrolling()
{
    const QRect inside = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const auto neededHeight = [this](int width) {
        const QRect lines =
            fontMetrics().boundingRect(QRect(0, 0, width, 1 << 20), textFlags(), text());
        return topIndent() + lines.height();
    };
    if (neededHeight(inside.width()) <= inside.height()) {
        m_scrollBar->hide();
        m_scrollBar->setRange(0, 0);
        update();
        return;
    }
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scrollBar);
    m_scrollBar->setGeometry(inside.right() + 1 - barWidth, inside.top(), barWidth,
                             inside.height());
    // The last line keeps the same room below it as the first has above.
    const int needed = neededHeight(inside.width() - barWidth) + topIndent();
    m_scrollBar->setRange(0, needed - inside.height());
    m_scrollBar->setPageStep(inside.height());
    m_scrollBar->setSingleStep(fontMetrics().lineSpacing());
    m_scrollBar->show();
    update();
}

void WinnersList::paintEvent(QPaintEvent* event)
{
    if (m_scrollBar->isHidden()) {
        QLabel::paintEvent(event);
        return;
    }
    // The same lines the label draws, moved up by the scrolled distance.
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = pageArea();
    painter.setClipRect(area);
    const QRect page(area.left(), area.top() + topIndent() - m_scrollBar->value(), area.width(),
                     m_scrollBar->maximum() + area.height());
    style()->drawItemText(&painter, page, textFlags(), palette(), isEnabled(), text(),
                          foregroundRole());
}

void WinnersList::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    updateScrolling();
}

void WinnersList::wheelEvent(QWheelEvent* event)
{
    if (m_scrollBar->isHidden()) {
        QLabel::wheelEvent(event);
        return;
    }
    QCoreApplication::sendEvent(m_scrollBar, event);
}

void WinnersList::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateScrolling();
    }
}

// ---- The window ----

Form2::Form2(session::Session& session, QWidget* parent)
    // A tool window stays out of the task bar on every system; the fixed size and the hints
    // leave it a title and a close box only.
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_session(session)
{
    installFontSubstitutions();
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window would not keep the program running; this one does while it is open.
    setAttribute(Qt::WA_QuitOnClose, true);
    setWindowTitle(title());
    setWindowIcon(appIcon());
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->resize(twips(4680), twips(3195));

    Label1 = new QLabel(heading(), client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twips(240), twips(120), twips(3855), twips(375));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setFont(designFont(fonts::kCopperplateBold, 14.25, QFont::Bold));
    Label1->setAccessibleName(heading());

    Label2 = new WinnersList(client);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(twips(120), twips(600), twips(4455), twips(2415));
    Label2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Label2->setLineWidth(1);
    // A winner's name is shown as typed, never taken as markup.
    Label2->setTextFormat(Qt::PlainText);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2->setWordWrap(true);
    Label2->setFont(designFont(fonts::kTimes, 11.25, QFont::Bold));
    // No accessible name: it would replace the list, and a screen reader would hear only that.
    Label2->setAccessibleDescription(winners());

    // On a screen too small for the window its client area scrolls.
    auto* area = new ClientArea(client, this, client->size(), ClientArea::Sizing::Fixed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    area->setPlacement(
        [this] { move(fitInside(frameGeometry(), screen()->availableGeometry()).topLeft()); });

    Form_Load();
}

void Form2::Form_Load()
{
    Label2->setList(hallOfFameLines(m_session.hallOfFameText()));
}

void Form2::keyPressEvent(QKeyEvent* event)
{
    // Esc closes the window as its close box does; the other keys scroll a long list.
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Up:
        action = QAbstractSlider::SliderSingleStepSub;
        break;
    case Qt::Key_Down:
        action = QAbstractSlider::SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = QAbstractSlider::SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = QAbstractSlider::SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = QAbstractSlider::SliderToMinimum;
        break;
    case Qt::Key_End:
        action = QAbstractSlider::SliderToMaximum;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    Label2->scrollBar()->triggerAction(action);
}

} // namespace ui
