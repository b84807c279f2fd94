// The system-information tool: where the registry says it is, and how it is started.
#include "platform/sys_info.h"

#include <array>

namespace platform {

namespace {

constexpr std::uint32_t kBufferSize = 1024;

const char* const kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kMsinfoValue = "PATH";
const char* const kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char* const kLocationValue = "MSINFO";
const char* const kToolName = "\\MSINFO32.EXE";

// The bytes of a number, most significant first, two hexadecimal digits each.
std::string dwordText(const unsigned char* bytes, std::uint32_t size)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "&h";
    for (std::uint32_t i = size; i > 0; --i) {
        text += digits[bytes[i - 1] >> 4];
        text += digits[bytes[i - 1] & 0x0F];
    }
    return text;
}

} // namespace

KeyValueResult GetKeyValue(Registry& registry, std::uint32_t root, const std::string& keyPath,
                           const std::string& valueName, std::string& value)
{
    RegistryKey key = 0;
    if (registry.openKey(root, keyPath, kKeyAccess, key) != kErrorSuccess) {
        value.clear();
        return {KeyValueResult::Kind::Missing};
    }

    std::array<unsigned char, kBufferSize> buffer{};
    std::uint32_t size = kBufferSize;
    std::uint32_t type = 0;
    if (registry.queryValue(key, valueName, type, buffer.data(), size) != kErrorSuccess) {
        value.clear();
        registry.closeKey(key);
        return {KeyValueResult::Kind::Missing};
    }

    // Nothing stored, or more than the buffer holds, cannot be cut into a value.
    if (size == 0 || size > kBufferSize) {
        registry.closeKey(key);
        return {KeyValueResult::Kind::Failed};
    }

    // A text stored with its terminating NUL loses it; one stored without keeps every byte.
    const std::uint32_t length = buffer[size - 1] == 0 ? size - 1 : size;
    if (type == kRegSz) {
        value.assign(reinterpret_cast<const char*>(buffer.data()), length);
    } else if (type == kRegDword) {
        value = dwordText(buffer.data(), size);
    }
    registry.closeKey(key);
    return {KeyValueResult::Kind::Read};
}

bool StartSysInfo(Registry& registry, ProgramRunner& runner)
{
    std::string path;
    const KeyValueResult direct = GetKeyValue(registry, kHkeyLocalMachine, kMsinfoKey,
                                              kMsinfoValue, path);
    if (direct.failed()) {
        return false;
    }
    if (!direct) {
        const KeyValueResult folder = GetKeyValue(registry, kHkeyLocalMachine, kLocationKey,
                                                  kLocationValue, path);
        // A value of another type leaves the folder empty: no folder to look in.
        if (!folder || path.empty()) {
            return false;
        }
        path += kToolName;
        if (!runner.fileExists(path)) {
            return false;
        }
    }
    // The tool's own path is not checked first: a start that fails is the check.
    if (path.empty()) {
        return false;
    }
    return runner.start(path);
}

} // namespace platform
