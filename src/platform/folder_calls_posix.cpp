// The folder store's system calls on POSIX systems: the folder's path is kept in the system's
// own bytes (any encoding works), and every name is opened relative to a descriptor of the
// folder opened afresh for the call, so a folder that is mounted again is found again.
#include "platform/folder_calls.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

int lastCode() { return errno != 0 ? errno : EIO; }

#ifdef O_PATH
// Enough to reach the names inside, even in a folder this user may search but not list.
constexpr int kFolderAccess = O_PATH;
#else
constexpr int kFolderAccess = O_RDONLY;
#endif

// The play folder, open for one call.
class Folder {
public:
    explicit Folder(const std::string& path, int access = kFolderAccess)
        : m_fd(::open(path.c_str(), access | O_DIRECTORY | O_CLOEXEC))
    {
        m_error = m_fd < 0 ? lastCode() : 0;
    }
    ~Folder()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    int fd() const { return m_fd; }
    int error() const { return m_error; }

private:
    int m_fd;
    int m_error = 0;
};

class PosixFolderCalls final : public FolderCalls {
public:
    explicit PosixFolderCalls(const std::filesystem::path& folder)
        : m_path(folder.empty() ? std::string(".") : folder.native())
    {
    }

    int inspect(const std::string& name, records::EntryKind& kind) override
    {
        kind = records::EntryKind::Missing;
        const Folder folder(m_path);
        if (folder.error() != 0) {
            return folder.error();
        }
        struct stat info {};
        if (::fstatat(folder.fd(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            return errno == ENOENT ? 0 : lastCode();
        }
        kind = S_ISREG(info.st_mode)   ? records::EntryKind::File
               : S_ISLNK(info.st_mode) ? records::EntryKind::Link
               : S_ISDIR(info.st_mode) ? records::EntryKind::Folder
                                       : records::EntryKind::Other;
        return 0;
    }

    int openRead(const std::string& name, Handle& handle, std::uint64_t& size) override
    {
        bool shared = false;
        return openPlainFile(name, O_RDONLY, handle, size, shared);
    }

    int read(Handle handle, char* buffer, std::size_t wanted, std::size_t& got) override
    {
        for (;;) {
            const ssize_t n = ::read(static_cast<int>(handle), buffer, wanted);
            if (n >= 0) {
                got = static_cast<std::size_t>(n);
                return 0;
            }
            if (errno != EINTR) {
                return lastCode();
            }
        }
    }

    int create(const std::string& name, Handle& handle) override
    {
        const Folder folder(m_path);
        if (folder.error() != 0) {
            return folder.error();
        }
        const int fd = ::openat(folder.fd(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) {
            return lastCode();
        }
        handle = fd;
        return 0;
    }

    int write(Handle handle, std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const ssize_t n = ::write(static_cast<int>(handle), bytes.data(), bytes.size());
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return lastCode();
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return 0;
    }

    int openWrite(const std::string& name, Handle& handle, std::uint64_t& size, bool& shared) override
    {
        return openPlainFile(name, O_WRONLY, handle, size, shared);
    }

    int writeAt(Handle handle, std::uint64_t length, std::string_view bytes) override
    {
        const int fd = static_cast<int>(handle);
        if (::ftruncate(fd, static_cast<off_t>(length)) != 0) {
            return lastCode();
        }
        auto offset = static_cast<off_t>(length);
        while (!bytes.empty()) {
            const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return lastCode();
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
            offset += n;
        }
        return 0;
    }

    int sync(Handle handle) override { return ::fsync(static_cast<int>(handle)) == 0 ? 0 : lastCode(); }

    int close(Handle handle) override { return ::close(static_cast<int>(handle)) == 0 ? 0 : lastCode(); }

    int rename(const std::string& from, const std::string& to) override
    {
        const Folder folder(m_path);
        if (folder.error() != 0) {
            return folder.error();
        }
        return ::renameat(folder.fd(), from.c_str(), folder.fd(), to.c_str()) == 0 ? 0 : lastCode();
    }

    int renameNoReplace(const std::string& from, const std::string& to) override
    {
        const Folder folder(m_path);
        if (folder.error() != 0) {
            return folder.error();
        }
#ifdef RENAME_NOREPLACE
        if (::renameat2(folder.fd(), from.c_str(), folder.fd(), to.c_str(), RENAME_NOREPLACE) == 0) {
            return 0;
        }
        if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
            return lastCode();
        }
#endif
        // A file system without a no-replace rename: the game holds the folder's lock, so
        // nothing of the game's can appear between the test and the rename.
        records::EntryKind kind = records::EntryKind::Missing;
        if (const int code = inspect(to, kind); code != 0) {
            return code;
        }
        if (kind != records::EntryKind::Missing) {
            return EEXIST;
        }
        return rename(from, to);
    }

    int unlink(const std::string& name) override
    {
        const Folder folder(m_path);
        if (folder.error() != 0) {
            return folder.error();
        }
        return ::unlinkat(folder.fd(), name.c_str(), 0) == 0 ? 0 : lastCode();
    }

    int syncFolder() override
    {
        const Folder folder(m_path, O_RDONLY);
        // A folder this user may write but not list cannot be opened to be synced.
        if (folder.error() == EACCES) {
            return 0;
        }
        if (folder.error() != 0) {
            return folder.error();
        }
        int code = ::fsync(folder.fd()) == 0 ? 0 : lastCode();
        // Some file systems cannot sync a folder at all; there is nothing more to make durable.
        if (code == EINVAL || code == ENOTSUP) {
            code = 0;
        }
        return code;
    }

    int list(const std::function<void(std::string_view)>& visit) override
    {
        const int fd = ::open(m_path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            return lastCode();
        }
        DIR* folder = ::fdopendir(fd);
        if (folder == nullptr) {
            const int code = lastCode();
            ::close(fd);
            return code;
        }
        int code = 0;
        for (;;) {
            errno = 0;
            const dirent* entry = ::readdir(folder);
            if (entry == nullptr) {
                code = errno;
                break;
            }
            const std::string_view name(entry->d_name);
            if (name != "." && name != "..") {
                visit(name);
            }
        }
        ::closedir(folder);
        return code;
    }

    records::StoreFailure failureKind(int code) const override
    {
        switch (code) {
        case 0:
            return records::StoreFailure::None;
        case ENOENT:
        case ENOTDIR:
            return records::StoreFailure::Missing;
        case EACCES:
        case EPERM:
        case EROFS:
            return records::StoreFailure::Permission;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return records::StoreFailure::NoSpace;
        case EISDIR:
        case ELOOP:
        case ENXIO:
            return records::StoreFailure::NotAFile;
        case EFBIG:
            return records::StoreFailure::TooLarge;
        default:
            return records::StoreFailure::Other;
        }
    }

    std::string errorText(int code) const override { return std::strerror(code); }

private:
    // Opens a plain file that is there: no link is followed and a pipe opens without waiting.
    int openPlainFile(const std::string& name, int access, Handle& handle, std::uint64_t& size, bool& shared)
    {
        const Folder folder(m_path);
        if (folder.error() != 0) {
            return folder.error();
        }
        const int fd = ::openat(folder.fd(), name.c_str(), access | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            return lastCode();
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            const int code = S_ISREG(info.st_mode) ? lastCode() : EISDIR;
            ::close(fd);
            return code;
        }
        handle = fd;
        size = static_cast<std::uint64_t>(info.st_size);
        shared = info.st_nlink > 1;
        return 0;
    }

    std::string m_path;
};

} // namespace

std::unique_ptr<FolderCalls> systemFolderCalls(const std::filesystem::path& folder)
{
    return std::make_unique<PosixFolderCalls>(folder);
}

} // namespace platform
