// The about box, and its button that starts the system-information tool.
#include "ui/about_window.h"
#include "session/app_info.h"
#include "ui/twips.h"
#include "ui/window_look.h"

#include "platform/sys_info.h"

#include <QFile>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <QCoreApplication>

namespace ui {

namespace {

const QString kAppTitle = session::app::title();

const QString kIconFile = QStringLiteral(":/art/app_icon.svg");
QString description()
{
    return QCoreApplication::translate("frmAbout", "Un gioco di borsa di Tolvagiochi");
}
const QString kRights = QStringLiteral("© 2002-2004 Tolvagiochi, Isola di Tolva");
QString disclaimer()
{
    return QCoreApplication::translate(
        "frmAbout",
        "Avviso: non adatto ai bambini sotto i 36 mesi. Se durante il gioco siete connessi ad "
        "internet o LAN locale potreste perdere realmente i vostri soldi che saranno devoluti al "
        "buon milanese");
}
QString sysInfoUnavailable()
{
    return QCoreApplication::translate(
        "frmAbout", "Le informazioni sul sistema non sono disponibili in questa fase");
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QRect& place)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// One stroke of the etched separator.
QWidget* makeLine(QWidget* parent, const QString& name, const QRect& place, const QColor& colour)
{
    auto* line = new QWidget(parent);
    line->setObjectName(name);
    line->setGeometry(place);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    line->setAutoFillBackground(true);
    return line;
}

// The application icon at 32 x 32; an empty picture when the artwork is not there.
QPixmap iconPicture()
{
    if (!QFile::exists(kIconFile)) {
        return {};
    }
    QSvgRenderer renderer(kIconFile);
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, 32, 32));
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

frmAbout::frmAbout(platform::Dialogs& dialogs, platform::Registry& registry,
                   platform::ProgramRunner& runner, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_dialogs(dialogs), m_registry(registry), m_runner(runner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window would not keep the program running; the about box does while it is open.
    setAttribute(Qt::WA_QuitOnClose, true);
    setModal(false);
    // The box's own small default font, so that the disclaimer fits its four lines.
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    setFont(font);
    setSizeGripEnabled(false);
    // Black labels on the light face with its etched separator, whatever the system's scheme.
    setPalette(gamePalette());
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->resize(twips(5730), twips(3555));

    picIcon = new QLabel(client);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(twipRect(240, 240, 540, 540));
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setLineWidth(2);
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setFocusPolicy(Qt::StrongFocus);
    const QPixmap icon = iconPicture();
    picIcon->setPixmap(icon);
    if (!icon.isNull()) {
        setWindowIcon(QIcon(icon));
    }

    lblTitle = makeLabel(client, QStringLiteral("lblTitle"), twipRect(1080, 240, 3885, 480));
    lblVersion = makeLabel(client, QStringLiteral("lblVersion"), twipRect(1080, 780, 3885, 225));
    lblDescription =
        makeLabel(client, QStringLiteral("lblDescription"), twipRect(1080, 1125, 3885, 210));
    lblDescription->setText(description());
    Label1 = makeLabel(client, QStringLiteral("Label1"), twipRect(1080, 1440, 4335, 255));
    Label1->setText(kRights);

    // A grey stroke with a white one just below it: an etched line across the box.
    makeLine(client, QStringLiteral("Line1(1)"),
             QRect(twips(90), twips(2445), twips(5654) - twips(90) + 1, 1),
             QColor(0x80, 0x80, 0x80));
    makeLine(client, QStringLiteral("Line1(0)"),
             QRect(twips(105), twips(2460), twips(5654) - twips(105) + 1, 2), Qt::white);

    lblDisclaimer =
        makeLabel(client, QStringLiteral("lblDisclaimer"), twipRect(255, 2625, 3870, 825));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setText(disclaimer());

    cmdOK = new QPushButton(QStringLiteral("OK"), client);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipRect(4245, 2625, 1260, 345));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), client);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(twipRect(4260, 3075, 1245, 345));
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    setTabOrder(cmdOK, picIcon);
    setTabOrder(picIcon, cmdSysInfo);

    // The client area's top-left corner at its fixed place on the screen, moved inside the
    // screen's free area where a small screen or a task bar would hide part of the box; on a
    // screen too small for the box its client area scrolls.
    auto* area = new ClientArea(client, this, client->size(), ClientArea::Sizing::Fixed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    const auto place = [this] { placeOnScreen(this, twipPoint(2340, 1935)); };
    area->setPlacement(place);
    place();
    cmdOK->setFocus();

    Form_Load();
}

void frmAbout::Form_Load()
{
    setWindowTitle(tr("Informazioni su %1 %2.%3")
                       .arg(kAppTitle)
                       .arg(session::app::kVersionMajor)
                       .arg(session::app::kVersionMinor));
    lblVersion->setText(session::app::versionLine());
    lblTitle->setText(kAppTitle);
}

// Esc, the close box and "OK" all end here: QDialog turns them into a close, and the box
// deletes itself.
void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    if (!platform::StartSysInfo(m_registry, m_runner)) {
        m_dialogs.messageFrom(this, sysInfoUnavailable(), kAppTitle);
    }
}

} // namespace ui
