// Tolv Street: reads the command line, enters the play folder, builds the real files, boxes and
// random source, then loads the main window.
#include "app/command_line.h"
#include "app/console.h"
#include "platform/clock_random.h"
#include "platform/widgets/qt_dialogs.h"
#include "platform/folder_store.h"
#include "platform/play_lock.h"
#include "session/app_info.h"
#include "ui/artwork.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "session/saver.h"
#include "session/session.h"
#include "ui/window_look.h"

#include <QApplication>

#include <filesystem>

int main(int argc, char* argv[])
{
    // Help, the version and a command line the game does not take are answered before any
    // window, display or file is touched, in the language the player chose.
    app::nameTheGame();
    const app::StartRequest request = app::readCommandLineInChosenLanguage(argc, argv);
    if (request.kind != app::StartRequest::Kind::Play) {
        const bool refused = request.kind == app::StartRequest::Kind::Refused;
        app::tellBeforeStart(request.text, refused, argc, argv);
        return refused ? app::kUsageExitCode : 0;
    }
    // The game plays in its working directory: --folder and --user-folder move there first.
    if (const QString problem = app::enterRequestedFolder(request, argc, argv);
        !problem.isEmpty()) {
        app::tellBeforeStart(problem + QLatin1Char('\n'), true, argc, argv);
        return app::kFolderExitCode;
    }

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(session::app::kApplicationId));
    // Qt's own texts and the game's in the player's language (Italian unless English was picked).
    ui::Language language;
    language.apply(language.saved());
    ui::installFontSubstitutions();
    ui::useGameStyle();
    QApplication::setWindowIcon(ui::appIcon());
    platform::QtDialogs dialogs;

    // The game plays in its working directory: its saves are the files there. The lock and the
    // store name it ".", so they follow the folder itself whatever its path (in any encoding, of
    // any length) and wherever it is moved while the game runs.
    const std::filesystem::path folder(".");

    // Two copies in one folder would write over each other's saves.
    platform::PlayLock lock(folder);
    bool locked = true;
    switch (lock.acquire()) {
    case platform::PlayLock::Outcome::HeldByAnother:
        dialogs.message(platform::alreadyOpenMessage(), session::app::title());
        return 1;
    case platform::PlayLock::Outcome::NotAFile:
        dialogs.message(platform::lockNotAFileMessage(), session::app::title());
        return 1;
    case platform::PlayLock::Outcome::NotPossible:
        dialogs.message(platform::noLockMessage(lock.reason()), session::app::title());
        locked = false;
        break;
    case platform::PlayLock::Outcome::Locked:
        break;
    }

    platform::FolderStore folderStore(folder);
    // Without the lock another copy may play here: nothing is written, not even a recovery; and
    // nothing more once the lock file has been taken away by hand.
    records::ReadOnlyStore readOnly(folderStore);
    records::LockedStore lockedStore(folderStore, [&lock] { return lock.stillHeld(); });
    records::TextStore& store = locked ? static_cast<records::TextStore&>(lockedStore) : readOnly;
    session::Saver saver(store, dialogs);
    platform::ClockRandom random;
    session::Session session(store, dialogs, random, saver);
    ui::Form1::Seams seams;
    seams.language = &language;
    int result = 0;
    {
        ui::MainWindowLoader loader(session, seams, &dialogs);
        loader.show();
        result = QApplication::exec();
    } // "Esci" or the last window's close: every window goes at once

    // The saves the window already showed still reach the disk; nothing new is saved. A disk
    // that does not answer leaves the choice to the player, and leaving then ends the process
    // at once, never waiting for a thread stuck in the disk: the files keep the last whole set.
    QApplication::setQuitOnLastWindowClosed(false); // the box that may ask is a window too
    return saver.endOfProgram(result);
}
