// A store in memory that logs every operation and fails the ones it is told to.
#pragma once

#include "records/store.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fakes {

class MemoryStore final : public records::TextStore {
public:
    using records::TextStore::read;
    records::ReadResult readUpTo(const std::string& name, std::size_t limit) override;
    records::EntryKind entry(const std::string& name) override;
    bool exists(const std::string& name) const { return m_files.count(name) != 0; }
    records::StoreError replace(const std::string& name, std::string_view bytes) override;
    records::StoreError append(const std::string& name, std::uint64_t length, std::string_view bytes) override;
    records::StoreError remove(const std::string& name) override;
    records::StoreError rename(const std::string& from, const std::string& to) override;
    records::StoreError syncFolder() override;
    records::StoreError eachName(const std::function<void(std::string_view)>& visit) override;

    // Test set-up and inspection.
    void put(const std::string& name, std::string bytes) { m_files[name] = std::move(bytes); }
    // Something that is not a plain file at a name: a link, a folder or a pipe.
    void putOdd(const std::string& name, records::EntryKind kind) { m_odd[name] = kind; }
    std::optional<std::string> get(const std::string& name) const;
    const std::map<std::string, std::string>& files() const { return m_files; }
    // Every replace, remove and rename in order, as "replace Data1", "remove x", "rename a b".
    const std::vector<std::string>& log() const { return m_log; }
    std::vector<std::string> replaced() const; // the names replaced, in order
    void clearLog() { m_log.clear(); }

    // Makes operations on this name fail with the given kind, from now on (or the next `times`).
    void failWrites(const std::string& name, records::StoreFailure kind, int times = -1);
    void failReads(const std::string& name, int times = -1);
    // Makes only the removal of this name fail (an unlink that fails), the next `times` times.
    void failRemoves(const std::string& name, int times = -1) { m_failRemoves[name] = times; }
    // Makes the next `times` looks at this name fail: what stands there cannot be told.
    void failLooks(const std::string& name, int times = -1) { m_failLooks[name] = times; }
    // How many times a name was read.
    int reads(const std::string& name) const { return m_reads.count(name) != 0 ? m_reads.at(name) : 0; }
    // Fails every write from now on (a full disk, a read-only folder).
    void failAllWrites(records::StoreFailure kind) { m_failAll = kind; }
    void heal();

private:
    bool writeFails(const std::string& name, records::StoreError& error);

    std::map<std::string, std::string> m_files;
    std::map<std::string, records::EntryKind> m_odd;
    std::vector<std::string> m_log;
    std::map<std::string, std::pair<records::StoreFailure, int>> m_failWrites;
    std::map<std::string, int> m_failReads;
    std::map<std::string, int> m_failRemoves;
    std::map<std::string, int> m_failLooks;
    std::map<std::string, int> m_reads;
    records::StoreFailure m_failAll = records::StoreFailure::None;
};

} // namespace fakes
