// The play folder's path as Linux and other POSIX systems name it: bytes.
#include "app/command_line.h"

#include <cstdlib>

namespace app {

std::filesystem::path userPlayFolder()
{
    return xdgPlayFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::filesystem::path nativePath(const QByteArray& bytes)
{
    return std::filesystem::path(bytes.toStdString());
}

QString displayName(const std::filesystem::path& folder)
{
    return QString::fromLocal8Bit(QByteArray::fromStdString(folder.native()));
}

} // namespace app
