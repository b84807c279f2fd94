// The registry and program runner away from Windows: no keys, no system-information tool.
#include "platform/registry.h"

namespace platform {

namespace {
constexpr long kErrorFileNotFound = 2; // what Windows answers for a missing key or value
constexpr long kErrorInvalidHandle = 6;
} // namespace

long SystemRegistry::openKey(std::uint32_t, const std::string&, std::uint32_t, RegistryKey& key)
{
    key = 0;
    return kErrorFileNotFound;
}

long SystemRegistry::queryValue(RegistryKey, const std::string&, std::uint32_t& type,
                                unsigned char*, std::uint32_t& size)
{
    type = 0;
    size = 0;
    return kErrorInvalidHandle;
}

long SystemRegistry::closeKey(RegistryKey) { return kErrorInvalidHandle; }

bool SystemProgramRunner::fileExists(const std::string&) { return false; }

bool SystemProgramRunner::start(const std::string&) { return false; }

} // namespace platform
