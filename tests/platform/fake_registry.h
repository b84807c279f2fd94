// A registry and a program runner held in memory, recording what the game asked of them.
#pragma once

#include "platform/registry.h"

#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fakes {

class FakeRegistry final : public platform::Registry {
public:
    static constexpr long kFileNotFound = 2;
    static constexpr long kInvalidHandle = 6;
    static constexpr long kMoreData = 234;

    struct Value {
        std::uint32_t type = platform::kRegSz;
        std::string bytes;                      // exactly what is stored, NULs included
        std::optional<std::uint32_t> sizeShown; // a size to report instead of the real one
    };

    // A text value stored the usual way, with its terminating NUL.
    void setText(const std::string& key, const std::string& name, const std::string& text)
    {
        m_keys[key][name] = {platform::kRegSz, text + '\0', {}};
    }
    void setValue(const std::string& key, const std::string& name, Value value)
    {
        m_keys[key][name] = std::move(value);
    }
    void addKey(const std::string& key) { m_keys[key]; }

    long openKey(std::uint32_t root, const std::string& path, std::uint32_t access,
                 platform::RegistryKey& key) override
    {
        opened.push_back(path);
        roots.push_back(root);
        accesses.push_back(access);
        if (root != platform::kHkeyLocalMachine || m_keys.count(path) == 0) {
            return kFileNotFound;
        }
        key = m_nextHandle++;
        m_open[key] = path;
        return platform::kErrorSuccess;
    }

    long queryValue(platform::RegistryKey key, const std::string& name, std::uint32_t& type,
                    unsigned char* buffer, std::uint32_t& size) override
    {
        const auto handle = m_open.find(key);
        if (handle == m_open.end()) {
            return kInvalidHandle;
        }
        const auto& values = m_keys[handle->second];
        const auto found = values.find(name);
        if (found == values.end()) {
            return kFileNotFound;
        }
        const Value& value = found->second;
        type = value.type;
        if (value.bytes.size() > size) {
            size = static_cast<std::uint32_t>(value.bytes.size());
            return kMoreData;
        }
        std::memcpy(buffer, value.bytes.data(), value.bytes.size());
        size = value.sizeShown.value_or(static_cast<std::uint32_t>(value.bytes.size()));
        return platform::kErrorSuccess;
    }

    long closeKey(platform::RegistryKey key) override
    {
        closed.push_back(key);
        return m_open.erase(key) == 1 ? platform::kErrorSuccess : kInvalidHandle;
    }

    // Keys opened and not closed again.
    std::size_t openCount() const { return m_open.size(); }

    std::vector<std::string> opened;
    std::vector<std::uint32_t> roots;
    std::vector<std::uint32_t> accesses;
    std::vector<platform::RegistryKey> closed;

private:
    std::map<std::string, std::map<std::string, Value>> m_keys;
    std::map<platform::RegistryKey, std::string> m_open;
    platform::RegistryKey m_nextHandle = 0x100;
};

class FakeRunner final : public platform::ProgramRunner {
public:
    bool fileExists(const std::string& path) override
    {
        checked.push_back(path);
        return files.count(path) == 1;
    }
    bool start(const std::string& path) override
    {
        attempted.push_back(path);
        if (startable.count(path) == 0) {
            return false;
        }
        started.push_back(path);
        return true;
    }

    std::set<std::string> files;     // normal files that exist
    std::set<std::string> startable; // programs that start
    std::vector<std::string> checked;
    std::vector<std::string> attempted;
    std::vector<std::string> started;
};

} // namespace fakes
