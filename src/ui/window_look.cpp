// The game's fixed colours, the opening places of its windows and the tooltips of clipped texts.
#include "ui/window_look.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTextDocument>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

double luminance(const QColor& colour)
{
    const auto linear = [](float value) {
        return value <= 0.03928f ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

// The style the game's windows are drawn with: the system's, with its faint marks made clear.
class GameStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        switch (element) {
        case PE_IndicatorRadioButton:
            drawOptionCircle(option, painter);
            return;
        case PE_IndicatorCheckBox:
        case PE_IndicatorItemViewItemCheck:
            drawCheckBox(option, painter);
            return;
        case PE_FrameLineEdit:
            drawEdge(option, painter, option->state.testFlag(State_HasFocus) ? 2 : 1);
            return;
        default:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        }
    }

    // A frame's line runs through the middle of its caption, broken where the caption stands, as
    // the classic frames are drawn; the caption is the style's own.
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override
    {
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control != CC_GroupBox || box == nullptr ||
            !box->subControls.testFlag(SC_GroupBoxFrame)) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        QStyleOptionGroupBox rest(*box);
        rest.subControls &= ~SC_GroupBoxFrame;
        QProxyStyle::drawComplexControl(control, &rest, painter, widget);
        QStyleOption frame(*box);
        QRegion open(box->rect);
        if (!box->text.isEmpty()) {
            const QRect caption =
                proxy()->subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget);
            frame.rect.setTop(caption.center().y());
            open -= caption.adjusted(-2, 0, 2, 0);
        }
        painter->save();
        painter->setClipRegion(open);
        drawEdge(&frame, painter, 1);
        painter->restore();
    }

private:
    // A circle in the mark colour on the field's colour, with a dot in the field's text colour
    // when chosen.
    static void drawOptionCircle(const QStyleOption* option, QPainter* painter)
    {
        const QPalette& colours = option->palette;
        const QRectF box(option->rect);
        const qreal side = std::min(box.width(), box.height()) - 2;
        const QRectF circle(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
        QColor field = colours.color(QPalette::Base);
        if (option->state.testFlag(State_Sunken)) {
            field =
                QColor::fromRgbF((field.redF() + colours.color(QPalette::Window).redF()) / 2,
                                 (field.greenF() + colours.color(QPalette::Window).greenF()) / 2,
                                 (field.blueF() + colours.color(QPalette::Window).blueF()) / 2);
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(markColour(colours), 1.5));
        painter->setBrush(field);
        painter->drawEllipse(circle.adjusted(0.75, 0.75, -0.75, -0.75));
        if (option->state.testFlag(State_On)) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(colours.color(QPalette::Text));
            painter->drawEllipse(circle.center(), side / 5, side / 5);
        }
        painter->restore();
    }

    // A square in the mark colour on the field's colour, ticked in the field's text colour when
    // checked, with a bar when partly checked (the ledger's check boxes and its list's items).
    static void drawCheckBox(const QStyleOption* option, QPainter* painter)
    {
        const QPalette& colours = option->palette;
        const QRectF box(option->rect);
        const qreal side = std::min(box.width(), box.height()) - 2;
        const QRectF square(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(markColour(colours), 1.5));
        painter->setBrush(colours.color(option->state.testFlag(State_Enabled) ? QPalette::Active
                                                                              : QPalette::Disabled,
                                        QPalette::Base));
        painter->drawRect(square.adjusted(0.75, 0.75, -0.75, -0.75));
        QPen ink(colours.color(QPalette::Text), std::max<qreal>(1.5, side / 7));
        ink.setCapStyle(Qt::RoundCap);
        ink.setJoinStyle(Qt::RoundJoin);
        painter->setPen(ink);
        painter->setBrush(Qt::NoBrush);
        const auto at = [&square](qreal x, qreal y) {
            return QPointF(square.left() + square.width() * x, square.top() + square.height() * y);
        };
        if (option->state.testFlag(State_On)) {
            painter->drawPolyline(QPolygonF{at(0.22, 0.52), at(0.42, 0.72), at(0.78, 0.30)});
        } else if (option->state.testFlag(State_NoChange)) {
            painter->drawLine(at(0.25, 0.5), at(0.75, 0.5));
        }
        painter->restore();
    }

    // A plain edge of `width` pixels in the mark colour just inside the rectangle.
    static void drawEdge(const QStyleOption* option, QPainter* painter, int width)
    {
        const QColor mark = markColour(option->palette);
        const QRect r = option->rect;
        painter->fillRect(r.left(), r.top(), r.width(), width, mark);
        painter->fillRect(r.left(), r.bottom() + 1 - width, r.width(), width, mark);
        painter->fillRect(r.left(), r.top(), width, r.height(), mark);
        painter->fillRect(r.right() + 1 - width, r.top(), width, r.height(), mark);
    }
};

} // namespace

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor markColour(const QPalette& palette)
{
    const QColor face = palette.color(QPalette::Window).toRgb();
    const QColor ink = palette.color(QPalette::WindowText).toRgb();
    // From the face toward the ink, in twentieths, until the line stands out clearly.
    for (int step = 1; step < 20; ++step) {
        const double t = step / 20.0;
        const QColor mixed =
            QColor::fromRgbF(float(face.redF() + (ink.redF() - face.redF()) * t),
                             float(face.greenF() + (ink.greenF() - face.greenF()) * t),
                             float(face.blueF() + (ink.blueF() - face.blueF()) * t));
        if (contrast(mixed, face) >= 4.5) {
            return mixed;
        }
    }
    return ink;
}

