// The producer window: the game's name, a logo, the version and the maker's credits.
#include "ui/splash_window.h"
#include "session/app_info.h"
#include "ui/twips.h"
#include "ui/window_look.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>
#include <QVBoxLayout>
#include <qdrawutil.h>

#include <QCoreApplication>

namespace ui {

namespace {

constexpr int kTicksShown = 30;
constexpr int kTickMilliseconds = 20;
// The fixed dialog border: a raised edge of two lines and one line of the window's face.
constexpr int kBorder = 3;

// The maker's credits.
QString smallPrintText()
{
    return QCoreApplication::translate(
        "frmSplash", "Distribuito solo agli abitanti dell'Isola di Tolva e ai loro amici");
}
QString maker()
{
    return QCoreApplication::translate("frmSplash", "Tolvagiochi presenta");
}
const QString kPlatform = QStringLiteral("PC/MAC/PLAYSTATION");
const QString kRights = QStringLiteral("© 2002-2004 Tolvagiochi");
const QString kCompany = QStringLiteral("Tolvagiochi, Isola di Tolva");
QString notice()
{
    return QCoreApplication::translate(
        "frmSplash", "Nessun tolviano è stato maltrattato per fare questo gioco.");
}

QFont arial(qreal points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& place,
                  Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

// A label sized to its text keeps its top; a right-aligned one keeps its right edge, so the
// right-aligned lines stay in one column whatever their length.
void sizeToText(QLabel* label)
{
    const QRect place = label->geometry();
    const QSize size = label->sizeHint();
    if (label->alignment() & Qt::AlignRight) {
        label->setGeometry(place.right() + 1 - size.width(), place.top(), size.width(),
                           size.height());
    } else {
        label->setGeometry(place.left(), place.top(), size.width(), size.height());
    }
}

// One ring of the border: the top and left lines in one colour, the bottom and right lines,
// which take the corners they share, in the other.
void drawRing(QPainter& painter, const QRect& ring, const QColor& topLeft,
              const QColor& bottomRight)
{
    painter.fillRect(ring.left(), ring.top(), ring.width() - 1, 1, topLeft);
    painter.fillRect(ring.left(), ring.top(), 1, ring.height() - 1, topLeft);
    painter.fillRect(ring.left(), ring.bottom(), ring.width(), 1, bottomRight);
    painter.fillRect(ring.right(), ring.top(), 1, ring.height(), bottomRight);
}

// The 32 x 32 bar chart, stretched by its label like the original small picture.
QPixmap logoPicture()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    QSvgRenderer renderer(QStringLiteral(":/art/splash_logo.svg"));
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(0, 0, 32, 32));
    }
    return QPixmap::fromImage(image);
}

} // namespace

bool SplashCounter::tick()
{
    ++m_ticks;
    if (m_ticks == kTicksShown) {
        m_ticks = 0;
        return true;
    }
    return false;
}

SplashFrame::SplashFrame(std::function<void()> clicked, QWidget* parent)
    : QFrame(parent), m_clicked(std::move(clicked))
{
}

bool SplashFrame::onSurface(const QPointF& position) const
{
    const QPoint point = position.toPoint();
    // A click on a label or the picture reaches the frame only because they pass it on.
    return rect().contains(point) && childAt(point) == nullptr;
}

void SplashFrame::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton && onSurface(event->position());
    event->accept();
}

void SplashFrame::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && onSurface(event->position());
    m_pressed = false;
    event->accept();
    if (click && m_clicked) {
        m_clicked();
    }
}

void SplashFrame::paintEvent(QPaintEvent*)
{
    // The sunken line around the surface, its shaded side in the mark colour, which shows on
    // any face.
    QPainter painter(this);
    QPalette shades = palette();
    shades.setColor(QPalette::Dark, markColour(shades));
    qDrawShadeRect(&painter, frameRect(), shades, true, lineWidth(), midLineWidth());
}

