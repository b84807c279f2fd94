// One game per play folder: a lock the system holds for this process on an open handle for the
// whole run, and releases by itself when the process ends, however it ends.
#pragma once

#include "records/names.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <string>

namespace platform {

// What the player is told when another copy already plays in the same folder.
QString alreadyOpenMessage();
// What the player is told when something that is not a plain file stands at the lock's name.
QString lockNotAFileMessage();
// What the player is told when no lock can be had: the game plays on without saving.
QString noLockMessage(const std::string& reason);

class PlayLock {
public:
    enum class Outcome {
        Locked,        // this copy plays in the folder
        HeldByAnother, // a running copy plays there: tell the player and end
        NotAFile,      // a folder, a link or a pipe stands at the lock's name: tell and end
        NotPossible,   // no lock can be had there (a read-only folder, no room for the file, a
                       // lock file this user may not open): play on without saving
    };

    explicit PlayLock(std::filesystem::path folder);
    PlayLock(const PlayLock&) = delete;
    PlayLock& operator=(const PlayLock&) = delete;
    ~PlayLock();

    // Takes the lock without waiting. Nothing is ever stale: a copy that ended, however it
    // ended, no longer holds it.
    Outcome acquire();
    // The file itself stays: removing it could let two later copies lock two different files.
    void release();
    bool isLocked() const { return m_handle != kNoHandle; }
    // Whether the file this copy locked still stands at the lock's name: one removed or replaced
    // by hand while the game runs lets another copy lock the folder too.
    bool stillHeld() const;
    // The system's words for why the last acquire was NotPossible.
    const std::string& reason() const { return m_reason; }

private:
    static constexpr std::intptr_t kNoHandle = -1;
    std::filesystem::path m_folder;
    std::intptr_t m_handle = kNoHandle;
    std::string m_reason;
};

} // namespace platform