void useGameStyle()
{
    // The proxy takes over the style in use (the system's, or the one -style named).
    QApplication::setStyle(new GameStyle(QStyleFactory::create(QApplication::style()->name())));
}

QPalette gamePalette()
{
    // Built from the face alone: dark text on light fields, with every group resolved, so no
    // role falls back to the system's scheme.
    QPalette palette(kGameFace);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, kGameInk);
        palette.setColor(group, QPalette::ButtonText, kGameInk);
        palette.setColor(group, QPalette::Text, kGameInk);
    }
    return palette;
}

void useGameInk(QWidget* widget)
{
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::WindowText, kGameInk);
        palette.setColor(group, QPalette::ButtonText, kGameInk);
    }
    widget->setPalette(palette);
}

QRect fitInside(QRect frame, const QRect& available)
{
    // Right and bottom first, so that where both cannot hold the top-left corner wins.
    frame.moveLeft(std::min(frame.left(), available.right() + 1 - frame.width()));
    frame.moveTop(std::min(frame.top(), available.bottom() + 1 - frame.height()));
    frame.moveLeft(std::max(frame.left(), available.left()));
    frame.moveTop(std::max(frame.top(), available.top()));
    return frame;
}

QRect openingFrame(QSize clientSize, const QMargins& margins, const QRect& screen,
                   const QRect& available, std::optional<QPoint> clientAt)
{
    QRect frame(QPoint(0, 0), clientSize.grownBy(margins));
    if (clientAt) {
        frame.moveTopLeft(screen.topLeft() + *clientAt - QPoint(margins.left(), margins.top()));
    } else {
        const QPoint half((frame.width() - 1) / 2, (frame.height() - 1) / 2);
        frame.moveTopLeft(available.center() - half);
    }
    return fitInside(frame, available);
}

