// The registry through advapi32, and programs started with CreateProcessA.
#include "platform/registry.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <vector>

namespace platform {

namespace {

// The predefined root keys are 32-bit values that Windows sign-extends into a handle.
HKEY rootKey(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(
        static_cast<LONG>(root))));
}

HKEY toHandle(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

} // namespace

long SystemRegistry::openKey(std::uint32_t root, const std::string& path, std::uint32_t access,
                             RegistryKey& key)
{
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(rootKey(root), path.c_str(), 0, access, &opened);
    key = reinterpret_cast<RegistryKey>(opened);
    return status;
}

long SystemRegistry::queryValue(RegistryKey key, const std::string& name, std::uint32_t& type,
                                unsigned char* buffer, std::uint32_t& size)
{
    DWORD valueType = 0;
    DWORD valueSize = size;
    const LONG status =
        RegQueryValueExA(toHandle(key), name.c_str(), nullptr, &valueType, buffer, &valueSize);
    type = valueType;
    size = valueSize;
    return status;
}

long SystemRegistry::closeKey(RegistryKey key) { return RegCloseKey(toHandle(key)); }

bool SystemProgramRunner::fileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                          FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool SystemProgramRunner::start(const std::string& path)
{
    if (path.empty()) {
        return false;
    }
    // The tool gets its own path, quoted, as its command line, as a shell would pass it.
    std::string line = "\"" + path + "\"";
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    // The game does not wait for the tool.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace platform
