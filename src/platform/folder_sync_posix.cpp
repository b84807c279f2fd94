// Syncing files and folders and reading errors on POSIX systems.
#include "platform/folder_sync.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform::os {

int syncFile(int handle)
{
    if (handle < 0) {
        return EBADF;
    }
    return ::fsync(handle) == 0 ? 0 : errno;
}

int syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int code = ::fsync(fd) == 0 ? 0 : errno;
    // Some file systems cannot sync a folder at all; there is nothing more to make durable.
    if (code == EINVAL || code == ENOTSUP) {
        code = 0;
    }
    ::close(fd);
    return code;
}

int lastError() { return errno; }

void clearLastError() { errno = 0; }

StoreFailure failureKind(int code)
{
    switch (code) {
    case 0:
        return StoreFailure::None;
    case ENOENT:
        return StoreFailure::Missing;
    case EACCES:
    case EPERM:
    case EROFS:
        return StoreFailure::Permission;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return StoreFailure::NoSpace;
    case EISDIR:
        return StoreFailure::NotAFile;
    default:
        return StoreFailure::Other;
    }
}

std::string errorText(int code) { return std::strerror(code); }

} // namespace platform::os
