// Syncing files and reading errors on Windows.
#include "platform/folder_sync.h"

#include <io.h>
#include <windows.h>

namespace platform::os {

int syncFile(int handle)
{
    // Checked first: the C runtime treats a bad descriptor as a fatal invalid parameter.
    if (handle < 0) {
        return ERROR_INVALID_HANDLE;
    }
    const auto native = reinterpret_cast<HANDLE>(_get_osfhandle(handle));
    if (native == INVALID_HANDLE_VALUE) {
        return ERROR_INVALID_HANDLE;
    }
    return FlushFileBuffers(native) ? 0 : static_cast<int>(GetLastError());
}

// Windows makes a rename durable with the file system's own journal; a folder cannot be synced.
int syncFolder(const std::string&) { return 0; }

int lastError() { return static_cast<int>(GetLastError()); }

void clearLastError() { SetLastError(ERROR_SUCCESS); }

StoreFailure failureKind(int code)
{
    switch (code) {
    case ERROR_SUCCESS:
        return StoreFailure::None;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return StoreFailure::Missing;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return StoreFailure::Permission;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return StoreFailure::NoSpace;
    case ERROR_DIRECTORY:
        return StoreFailure::NotAFile;
    default:
        return StoreFailure::Other;
    }
}

std::string errorText(int code)
{
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text = length != 0 && buffer != nullptr ? std::string(buffer, length)
                                                        : "error " + std::to_string(code);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

} // namespace platform::os
