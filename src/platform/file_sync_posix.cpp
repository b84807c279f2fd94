// Forcing a written file's data to the disk on Linux and other POSIX systems.
#include "platform/file_sync.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace platform {

QString syncFileData(QFileDevice& file)
{
    if (file.handle() >= 0 && ::fsync(file.handle()) == 0) {
        return {};
    }
    return QString::fromLocal8Bit(std::strerror(file.handle() >= 0 ? errno : EBADF));
}

} // namespace platform
