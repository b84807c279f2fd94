// The Hall of Fame window.
#include "ui/hall_of_fame_window.h"

#include "ui/artwork.h"

#include <QLabel>

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
} // namespace

QString hallOfFameLines(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

Form2::Form2(Session& session, QWidget* parent)
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
    setFixedSize(twips(4680), twips(3195));

    Label1 = new QLabel(heading(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twips(240), twips(120), twips(3855), twips(375));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setFont(designFont(fonts::kCopperplateBold, 14.25, QFont::Bold));
    Label1->setAccessibleName(heading());

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(twips(120), twips(600), twips(4455), twips(2415));
    Label2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Label2->setLineWidth(1);
    // A winner's name is shown as typed, never taken as markup.
    Label2->setTextFormat(Qt::PlainText);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2->setWordWrap(true);
    Label2->setFont(designFont(fonts::kTimes, 11.25, QFont::Bold));
    Label2->setAccessibleName(QCoreApplication::translate("Form2", "Vincitori"));

    Form_Load();
}

void Form2::Form_Load()
{
    Label2->setText(hallOfFameLines(m_session.hallOfFameText()));
}

} // namespace ui
