// The real message boxes while windows of the game come and go: over which window a box opens,
// where the focus goes after it, and that the program lives while any window is open.
#include "fakes/fake_random.h"
#include "fakes/memory_store.h"
#include "platform/widgets/qt_dialogs.h"
#include "platform/fake_registry.h"
#include "records/autosave.h"
#include "session/saver.h"
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

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

template <typename Window> QPointer<Window> openWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget);
            window != nullptr && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// Presses OK on the real box once it is open, after `look` has seen it.
void whenBoxOpens(std::function<void(QMessageBox*)> look)
{
    QTimer::singleShot(0, [look = std::move(look)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << "no box opened";
        look(box);
        box->button(QMessageBox::Ok)->click();
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
        seams.registry = &registry; // empty: "System Info..." always says it is unavailable
        seams.runner = &runner;
        loader = std::make_unique<ui::MainWindowLoader>(session, seams, &boxes);
    }

    void TearDown() override
    {
        loader.reset();
        flushDeletes();
    }

    // Runs the program's event loop with `script` as its first event, as main() does; true
    // when the program ended by itself, its last window closed.
    static bool runProgram(const std::function<void()>& script)
    {
        QTimer watchdog;
        watchdog.callOnTimeout([] { QCoreApplication::exit(1); });
        watchdog.start(20000);
        QTimer::singleShot(0, script);
        return QApplication::exec() == 0;
    }

    fakes::MemoryStore store;
    platform::QtDialogs boxes;
    fakes::FakeRandom random;
    session::Saver saver{store, boxes, session::Saver::Run::ByHand};
    session::Session session{store, boxes, random, saver};
    fakes::FakeRegistry registry;
    fakes::FakeRunner runner;
    ui::Form1::Seams seams;
    std::unique_ptr<ui::MainWindowLoader> loader;
};

TEST_F(WindowBoxesTest, SystemInfoTellsOverTheAboutBoxGivesItTheFocusBackAndTheProgramLivesOn)
{
    int boxesSeen = 0;
    int lastWindowClosed = 0;
    QObject counting;
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, &counting,
                     [&lastWindowClosed] { ++lastWindowClosed; });
    const bool ended = runProgram([&] {
        ui::Form1& form = loader->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.infoprogr_Click();
        QPointer<ui::frmAbout> about = openWindow<ui::frmAbout>();
        ASSERT_TRUE(about && QTest::qWaitForWindowActive(about.data()));
        auto* sysInfo = about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
        const auto pressSysInfo = [&] {
            whenBoxOpens([&](QMessageBox* box) {
                ++boxesSeen;
                EXPECT_EQ(box->parentWidget(), about.data());
            });
            QTest::mouseClick(sysInfo, Qt::LeftButton);
            EXPECT_TRUE(QTest::qWaitForWindowActive(about.data()));
            EXPECT_EQ(QApplication::focusWidget(), sysInfo);
        };
        pressSysInfo();

        // The main window's close box: the about box stays, and so does the program.
        form.close();
        flushDeletes();
        ASSERT_EQ(loader->window(), nullptr);
        pressSysInfo();
        EXPECT_EQ(lastWindowClosed, 0);
        ASSERT_FALSE(about.isNull());
        about->close(); // the last window: the program ends
    });
    EXPECT_TRUE(ended);
    EXPECT_EQ(lastWindowClosed, 1);
    EXPECT_EQ(boxesSeen, 2);
}

TEST_F(WindowBoxesTest, AMainWindowBroughtBackWithDamagedFilesTellsItOverALiveWindow)
{
    bool told = false;
    const bool ended = runProgram([&] {
        loader->show().infoproduttor_Click();
        QPointer<ui::frmSplash> splash = openWindow<ui::frmSplash>();
        ASSERT_NE(splash, nullptr);
        loader->window()->close();
        flushDeletes();

        // The files are damaged meanwhile: the main window that comes back says so.
        store.put("Data4", "\"755\"\r\n\"molto\"\r\n");
        whenBoxOpens([&](QMessageBox* box) {
            told = box->text().contains(QStringLiteral("\"Data4\""));
            ASSERT_NE(box->parentWidget(), nullptr);
            EXPECT_TRUE(box->parentWidget()->isVisible());
        });
        splash->Frame1_Click();
        flushDeletes();
        EXPECT_TRUE(splash.isNull());
        ASSERT_NE(loader->window(), nullptr);
        loader->window()->close();
    });
    EXPECT_TRUE(ended);
    EXPECT_TRUE(told);
}

} // namespace
