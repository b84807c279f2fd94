// One game per play folder on POSIX systems: flock on the lock file, held open for the run.
#include "platform/play_lock.h"

#include <QCoreApplication>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

QString alreadyOpenMessage()
{
    return QCoreApplication::translate("PlayLock", "Tolv Street è già aperto in questa cartella.");
}

QString lockNotAFileMessage()
{
    return QCoreApplication::translate(
               "PlayLock", "Al posto del file \"%1\" c'è una cartella, un collegamento o "
                           "un altro oggetto: Tolv Street non può sapere se è già aperto "
                           "in questa cartella. Toglilo dalla cartella di gioco e riprova.")
        .arg(QLatin1String(PlayLock::kFileName));
}

PlayLock::PlayLock(std::filesystem::path folder) : m_folder(std::move(folder)) {}

PlayLock::~PlayLock()
{
    release();
}

PlayLock::Outcome PlayLock::acquire()
{
    if (isLocked()) {
        return Outcome::Locked;
    }
    const std::filesystem::path path =
        (m_folder.empty() ? std::filesystem::path(".") : m_folder) / kFileName;
    // Never through a link, and a pipe opens without waiting.
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    bool writable = true;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0644);
    if (fd < 0 && (errno == EROFS || errno == EACCES || errno == EPERM)) {
        // A read-only folder: a lock file already there can still be locked.
        writable = false;
        fd = ::open(path.c_str(), O_RDONLY | kFlags);
    }
    if (fd < 0) {
        return errno == ELOOP || errno == EISDIR || errno == ENXIO || errno == EWOULDBLOCK
                   ? Outcome::NotAFile
                   : Outcome::NotPossible;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Outcome::NotAFile;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int code = errno;
        ::close(fd);
        return code == EWOULDBLOCK ? Outcome::HeldByAnother : Outcome::NotPossible;
    }
    m_handle = fd;
    if (writable) {
        // The holder's process, host and name, as earlier releases wrote them, so that one of
        // those started beside this copy also sees the folder taken. Only a courtesy: the
        // lock itself is the system's.
        char host[256] = {};
        ::gethostname(host, sizeof host - 1);
        const std::string info = std::to_string(::getpid()) + "\nTolv Street\n" + host + "\n";
        if (::ftruncate(fd, 0) == 0) {
            [[maybe_unused]] const ssize_t written = ::pwrite(fd, info.data(), info.size(), 0);
        }
    }
    return Outcome::Locked;
}

void PlayLock::release()
{
    if (isLocked()) {
        ::close(static_cast<int>(m_handle));
        m_handle = kNoHandle;
    }
}

} // namespace platform
