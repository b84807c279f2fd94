// The about box: its texts and layout, its keys, and the system-information button.
#include "ui/about_window.h"

#include "fakes/fake_dialogs.h"
#include "platform/fake_registry.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class AboutTest : public ::testing::Test {
protected:
    QPointer<ui::frmAbout> open()
    {
        auto* about = new ui::frmAbout(dialogs, registry, runner);
        about->show();
        return about;
    }

    static bool closed(const QPointer<ui::frmAbout>& about)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return about.isNull();
    }

    void TearDown() override
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<ui::frmAbout*>(widget) != nullptr) {
                delete widget;
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    fakes::FakeDialogs dialogs;
    fakes::FakeRegistry registry;
    fakes::FakeRunner runner;
};

TEST_F(AboutTest, TitleTextsAndLayout)
{
    QPointer<ui::frmAbout> about = open();
    EXPECT_EQ(about->windowTitle(), QStringLiteral("Informazioni su Tolv Street 1.4"));
    EXPECT_EQ(about->geometry(), QRect(156, 129, 382, 237));
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
    EXPECT_FALSE(about->isModal());
    const Qt::WindowFlags flags = about->windowFlags();
    EXPECT_EQ(about->windowType(), Qt::Tool);
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(about->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_TRUE(about->testAttribute(Qt::WA_QuitOnClose));

    struct Expected {
        const char* name;
        QRect place;
        QString text; // empty: the maker's own line, but not empty
    };
    const Expected labels[] = {
        {"lblTitle", {72, 16, 259, 32}, QStringLiteral("Tolv Street")},
        {"lblVersion", {72, 52, 259, 15}, QStringLiteral("Versione 1.4.29")},
        {"lblDescription", {72, 75, 259, 14}, {}},
        {"Label1", {72, 96, 289, 17}, {}},
        {"lblDisclaimer", {17, 175, 258, 55},
         QString::fromUtf8("Avviso: non adatto ai bambini sotto i 36 mesi. Se durante il gioco "
                           "siete connessi ad internet o LAN locale potreste perdere realmente "
                           "i vostri soldi che saranno devoluti al buon milanese")},
    };
    for (const Expected& e : labels) {
        SCOPED_TRACE(e.name);
        auto* label = about->findChild<QLabel*>(QString::fromLatin1(e.name));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->geometry(), e.place);
        if (e.text.isEmpty()) {
            EXPECT_FALSE(label->text().isEmpty());
        } else {
            EXPECT_EQ(label->text(), e.text);
        }
    }
    auto* disclaimer = about->findChild<QLabel*>(QStringLiteral("lblDisclaimer"));
    EXPECT_TRUE(disclaimer->wordWrap());
    // The whole warning is readable: it wraps within the label's height.
    EXPECT_LE(disclaimer->heightForWidth(disclaimer->width()), disclaimer->height());

    auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    auto* sysInfo = about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(sysInfo, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(ok->geometry(), QRect(283, 175, 84, 23));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(sysInfo->text(), QStringLiteral("&System Info..."));
    EXPECT_EQ(sysInfo->geometry(), QRect(284, 205, 83, 23));

    // The etched separator: grey above, white below.
    auto* grey = about->findChild<QWidget*>(QStringLiteral("Line1(1)"));
    auto* white = about->findChild<QWidget*>(QStringLiteral("Line1(0)"));
    ASSERT_NE(grey, nullptr);
    ASSERT_NE(white, nullptr);
    EXPECT_EQ(grey->geometry(), QRect(6, 163, 372, 1));
    EXPECT_EQ(white->geometry(), QRect(7, 164, 371, 2));
    const QImage shot = about->grab().toImage();
    EXPECT_EQ(shot.pixelColor(100, 163), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(shot.pixelColor(100, 164), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(100, 165), QColor(Qt::white));

    auto* icon = about->findChild<QLabel*>(QStringLiteral("picIcon"));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->geometry(), QRect(16, 16, 36, 36));
    if (QFile::exists(QStringLiteral(":/art/app_icon.svg"))) {
        EXPECT_EQ(icon->pixmap().size(), QSize(32, 32));
    }
}

TEST_F(AboutTest, FocusStartsOnOkAndTabsThroughIconAndSysInfo)
{
    QPointer<ui::frmAbout> about = open();
    QApplication::setActiveWindow(about.data());
    ASSERT_TRUE(QTest::qWaitForWindowActive(about.data()));
    const QStringList order = {"cmdOK", "picIcon", "cmdSysInfo", "cmdOK"};
    for (int i = 0; i < order.size(); ++i) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(focused->objectName(), order[i]) << i;
        QTest::keyClick(focused, Qt::Key_Tab);
    }
}

TEST_F(AboutTest, OkEnterAndEscCloseTheBox)
{
    const std::pair<const char*, Qt::Key> ways[] = {
        {"Enter", Qt::Key_Return}, {"keypad Enter", Qt::Key_Enter}, {"Esc", Qt::Key_Escape},
        {"OK", Qt::Key_unknown}};
    for (const auto& [name, key] : ways) {
        SCOPED_TRACE(name);
        QPointer<ui::frmAbout> about = open();
        auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        if (key == Qt::Key_unknown) {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else {
            // The key goes where the focus is, to the OK button.
            QTest::keyClick(ok, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        }
        EXPECT_TRUE(closed(about));
    }
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_TRUE(runner.attempted.empty());
}

TEST_F(AboutTest, SystemInfoStartsTheToolOrSaysItIsUnavailable)
{
    QPointer<ui::frmAbout> about = open();
    auto* sysInfo = about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));

    QTest::mouseClick(sysInfo, Qt::LeftButton);
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0],
              (fakes::Box{fakes::Box::Kind::Message,
                          QStringLiteral("Le informazioni sul sistema non sono disponibili in "
                                         "questa fase"),
                          QStringLiteral("Tolv Street")}));
    EXPECT_TRUE(runner.started.empty());
    EXPECT_FALSE(closed(about));

    // The button can be pressed again, and now the tool is there.
    registry.setText("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", "C:\\msinfo32.exe");
    runner.startable.insert("C:\\msinfo32.exe");
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    EXPECT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(runner.started, std::vector<std::string>{"C:\\msinfo32.exe"});
    EXPECT_FALSE(closed(about));
    EXPECT_EQ(registry.openCount(), 0u);
}

} // namespace
