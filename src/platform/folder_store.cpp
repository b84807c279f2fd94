// The real text store: files in one folder, each replaced through a synced temporary file.
#include "platform/folder_sync.h"
#include "platform/text_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>

namespace platform {

namespace {

// No file of the game comes near this; a bigger one is not ours and is not loaded into memory.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;

StoreError failure(StoreFailure kind, const std::string& name, std::string detail)
{
    return StoreError{kind, name, std::move(detail)};
}

// A failed Qt file call: the system's own error code says what went wrong when the call left
// one; otherwise Qt's error kind does.
StoreError classify(const std::string& name, int code, QFileDevice::FileError qtError,
                    const QString& qtText)
{
    StoreFailure kind = code != 0 ? os::failureKind(code) : StoreFailure::Other;
    if (kind == StoreFailure::Other || kind == StoreFailure::None) {
        if (qtError == QFileDevice::ResourceError) {
            kind = StoreFailure::NoSpace;
        } else if (qtError == QFileDevice::PermissionsError) {
            kind = StoreFailure::Permission;
        } else {
            kind = StoreFailure::Other;
        }
    }
    std::string detail = qtText.toStdString();
    if (detail.empty() && code != 0) {
        detail = os::errorText(code);
    }
    return failure(kind, name, std::move(detail));
}

StoreError classify(const std::string& name, int code, const QFileDevice& file)
{
    return classify(name, code, file.error(), file.errorString());
}

StoreError notAFile(const std::string& name)
{
    return failure(StoreFailure::NotAFile, name, "something that is not a file stands at this name");
}

} // namespace

FolderStore::FolderStore(QString folder) : m_folder(std::move(folder)) {}

QString FolderStore::path(const std::string& name) const
{
    return QDir(m_folder).filePath(QString::fromStdString(name));
}

ReadResult FolderStore::read(const std::string& name)
{
    ReadResult result;
    const QString p = path(name);
    const QFileInfo info(p);
    if (!info.exists()) {
        result.error = failure(StoreFailure::Missing, name, "no such file");
        return result;
    }
    // A folder, a pipe or a device: opening a pipe could wait for ever.
    if (!info.isFile()) {
        result.error = notAFile(name);
        return result;
    }
    QFile file(p);
    os::clearLastError();
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = classify(name, os::lastError(), file);
        return result;
    }
    std::array<char, 16384> buffer{};
    for (;;) {
        os::clearLastError();
        const qint64 n = file.read(buffer.data(), static_cast<qint64>(buffer.size()));
        if (n < 0) {
            result.error = classify(name, os::lastError(), file);
            result.bytes.clear();
            return result;
        }
        if (n == 0) {
            break;
        }
        result.bytes.append(buffer.data(), static_cast<std::size_t>(n));
        if (static_cast<qint64>(result.bytes.size()) > kLargestFile) {
            result.error = failure(StoreFailure::Other, name, "the file is too large");
            result.bytes.clear();
            return result;
        }
    }
    return result;
}

bool FolderStore::exists(const std::string& name)
{
    return QFileInfo(path(name)).isFile();
}

StoreError FolderStore::replace(const std::string& name, std::string_view bytes)
{
    const QString p = path(name);
    const QFileInfo info(p);
    if (info.exists() && !info.isFile()) {
        return notAFile(name);
    }
    // Never the direct-write fallback: it would overwrite the file in place.
    QSaveFile file(p);
    step(FileStep::Open, name);
    os::clearLastError();
    if (!file.open(QIODevice::WriteOnly)) { // binary: the records carry their own CR LF
        return classify(name, os::lastError(), file);
    }
    const auto size = static_cast<qint64>(bytes.size());
    step(FileStep::Write, name);
    os::clearLastError();
    // flush() is checked because a commit() after a failed final flush still reports success.
    if ((size > 0 && file.write(bytes.data(), size) != size) || !file.flush()) {
        const StoreError error = classify(name, os::lastError(), file);
        file.cancelWriting();
        return error;
    }
    // commit() syncs without checking; the bytes must be on the disk before they take the name.
    step(FileStep::Sync, name);
    if (const int code = os::syncFile(file.handle()); code != 0) {
        file.cancelWriting();
        return classify(name, code, QFileDevice::WriteError, QString());
    }
    step(FileStep::Commit, name);
    os::clearLastError();
    if (!file.commit()) {
        return classify(name, os::lastError(), file);
    }
    return {};
}

StoreError FolderStore::remove(const std::string& name)
{
    const QString p = path(name);
    const QFileInfo info(p);
    if (!info.exists() && !info.isSymLink()) {
        return {};
    }
    if (!info.isFile() && !info.isSymLink()) {
        return notAFile(name);
    }
    QFile file(p);
    step(FileStep::Remove, name);
    os::clearLastError();
    if (!file.remove()) {
        return classify(name, os::lastError(), file);
    }
    return {};
}

StoreError FolderStore::rename(const std::string& from, const std::string& to)
{
    const QString source = path(from);
    const QString target = path(to);
    const QFileInfo info(source);
    if (!info.exists()) {
        return failure(StoreFailure::Missing, from, "no such file");
    }
    if (!info.isFile()) {
        return notAFile(from);
    }
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() || targetInfo.isSymLink()) {
        return failure(StoreFailure::Other, to, "a file of that name is already there");
    }
    // QFile::rename never replaces an existing target.
    QFile file(source);
    step(FileStep::Rename, from);
    os::clearLastError();
    if (!file.rename(target)) {
        return classify(from, os::lastError(), file);
    }
    return {};
}

int FolderStore::removeLeftovers(const std::vector<std::string>& names)
{
    // The temporary file of a replace is the file's name, a dot and six letters or digits.
    // It has a name only between its rename into place and a crash in that instant (or, where
    // the system has no unnamed temporary files, from its creation on). Backups ("Data1.bak12")
    // share the form and stay.
    const QDir dir(m_folder.isEmpty() ? QStringLiteral(".") : m_folder);
    int removed = 0;
    for (const std::string& name : names) {
        const QString prefix = QString::fromStdString(name) + QLatin1Char('.');
        const QStringList found = dir.entryList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden);
        for (const QString& entry : found) {
            const QString tail = entry.mid(prefix.size());
            bool temporary = !tail.startsWith(QLatin1String("bak"));
            for (const QChar c : tail) {
                temporary = temporary && c.isLetterOrNumber() && c.unicode() < 128;
            }
            if (temporary && QFile::remove(dir.filePath(entry))) {
                ++removed;
            }
        }
    }
    return removed;
}

StoreError FolderStore::syncFolder()
{
    const QString folder = m_folder.isEmpty() ? QStringLiteral(".") : m_folder;
    step(FileStep::SyncFolder, ".");
    const int code = os::syncFolder(QFile::encodeName(folder).toStdString());
    if (code != 0) {
        return classify(".", code, QFileDevice::UnspecifiedError, QString());
    }
    return {};
}

} // namespace platform
