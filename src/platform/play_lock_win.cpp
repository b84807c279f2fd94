// One game per play folder on Windows: LockFileEx on the lock file, held open for the run.
#include "platform/play_lock.h"

#include <windows.h>

namespace platform {

PlayLock::Outcome PlayLock::acquire()
{
    if (isLocked()) {
        return Outcome::Locked;
    }
    const std::filesystem::path path =
        (m_folder.empty() ? std::filesystem::path(L".") : m_folder) / std::string(records::kLockName);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
        return Outcome::NotAFile;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    DWORD code = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    if (file == INVALID_HANDLE_VALUE && code == ERROR_ACCESS_DENIED) {
        file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                           nullptr);
        // With no lock file there, the first reason says why.
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_NOT_FOUND) {
            code = GetLastError();
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        // An earlier release holding its lock file open shares it with nobody.
        m_reason = "error " + std::to_string(code);
        return code == ERROR_SHARING_VIOLATION ? Outcome::HeldByAnother : Outcome::NotPossible;
    }
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return Outcome::NotAFile;
    }
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                    MAXDWORD, &whole)) {
        const DWORD code = GetLastError();
        m_reason = "error " + std::to_string(code);
        CloseHandle(file);
        return code == ERROR_LOCK_VIOLATION ? Outcome::HeldByAnother : Outcome::NotPossible;
    }
    m_handle = reinterpret_cast<std::intptr_t>(file);
    return Outcome::Locked;
}

// The lock file is open without delete sharing: nobody can remove or rename it while it is held.
bool PlayLock::stillHeld() const { return isLocked(); }

void PlayLock::release()
{
    if (isLocked()) {
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
        m_handle = kNoHandle;
    }
}

} // namespace platform
