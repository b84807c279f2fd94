// One game per play folder: a lock file that a second copy finds taken, and that a crashed copy
// leaves behind only as a stale file which the next start takes over.
#pragma once

#include <QLockFile>
#include <QString>

namespace platform {

// What the player is told when another copy already plays in the same folder.
QString alreadyOpenMessage();

class PlayLock {
public:
    enum class Outcome {
        Locked,        // this copy plays in the folder
        HeldByAnother, // a running copy plays there: tell the player and end
        NotPossible,   // no lock file can be made there (a read-only folder): play on unlocked
    };

    // The lock file's bare name in the play folder.
    static constexpr const char* kFileName = "TolvStreet.lock";

    explicit PlayLock(const QString& folder);
    PlayLock(const PlayLock&) = delete;
    PlayLock& operator=(const PlayLock&) = delete;
    ~PlayLock() = default; // QLockFile removes the file it holds

    // Takes the lock without waiting. A lock file whose process is gone (a crash, a power cut)
    // is stale and taken over.
    Outcome acquire();
    void release();
    bool isLocked() const { return m_lock.isLocked(); }
    QString fileName() const { return m_lock.fileName(); }

private:
    QLockFile m_lock;
};

} // namespace platform
