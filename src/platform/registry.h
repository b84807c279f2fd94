// The Windows registry, shaped like the three advapi32 calls the about box needs, and the
// running of another program. Plain C++ (no Qt) so that the Windows code builds on its own.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A key handle as the registry hands it out; opaque to the caller.
using RegistryKey = std::uintptr_t;

inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr long kErrorSuccess = 0;
// Reading only (KEY_READ): a standard, not elevated user may open the machine's keys for that,
// and is refused any access that includes writing.
inline constexpr std::uint32_t kKeyAccess = 0x20019;

// Texts are single-byte, in the system code page, as the "A" calls take them.
class Registry {
public:
    virtual ~Registry() = default;
    // RegOpenKeyExA: sets key and returns kErrorSuccess, or returns an error code.
    virtual long openKey(std::uint32_t root, const std::string& path, std::uint32_t access,
                         RegistryKey& key) = 0;
    // RegQueryValueExA: size holds the buffer's size on the way in and the number of bytes
    // stored on the way out.
    virtual long queryValue(RegistryKey key, const std::string& name, std::uint32_t& type,
                            unsigned char* buffer, std::uint32_t& size) = 0;
    // RegCloseKey.
    virtual long closeKey(RegistryKey key) = 0;
};

class ProgramRunner {
public:
    virtual ~ProgramRunner() = default;
    // Whether a normal file (not hidden, not system, not a folder) stands at the path.
    virtual bool fileExists(const std::string& path) = 0;
    // Starts the program with a normal window that takes the focus; false when it cannot start.
    virtual bool start(const std::string& path) = 0;
};

// The system's registry. Away from Windows there is none: every key is missing.
class SystemRegistry final : public Registry {
public:
    long openKey(std::uint32_t root, const std::string& path, std::uint32_t access,
                 RegistryKey& key) override;
    long queryValue(RegistryKey key, const std::string& name, std::uint32_t& type,
                    unsigned char* buffer, std::uint32_t& size) override;
    long closeKey(RegistryKey key) override;
};

// Starts programs on Windows. Elsewhere it finds no file and starts nothing, since the only
// program the game starts is the Windows system-information tool.
class SystemProgramRunner final : public ProgramRunner {
public:
    bool fileExists(const std::string& path) override;
    bool start(const std::string& path) override;
};

} // namespace platform
