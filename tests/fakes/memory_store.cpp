// The in-memory store for tests.
#include "fakes/memory_store.h"

namespace fakes {

using platform::StoreError;
using platform::StoreFailure;

std::optional<std::string> MemoryStore::get(const std::string& name) const
{
    auto it = m_files.find(name);
    if (it == m_files.end()) {
        return std::nullopt;
    }
    return it->second;
}

platform::ReadResult MemoryStore::read(const std::string& name)
{
    platform::ReadResult result;
    auto failing = m_failReads.find(name);
    if (failing != m_failReads.end() && failing->second != 0) {
        if (failing->second > 0) {
            --failing->second;
        }
        result.error = {StoreFailure::Other, name, "injected read failure"};
        return result;
    }
    auto it = m_files.find(name);
    if (it == m_files.end()) {
        result.error = {StoreFailure::Missing, name, "no such file"};
        return result;
    }
    result.bytes = it->second;
    return result;
}

bool MemoryStore::exists(const std::string& name) { return m_files.count(name) != 0; }

bool MemoryStore::writeFails(const std::string& name, StoreError& error)
{
    if (m_failAll != StoreFailure::None) {
        error = {m_failAll, name, "injected failure"};
        return true;
    }
    auto it = m_failWrites.find(name);
    if (it != m_failWrites.end() && it->second.second != 0) {
        if (it->second.second > 0) {
            --it->second.second;
        }
        error = {it->second.first, name, "injected failure"};
        return true;
    }
    return false;
}

StoreError MemoryStore::replace(const std::string& name, std::string_view bytes)
{
    StoreError error;
    if (writeFails(name, error)) {
        return error;
    }
    m_files[name] = std::string(bytes);
    m_log.push_back("replace " + name);
    return {};
}

StoreError MemoryStore::remove(const std::string& name)
{
    StoreError error;
    if (writeFails(name, error)) {
        return error;
    }
    m_files.erase(name);
    m_log.push_back("remove " + name);
    return {};
}

StoreError MemoryStore::rename(const std::string& from, const std::string& to)
{
    StoreError error;
    if (writeFails(from, error)) {
        return error;
    }
    auto it = m_files.find(from);
    if (it == m_files.end()) {
        return {StoreFailure::Missing, from, "no such file"};
    }
    if (m_files.count(to) != 0) {
        return {StoreFailure::Other, to, "target exists"};
    }
    m_files[to] = it->second;
    m_files.erase(from);
    m_log.push_back("rename " + from + " " + to);
    return {};
}

StoreError MemoryStore::syncFolder()
{
    if (m_failAll != StoreFailure::None) {
        return {m_failAll, ".", "injected failure"};
    }
    return {};
}

std::vector<std::string> MemoryStore::replaced() const
{
    std::vector<std::string> names;
    for (const std::string& entry : m_log) {
        if (entry.rfind("replace ", 0) == 0) {
            names.push_back(entry.substr(8));
        }
    }
    return names;
}

void MemoryStore::failWrites(const std::string& name, StoreFailure kind, int times)
{
    m_failWrites[name] = {kind, times};
}

void MemoryStore::failReads(const std::string& name, int times) { m_failReads[name] = times; }

void MemoryStore::heal()
{
    m_failWrites.clear();
    m_failReads.clear();
    m_failAll = StoreFailure::None;
}

} // namespace fakes
