// The real message boxes while windows of the game come and go: over which window a box opens,
// where the focus goes after it, and that the program lives while any window is open.
#include "fakes/fake_random.h"
#include "fakes/memory_store.h"
#include "platform/dialogs.h"
#include "platform/fake_registry.h"
#include "records/autosave.h"
#include "ui/about_window.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kSysInfoUnavailable =
    QStringLiteral("Le informazioni sul sistema non sono disponibili in questa fase");

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

template <typename Window> Window* openWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget);
            window != nullptr && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// Answers the real box once it is open: `look` sees it, then OK is pressed. A box that never
// opens fails the test instead of hanging it.
void whenBoxOpens(std::function<void(QMessageBox*)> look, int triesLeft = 200)
{
    QTimer::singleShot(0, [look = std::move(look), triesLeft]() mutable {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            look(box);
            box->button(QMessageBox::Ok)->click();
            return;
        }
        if (triesLeft > 0) {
            whenBoxOpens(std::move(look), triesLeft - 1);
        } else {
            ADD_FAILURE() << "no box opened";
        }
    });
}

class WindowBoxesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& file :
             records::autosaveFiles(game::startingState(), records::WriteOrder::DataFirst)) {
            store.put(file.name, file.bytes);
        }
        seams.registry = &registry; // empty: "System Info..." always tells it is unavailable
        seams.runner = &runner;
    }

    void TearDown() override
    {
        loader.reset();
        flushDeletes();
    }

    // Runs the program's event loop with `script` as its first event, as main() does, and
    // tells whether the program ended by itself (its last window closed).
    bool runProgram(const std::function<void()>& script)
    {
        QTimer watchdog;
        watchdog.setSingleShot(true);
        watchdog.callOnTimeout([] { QCoreApplication::exit(1); });
        watchdog.start(20000);
        QTimer::singleShot(0, script);
        const int code = QApplication::exec();
        watchdog.stop();
        return code == 0;
    }

    fakes::MemoryStore store;
    platform::QtDialogs boxes;
    fakes::FakeRandom random;
    ui::Session session{store, boxes, random};
    fakes::FakeRegistry registry;
    fakes::FakeRunner runner;
    ui::Form1::Seams seams;
    std::unique_ptr<ui::MainWindowLoader> loader;
    int lastWindowClosed = 0;
};

TEST_F(WindowBoxesTest, SystemInfoAfterTheMainWindowClosedOpensOverTheAboutBox)
{
    loader = std::make_unique<ui::MainWindowLoader>(session, seams, &boxes);
    QObject counting;
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, &counting,
                     [this] { ++lastWindowClosed; });
    QPointer<ui::frmAbout> about;
    bool told = false;
    const bool ended = runProgram([&] {
        loader->show().infoprogr_Click();
        about = openWindow<ui::frmAbout>();
        ASSERT_NE(about, nullptr);
        // The main window's close box: the about box stays, and so does the program.
        loader->window()->close();
        flushDeletes();
        ASSERT_EQ(loader->window(), nullptr);

        whenBoxOpens([&](QMessageBox* box) {
            told = box->text() == kSysInfoUnavailable;
            EXPECT_EQ(box->parentWidget(), about.data());
        });
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")),
                          Qt::LeftButton);
        EXPECT_TRUE(told);
        EXPECT_EQ(lastWindowClosed, 0);
        ASSERT_FALSE(about.isNull());
        EXPECT_TRUE(about->isVisible());
        about->close(); // the last window: the program ends
    });
    EXPECT_TRUE(ended);
    EXPECT_TRUE(told);
    EXPECT_EQ(lastWindowClosed, 1);
}

TEST_F(WindowBoxesTest, AMainWindowBroughtBackWithDamagedFilesTellsItOverALiveWindow)
{
    loader = std::make_unique<ui::MainWindowLoader>(session, seams, &boxes);
    bool told = false;
    const bool ended = runProgram([&] {
        loader->show().infoproduttor_Click();
        QPointer<ui::frmSplash> splash = openWindow<ui::frmSplash>();
        ASSERT_NE(splash, nullptr);
        loader->window()->close();
        flushDeletes();
        ASSERT_EQ(loader->window(), nullptr);

        // The files are damaged meanwhile: the main window that comes back says so.
        store.put("Data4", "\"755\"\r\n\"molto\"\r\n");
        whenBoxOpens([&](QMessageBox* box) {
            told = box->text().contains(QStringLiteral("\"Data4\""));
            ASSERT_NE(box->parentWidget(), nullptr);
            EXPECT_TRUE(box->parentWidget()->isVisible());
        });
        splash->Frame1_Click();
        flushDeletes();
        EXPECT_TRUE(told);
        EXPECT_TRUE(splash.isNull());
        ASSERT_NE(loader->window(), nullptr);
        EXPECT_TRUE(loader->window()->isVisible());

        // Its own boxes open over it.
        whenBoxOpens([&](QMessageBox* box) { EXPECT_EQ(box->parentWidget(), loader->window()); });
        loader->window()->salva_Click();
        loader->window()->close();
    });
    EXPECT_TRUE(ended);
    EXPECT_TRUE(told);
}

TEST_F(WindowBoxesTest, TheFocusGoesBackToTheAboutBoxAfterItsBox)
{
    loader = std::make_unique<ui::MainWindowLoader>(session, seams, &boxes);
    ui::Form1& form = loader->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.infoprogr_Click();
    QPointer<ui::frmAbout> about = openWindow<ui::frmAbout>();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(about.data()));

    bool told = false;
    whenBoxOpens([&](QMessageBox*) { told = true; });
    auto* sysInfo = about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    EXPECT_TRUE(told);
    EXPECT_TRUE(QTest::qWaitForWindowActive(about.data()));
    EXPECT_EQ(QApplication::activeWindow(), about.data());
    EXPECT_EQ(QApplication::focusWidget(), sysInfo);

    // Its box closed, the main window's boxes give the focus back to the main window.
    whenBoxOpens([](QMessageBox*) {});
    form.carica_Click();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::activeWindow(), &form);
}

} // namespace
