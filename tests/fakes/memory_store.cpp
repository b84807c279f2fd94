// The in-memory store for tests.
#include "fakes/memory_store.h"

namespace fakes {

using records::StoreError;
using records::StoreFailure;

std::optional<std::string> MemoryStore::get(const std::string& name) const
{
    auto it = m_files.find(name);
    if (it == m_files.end()) {
        return std::nullopt;
    }
    return it->second;
}

records::EntryKind MemoryStore::entry(const std::string& name)
{
    if (auto failing = m_failLooks.find(name); failing != m_failLooks.end() && failing->second != 0) {
        if (failing->second > 0) {
            --failing->second;
        }
        return records::EntryKind::Unknown;
    }
    if (auto odd = m_odd.find(name); odd != m_odd.end()) {
        return odd->second;
    }
    return m_files.count(name) != 0 ? records::EntryKind::File : records::EntryKind::Missing;
}

records::ReadResult MemoryStore::readUpTo(const std::string& name, std::size_t limit)
{
    records::ReadResult result;
    ++m_reads[name];
    auto failing = m_failReads.find(name);
    if (failing != m_failReads.end() && failing->second != 0) {
        if (failing->second > 0) {
            --failing->second;
        }
        result.error = {StoreFailure::Other, name, "injected read failure"};
        return result;
    }
    if (m_odd.count(name) != 0) {
        result.error = {StoreFailure::NotAFile, name, "not a plain file"};
        return result;
    }
    auto it = m_files.find(name);
    if (it == m_files.end()) {
        result.error = {StoreFailure::Missing, name, "no such file"};
        return result;
    }
    if (it->second.size() > limit) {
        result.error = {StoreFailure::TooLarge, name, "too large"};
        return result;
    }
    result.bytes = it->second;
    return result;
}

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
    if (auto odd = m_odd.find(name); odd != m_odd.end()) {
        if (odd->second != records::EntryKind::Link) {
            return {StoreFailure::NotAFile, name, "not a plain file"};
        }
        m_odd.erase(odd); // the new file takes the link's place
    }
    m_files[name] = std::string(bytes);
    m_log.push_back("replace " + name);
    return {};
}

StoreError MemoryStore::append(const std::string& name, std::uint64_t length, std::string_view bytes)
{
    StoreError error;
    if (writeFails(name, error)) {
        return error;
    }
    if (m_odd.count(name) != 0) {
        return {StoreFailure::NotAFile, name, "not a plain file"};
    }
    auto it = m_files.find(name);
    if (it == m_files.end() ? length != 0 : it->second.size() < length) {
        return {StoreFailure::Missing, name, "shorter than the part to append to"};
    }
    std::string& file = m_files[name];
    file.resize(static_cast<std::size_t>(length));
    file += bytes;
    m_log.push_back("append " + name);
    return {};
}

StoreError MemoryStore::remove(const std::string& name)
{
    StoreError error;
    if (writeFails(name, error)) {
        return error;
    }
    if (auto failing = m_failRemoves.find(name); failing != m_failRemoves.end() && failing->second != 0) {
        if (failing->second > 0) {
            --failing->second;
        }
        return {StoreFailure::Other, name, "injected removal failure"};
    }
    if (auto odd = m_odd.find(name); odd != m_odd.end()) {
        if (odd->second != records::EntryKind::Link) {
            return {StoreFailure::NotAFile, name, "not a plain file"};
        }
        m_odd.erase(odd);
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
    if (m_files.count(to) != 0 || m_odd.count(to) != 0) {
        return {StoreFailure::Other, to, "target exists"};
    }
    if (auto odd = m_odd.find(from); odd != m_odd.end()) {
        if (odd->second != records::EntryKind::Link) {
            return {StoreFailure::NotAFile, from, "not a plain file"};
        }
        m_odd[to] = odd->second;
        m_odd.erase(odd);
        m_log.push_back("rename " + from + " " + to);
        return {};
    }
    auto it = m_files.find(from);
    if (it == m_files.end()) {
        return {StoreFailure::Missing, from, "no such file"};
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
    m_failRemoves.clear();
    m_failLooks.clear();
    m_failAll = StoreFailure::None;
}

StoreError MemoryStore::eachName(const std::function<void(std::string_view)>& visit)
{
    for (const auto& [name, bytes] : m_files) {
        if (m_odd.count(name) == 0) {
            visit(name);
        }
    }
    for (const auto& [name, kind] : m_odd) {
        visit(name);
    }
    return {};
}

} // namespace fakes
