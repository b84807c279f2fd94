// Tolv Street: builds the real files, boxes and random source, then loads the main window.
#include "platform/clock_random.h"
#include "platform/dialogs.h"
#include "platform/play_lock.h"
#include "platform/folder_store.h"
#include "ui/app_info.h"
#include "ui/artwork.h"
#include "ui/main_window.h"
#include "ui/session.h"

#include <QApplication>

#include <filesystem>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ui::app::title());
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(ui::app::kVersionMajor)
                                            .arg(ui::app::kVersionMinor)
                                            .arg(ui::app::kVersionRevision));
    ui::installFontSubstitutions();
    QApplication::setWindowIcon(ui::appIcon());

    // The game plays in its working directory: its saves are the files there. The lock and the
    // store name it ".", so they follow the folder itself whatever its path (in any encoding, of
    // any length) and wherever it is moved while the game runs.
    const std::filesystem::path folder(".");
    platform::QtDialogs dialogs;

    // Two copies in one folder would write over each other's saves.
    platform::PlayLock lock(folder);
    bool locked = true;
    switch (lock.acquire()) {
    case platform::PlayLock::Outcome::HeldByAnother:
        dialogs.message(platform::alreadyOpenMessage(), ui::app::title());
        return 1;
    case platform::PlayLock::Outcome::NotAFile:
        dialogs.message(platform::lockNotAFileMessage(), ui::app::title());
        return 1;
    case platform::PlayLock::Outcome::NotPossible:
        dialogs.message(platform::noLockMessage(lock.reason()), ui::app::title());
        locked = false;
        break;
    case platform::PlayLock::Outcome::Locked:
        break;
    }

    platform::FolderStore folderStore(folder);
    // Without the lock another copy may play here: nothing is written, not even a recovery.
    records::ReadOnlyStore readOnly(folderStore);
    records::TextStore& store = locked ? static_cast<records::TextStore&>(folderStore) : readOnly;
    platform::ClockRandom random;
    ui::Session session(store, dialogs, random);
    ui::MainWindowLoader loader(session, {}, &dialogs);
    loader.show();
    return QApplication::exec();
}
