// The folder store's system calls on Windows: wide paths inside the play folder, links (reparse
// points) never followed, renames written through.
#include "platform/folder_calls.h"

#include <windows.h>

namespace platform {

namespace {

HANDLE native(FolderCalls::Handle handle) { return reinterpret_cast<HANDLE>(handle); }

int lastCode()
{
    const DWORD code = GetLastError();
    return code != ERROR_SUCCESS ? static_cast<int>(code) : static_cast<int>(ERROR_GEN_FAILURE);
}

class WindowsFolderCalls final : public FolderCalls {
public:
    explicit WindowsFolderCalls(std::filesystem::path folder)
        : m_folder(folder.empty() ? std::filesystem::path(L".") : std::move(folder))
    {
        const DWORD attributes = GetFileAttributesW(m_folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            m_openError = lastCode();
        } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            m_openError = ERROR_DIRECTORY;
        }
    }

    int inspect(const std::string& name, records::EntryKind& kind) override
    {
        kind = records::EntryKind::Missing;
        if (m_openError != 0) {
            return m_openError;
        }
        const DWORD attributes = GetFileAttributesW(path(name).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD code = GetLastError();
            return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? 0 : static_cast<int>(code);
        }
        kind = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? records::EntryKind::Link
               : (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0   ? records::EntryKind::Folder
                                                                : records::EntryKind::File;
        return 0;
    }

    int openRead(const std::string& name, Handle& handle, std::uint64_t& size) override
    {
        bool shared = false;
        return openPlainFile(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, handle, size,
                             shared);
    }

    int read(Handle handle, char* buffer, std::size_t wanted, std::size_t& got) override
    {
        DWORD n = 0;
        const DWORD chunk = wanted > 1u << 20 ? 1u << 20 : static_cast<DWORD>(wanted);
        if (!ReadFile(native(handle), buffer, chunk, &n, nullptr)) {
            return lastCode();
        }
        got = n;
        return 0;
    }

    int create(const std::string& name, Handle& handle) override
    {
        if (m_openError != 0) {
            return m_openError;
        }
        const HANDLE file = CreateFileW(path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return lastCode();
        }
        handle = reinterpret_cast<Handle>(file);
        return 0;
    }

    int write(Handle handle, std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const DWORD chunk = bytes.size() > 1u << 20 ? 1u << 20 : static_cast<DWORD>(bytes.size());
            DWORD n = 0;
            if (!WriteFile(native(handle), bytes.data(), chunk, &n, nullptr)) {
                return lastCode();
            }
            bytes.remove_prefix(n);
        }
        return 0;
    }

    int openWrite(const std::string& name, Handle& handle, std::uint64_t& size, bool& shared) override
    {
        return openPlainFile(name, GENERIC_WRITE, FILE_SHARE_READ, handle, size, shared);
    }

    int writeAt(Handle handle, std::uint64_t length, std::string_view bytes) override
    {
        LARGE_INTEGER position{};
        position.QuadPart = static_cast<LONGLONG>(length);
        if (!SetFilePointerEx(native(handle), position, nullptr, FILE_BEGIN) || !SetEndOfFile(native(handle))) {
            return lastCode();
        }
        return write(handle, bytes);
    }

    int sync(Handle handle) override { return FlushFileBuffers(native(handle)) ? 0 : lastCode(); }

    int close(Handle handle) override { return CloseHandle(native(handle)) ? 0 : lastCode(); }

    int rename(const std::string& from, const std::string& to) override
    {
        if (m_openError != 0) {
            return m_openError;
        }
        return MoveFileExW(path(from).c_str(), path(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? 0
                   : lastCode();
    }

    int renameNoReplace(const std::string& from, const std::string& to) override
    {
        if (m_openError != 0) {
            return m_openError;
        }
        return MoveFileExW(path(from).c_str(), path(to).c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : lastCode();
    }

    int unlink(const std::string& name) override
    {
        if (m_openError != 0) {
            return m_openError;
        }
        return DeleteFileW(path(name).c_str()) ? 0 : lastCode();
    }

    // Windows makes a rename durable with the file system's own journal (and the renames are
    // written through); a folder cannot be synced.
    int syncFolder() override { return m_openError; }

    int list(const std::function<void(std::string_view)>& visit) override
    {
        if (m_openError != 0) {
            return m_openError;
        }
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((m_folder / L"*").wstring().c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            const DWORD code = GetLastError();
            return code == ERROR_FILE_NOT_FOUND ? 0 : static_cast<int>(code);
        }
        do {
            // The game's names are plain ASCII: a name with any other character is not one of them.
            std::string name;
            for (const wchar_t* c = found.cFileName; *c != L'\0'; ++c) {
                name += *c < 0x80 ? static_cast<char>(*c) : '\x7f';
            }
            if (name != "." && name != "..") {
                visit(name);
            }
        } while (FindNextFileW(search, &found));
        const DWORD code = GetLastError();
        FindClose(search);
        return code == ERROR_NO_MORE_FILES ? 0 : static_cast<int>(code);
    }

    records::StoreFailure failureKind(int code) const override
    {
        switch (code) {
        case ERROR_SUCCESS:
            return records::StoreFailure::None;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return records::StoreFailure::Missing;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_SHARING_VIOLATION:
            return records::StoreFailure::Permission;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return records::StoreFailure::NoSpace;
        case ERROR_DIRECTORY:
        case ERROR_CANT_ACCESS_FILE:
            return records::StoreFailure::NotAFile;
        default:
            return records::StoreFailure::Other;
        }
    }

    std::string errorText(int code) const override
    {
        char* buffer = nullptr;
        const DWORD length = FormatMessageA(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
            static_cast<DWORD>(code), 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
        std::string text = length != 0 && buffer != nullptr ? std::string(buffer, length)
                                                            : "error " + std::to_string(code);
        LocalFree(buffer);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.pop_back();
        }
        return text;
    }

private:
    // Opens a plain file that is there, never through a reparse point (a link).
    int openPlainFile(const std::string& name, DWORD access, DWORD share, Handle& handle, std::uint64_t& size,
                      bool& shared)
    {
        if (m_openError != 0) {
            return m_openError;
        }
        const HANDLE file = CreateFileW(path(name).c_str(), access, share, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return lastCode();
        }
        BY_HANDLE_FILE_INFORMATION info{};
        LARGE_INTEGER length{};
        if (!GetFileInformationByHandle(file, &info) || !GetFileSizeEx(file, &length) ||
            GetFileType(file) != FILE_TYPE_DISK ||
            (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
            CloseHandle(file);
            return ERROR_DIRECTORY;
        }
        handle = reinterpret_cast<Handle>(file);
        size = static_cast<std::uint64_t>(length.QuadPart);
        shared = info.nNumberOfLinks > 1;
        return 0;
    }

    // The game's names are plain ASCII.
    std::wstring path(const std::string& name) const
    {
        return (m_folder / std::wstring(name.begin(), name.end())).wstring();
    }

    std::filesystem::path m_folder;
    int m_openError = 0;
};

} // namespace

std::unique_ptr<FolderCalls> systemFolderCalls(const std::filesystem::path& folder)
{
    return std::make_unique<WindowsFolderCalls>(folder);
}

} // namespace platform
