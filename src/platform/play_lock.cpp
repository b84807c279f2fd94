// One game per play folder, through a lock file that records the holder's process.
#include "platform/play_lock.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

QString alreadyOpenMessage()
{
    return QCoreApplication::translate("PlayLock", "Tolv Street è già aperto in questa cartella.");
}

PlayLock::PlayLock(const QString& folder)
    : m_lock(QDir(folder.isEmpty() ? QStringLiteral(".") : folder).filePath(QLatin1String(kFileName)))
{
    // A game stays open for hours: the lock is never stale by age, only when its process is
    // gone (QLockFile checks the process it names, and whether the machine has restarted since).
    m_lock.setStaleLockTime(0);
}

PlayLock::Outcome PlayLock::acquire()
{
    if (m_lock.isLocked()) {
        return Outcome::Locked;
    }
    if (m_lock.tryLock(0)) {
        return Outcome::Locked;
    }
    if (m_lock.error() == QLockFile::LockFailedError) {
        // A lock file that names no process (emptied by a power cut between its creation and
        // its first write) would block every later start. Its holder, if alive, keeps the file
        // locked by the system, and then it cannot be removed; otherwise it goes.
        qint64 pid = 0;
        if (!m_lock.getLockInfo(&pid, nullptr, nullptr) && m_lock.removeStaleLockFile() &&
            m_lock.tryLock(0)) {
            return Outcome::Locked;
        }
        if (m_lock.error() == QLockFile::LockFailedError) {
            return Outcome::HeldByAnother;
        }
    }
    return Outcome::NotPossible;
}

void PlayLock::release() { m_lock.unlock(); }

} // namespace platform
