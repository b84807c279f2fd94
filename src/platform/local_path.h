// A folder named by a Qt string, in the form the system's own calls take.
#pragma once

#include <QFile>
#include <QString>

#include <filesystem>

namespace platform {

inline std::filesystem::path localPath(const QString& path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace platform
