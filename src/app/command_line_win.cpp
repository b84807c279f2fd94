// The play folder's path as Windows names it: the arguments reach the game as UTF-8.
#include "app/command_line.h"

#include <QString>

namespace app {

std::filesystem::path userPlayFolder()
{
    const QString appData = qEnvironmentVariable("APPDATA");
    if (appData.isEmpty()) {
        return {};
    }
    return std::filesystem::path(appData.toStdWString()) / L"TolvStreet";
}

std::filesystem::path nativePath(const QByteArray& bytes)
{
    return std::filesystem::path(QString::fromUtf8(bytes).toStdWString());
}

QString displayName(const std::filesystem::path& folder)
{
    return QString::fromStdWString(folder.native());
}

} // namespace app
