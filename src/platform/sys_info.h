// Finding and starting the system-information tool through the registry, for the about box.
// Plain C++ (no Qt) so that it builds and is tested under Windows on its own.
#pragma once

#include "platform/registry.h"

#include <cstdint>
#include <string>

namespace platform {

// What GetKeyValue made of one value. Converts to true only when the value was read.
struct KeyValueResult {
    enum class Kind {
        Read,    // the value text was set (or, for a type without a text form, left as it was)
        Missing, // no such key or value: the value text was emptied
        Failed,  // the registry answered something unusable, such as a size of zero
    } kind;
    explicit operator bool() const { return kind == Kind::Read; }
    bool failed() const { return kind == Kind::Failed; }
};

// Reads one value under root/keyPath. A text value comes back without its terminating NUL,
// a REG_DWORD as "&h" and its bytes in hexadecimal, most significant first; a value of any
// other type leaves the value text as it was. Every key it opens is closed again.
KeyValueResult GetKeyValue(Registry& registry, std::uint32_t root, const std::string& keyPath,
                           const std::string& valueName, std::string& value);

// Finds the system-information tool and starts it. False means the player must be told that
// system information is not available now.
bool StartSysInfo(Registry& registry, ProgramRunner& runner);

} // namespace platform
