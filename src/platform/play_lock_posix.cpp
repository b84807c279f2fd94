// One game per play folder on POSIX systems: flock on the lock file, held open for the run.
#include "platform/play_lock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

PlayLock::Outcome PlayLock::acquire()
{
    if (isLocked()) {
        return Outcome::Locked;
    }
    const std::filesystem::path path =
        (m_folder.empty() ? std::filesystem::path(".") : m_folder) / std::string(records::kLockName);
    // Never through a link, and a pipe opens without waiting. The file is only ever locked,
    // never written: a hard link at its name may share its bytes with a file elsewhere.
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0644);
    int code = fd < 0 ? errno : 0;
    if (fd < 0 && (code == EROFS || code == EACCES || code == EPERM)) {
        // A read-only folder, or a lock file this user may only read: it can still be locked.
        fd = ::open(path.c_str(), O_RDONLY | kFlags);
        // With no lock file there, the first reason is the one that says why (a read-only
        // folder), not that the file is missing.
        if (fd < 0 && errno != ENOENT) {
            code = errno;
        }
    }
    if (fd < 0) {
        m_reason = std::strerror(code);
        return code == ELOOP || code == EISDIR || code == ENXIO || code == EWOULDBLOCK ? Outcome::NotAFile
                                                                                    : Outcome::NotPossible;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Outcome::NotAFile;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int code = errno;
        m_reason = std::strerror(code);
        ::close(fd);
        return code == EWOULDBLOCK ? Outcome::HeldByAnother : Outcome::NotPossible;
    }
    m_handle = fd;
    return Outcome::Locked;
}

bool PlayLock::stillHeld() const
{
    if (!isLocked()) {
        return false;
    }
    const std::filesystem::path folder = m_folder.empty() ? std::filesystem::path(".") : m_folder;
    const std::filesystem::path path = folder / std::string(records::kLockName);
    struct stat held {};
    struct stat named {};
    if (::fstat(static_cast<int>(m_handle), &held) != 0) {
        return false;
    }
    if (::lstat(path.c_str(), &named) != 0) {
        // Gone with the folder itself, no copy can play there any more (and saves fail for that
        // reason); gone alone, another copy may lock a new file at the name.
        struct stat place {};
        return errno == ENOENT && (::stat(folder.c_str(), &place) != 0 || place.st_nlink == 0);
    }
    return held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

void PlayLock::release()
{
    if (isLocked()) {
        ::close(static_cast<int>(m_handle));
        m_handle = kNoHandle;
    }
}

} // namespace platform