frmSplash::frmSplash(SplashCounter& counter, std::function<void()> bringMainWindowBack,
                     QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), m_counter(counter),
      m_bringMainWindowBack(std::move(bringMainWindowBack))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window would not keep the program running; this one does while it is open, so
    // that it can bring back a main window that was closed meanwhile.
    setAttribute(Qt::WA_QuitOnClose, true);
    // The window itself takes every typed character: none of its controls takes the focus.
    setFocusPolicy(Qt::StrongFocus);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->resize(twips(7380), twips(4245));

    Frame1 = new SplashFrame([this] { Frame1_Click(); }, client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1->setGeometry(twipRect(150, 60, 7080, 4050));

    const QFont small = arial(8.25, false);
    QLabel* smallPrint = makeLabel(Frame1, QStringLiteral("lblSmallPrint"), smallPrintText(),
                                   twipRect(120, 240, 6855, 255), Qt::AlignRight);
    smallPrint->setFont(small);

    lblCompanyProduct = makeLabel(Frame1, QStringLiteral("lblCompanyProduct"), maker(),
                                  twipRect(2355, 705, 2280, 435), Qt::AlignLeft);
    lblCompanyProduct->setFont(arial(18, true));

    imgLogo = new QLabel(Frame1);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setGeometry(twipRect(360, 795, 1815, 2385));
    imgLogo->setScaledContents(true);
    imgLogo->setPixmap(logoPicture());

    lblProductName = makeLabel(Frame1, QStringLiteral("lblProductName"), QString(),
                               twipRect(2520, 1140, 3390, 765), Qt::AlignLeft);
    lblProductName->setFont(arial(32.25, true));

    lblPlatform = makeLabel(Frame1, QStringLiteral("lblPlatform"), kPlatform,
                            twipRect(3360, 2340, 3495, 360), Qt::AlignRight);
    lblPlatform->setFont(arial(15.75, true));

    lblVersion = makeLabel(Frame1, QStringLiteral("lblVersion"), QString(),
                           twipRect(5835, 2700, 1020, 285), Qt::AlignRight);
    lblVersion->setFont(arial(12, true));

    QLabel* rights = makeLabel(Frame1, QStringLiteral("lblCopyright"), kRights,
                               twipRect(4320, 3060, 2655, 255), Qt::AlignLeft);
    rights->setFont(small);
    lblCompany = makeLabel(Frame1, QStringLiteral("lblCompany"), kCompany,
                           twipRect(4320, 3280, 2655, 255), Qt::AlignLeft);
    lblCompany->setFont(small);

    Label1 = makeLabel(Frame1, QStringLiteral("Label1"), notice(), twipRect(240, 3720, 6255, 255),
                       Qt::AlignLeft);

    for (QWidget* child : Frame1->findChildren<QWidget*>()) {
        child->setFocusPolicy(Qt::NoFocus);
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);

    // The client area keeps its size; the window grows by the border drawn around it. On a
    // screen too small for the window the client area scrolls inside the border.
    auto* area = new ClientArea(
        client, this, client->size().grownBy(QMargins(kBorder, kBorder, kBorder, kBorder)),
        ClientArea::Sizing::Fixed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    layout->addWidget(area);

    Form_Load();

    placeOnScreen(this);
}

void frmSplash::Form_Load()
{
    lblVersion->setText(session::app::versionLine());
    lblProductName->setText(session::app::title());
    sizeToText(lblCompanyProduct);
    sizeToText(lblProductName);
    sizeToText(lblPlatform);
    sizeToText(lblVersion);
    Timer1->setInterval(kTickMilliseconds);
    // The timer runs for as long as the window is loaded.
    Timer1->start();
}

void frmSplash::Form_KeyPress(int keyAscii)
{
    Q_UNUSED(keyAscii);
    closeAndReturn();
}

void frmSplash::Frame1_Click()
{
    closeAndReturn();
}

void frmSplash::Timer1_Timer()
{
    if (m_closing) {
        return;
    }
    if (m_counter.tick()) {
        closeAndReturn();
    }
}

bool frmSplash::event(QEvent* event)
{
    // Every typed character, Enter, Esc and the space bar included; keys that type nothing
    // (arrows, function keys, Shift alone) give no text and are let through.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->text().isEmpty()) {
            Form_KeyPress(key->text().at(0).unicode());
            return true;
        }
    }
    return QWidget::event(event);
}

void frmSplash::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void frmSplash::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // The window has no title bar and asks the window system for no edge, so it draws the
    // raised edge of a fixed dialog itself: the same under every window manager.
    QPainter painter(this);
    const QPalette& colours = palette();
    const QRect outer = rect();
    drawRing(painter, outer, colours.color(QPalette::Midlight), colours.color(QPalette::Shadow));
    drawRing(painter, outer.adjusted(1, 1, -1, -1), colours.color(QPalette::Light),
             colours.color(QPalette::Dark));
    drawRing(painter, outer.adjusted(2, 2, -2, -2), colours.color(QPalette::Window),
             colours.color(QPalette::Window));
}

void frmSplash::closeEvent(QCloseEvent* event)
{
    Timer1->stop();
    m_closing = true;
    QWidget::closeEvent(event);
}

void frmSplash::closeAndReturn()
{
    if (m_closing) {
        return;
    }
    m_closing = true;
    Timer1->stop();
    // The main window is shown before this one closes, so the program never passes through a
    // moment with no window open, which would end it.
    const std::function<void()> bringBack = m_bringMainWindowBack;
    if (bringBack) {
        bringBack();
    }
    close();
}

} // namespace ui
