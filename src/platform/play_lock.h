// One game per play folder: a lock the system holds for this process on an open handle for the
// whole run, and releases by itself when the process ends, however it ends.
#pragma once

#include <QString>

#include <cstdint>
#include <filesystem>

namespace platform {

// What the player is told when another copy already plays in the same folder.
QString alreadyOpenMessage();
// What the player is told when something that is not a plain file stands at the lock's name.
QString lockNotAFileMessage();

class PlayLock {
public:
    enum class Outcome {
        Locked,        // this copy plays in the folder
        HeldByAnother, // a running copy plays there: tell the player and end
        NotAFile,      // a folder, a link or a pipe stands at the lock's name: tell and end
        NotPossible,   // no lock file can be made there (a read-only folder): play on unlocked
    };

    // The lock file's bare name in the play folder.
    static constexpr const char* kFileName = "TolvStreet.lock";

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

private:
    static constexpr std::intptr_t kNoHandle = -1;
    std::filesystem::path m_folder;
    std::intptr_t m_handle = kNoHandle;
};

} // namespace platform