void placeOnScreen(QWidget* window, std::optional<QPoint> clientAt)
{
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    const QMargins margins(inner.left() - outer.left(), inner.top() - outer.top(),
                           outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QRect frame = openingFrame(inner.size(), margins, screen->geometry(),
                                     screen->availableGeometry(), clientAt);
    if (clientAt) {
        // The window's place is its client area's; where the frame is not known yet the system
        // adds it around that place.
        window->setGeometry(
            QRect(frame.topLeft() + QPoint(margins.left(), margins.top()), inner.size()));
    } else {
        // A top-level window's position is its frame's, so the title bar lands on the screen
        // even where the system has not yet said how tall it is.
        window->move(frame.topLeft());
    }
}

ClientArea::ClientArea(QWidget* client, QWidget* window, QSize windowSize, Sizing sizing)
    : QScrollArea(window), m_window(window), m_windowSize(windowSize), m_clientSize(client->size()),
      m_sizing(sizing)
{
    setObjectName(QStringLiteral("clientArea"));
    setFrameShape(QFrame::NoFrame);
    // The window's own focus order stays as it was: the area takes no stop of its own.
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setWidget(client);
    window->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (m_scrolls && now != nullptr && widget()->isAncestorOf(now)) {
            bringIntoView(now);
        }
    });
    fit();
}

void ClientArea::bringIntoView(const QWidget* control)
{
    // The whole control with a little room around it, not only its text cursor as
    // ensureWidgetVisible() would show of an entry.
    const QRect place(control->mapTo(widget(), QPoint(0, 0)), control->size());
    ensureVisible(place.center().x(), place.center().y(), place.width() / 2 + 4,
                  place.height() / 2 + 4);
}

QMargins ClientArea::frameMargins() const
{
    const QRect outer = m_window->frameGeometry();
    const QRect inner = m_window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void ClientArea::fit()
{
    const QScreen* screen = m_window->screen();
    if (screen == nullptr) {
        return;
    }
    const QSize room = screen->availableGeometry().size().shrunkBy(m_frame);
    const bool fits =
        m_windowSize.width() <= room.width() && m_windowSize.height() <= room.height();
    QSize size = m_windowSize;
    if (!fits) {
        // A scroll bar along one side takes room from the other, which may then need one too.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        bool across = m_windowSize.width() > room.width();
        bool down = m_windowSize.height() > room.height();
        across = across || (down && m_windowSize.width() + bar > room.width());
        down = down || (across && m_windowSize.height() + bar > room.height());
        size = QSize(std::min(m_windowSize.width() + (down ? bar : 0), room.width()),
                     std::min(m_windowSize.height() + (across ? bar : 0), room.height()));
    }
    m_scrolls = !fits;
    // Where it fits, the client follows the window as the window's own surface would; where it
    // does not, it keeps its designed size and the area scrolls over it.
    widget()->setMinimumSize(fits ? QSize(0, 0) : m_clientSize);
    const Qt::ScrollBarPolicy bars = fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    setHorizontalScrollBarPolicy(bars);
    setVerticalScrollBarPolicy(bars);
    if (m_sizing == Sizing::Fixed) {
        m_window->setFixedSize(size);
    } else {
        m_window->resize(size);
    }
}

void ClientArea::followScreen()
{
    QWindow* handle = m_window->windowHandle();
    if (handle == nullptr || m_screen == handle->screen()) {
        return;
    }
    if (m_screen != nullptr) {
        disconnect(m_screen, nullptr, this, nullptr);
    }
    m_screen = handle->screen();
    if (m_screen != nullptr) {
        connect(m_screen, &QScreen::availableGeometryChanged, this, &ClientArea::fit);
    }
}

bool ClientArea::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Show:
            if (QWindow* handle = m_window->windowHandle(); handle != nullptr && !m_handle) {
                m_handle = handle;
                connect(handle, &QWindow::screenChanged, this, [this] {
                    followScreen();
                    fit();
                });
            }
            followScreen();
            m_frame = frameMargins();
            fit();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            // The frame is told once the window is on the screen: the room it leaves changes, and
            // the window takes its place again the first time only, never after the player has
            // moved it.
            if (m_window->isVisible() && frameMargins() != m_frame) {
                const bool firstTold = m_frame.isNull();
                m_frame = frameMargins();
                fit();
                if (firstTold && m_place) {
                    m_place();
                }
            }
            break;
        default:
            break;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

QString wholeTextTip(const QString& text)
{
    if (text.isEmpty()) {
        return {};
    }
    // As rich text that keeps every blank and never wraps, so that what a file holds is shown
    // exactly, markup characters included.
    return Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}

} // namespace ui
