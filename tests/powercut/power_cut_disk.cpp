// The power-cut disk: the folder calls over memory, and the folders a cut may leave.
#include "powercut/power_cut_disk.h"

#include <algorithm>
#include <utility>

namespace powercut {

namespace {

constexpr int kNoEntry = 2;
constexpr int kInputOutput = 5;
constexpr int kBadHandle = 9;
constexpr int kExists = 17;

class DiskCalls final : public platform::FolderCalls {
public:
    explicit DiskCalls(PowerCutDisk& disk) : m_disk(disk) {}

    int inspect(const std::string& name, records::EntryKind& kind) override
    {
        kind = names().count(name) ? records::EntryKind::File : records::EntryKind::Missing;
        return 0;
    }

    int openRead(const std::string& name, Handle& handle, std::uint64_t& size) override
    {
        const auto it = names().find(name);
        if (it == names().end()) {
            return kNoEntry;
        }
        const std::string& bytes = inode(it->second).current;
        if (m_disk.unreadable(bytes)) {
            return kInputOutput;
        }
        size = bytes.size();
        handle = open(it->second, name);
        return 0;
    }

    int read(Handle handle, char* buffer, std::size_t wanted, std::size_t& got) override
    {
        const auto it = m_open.find(handle);
        if (it == m_open.end()) {
            return kBadHandle;
        }
        const std::string& bytes = inode(it->second.inode).current;
        got = std::min(wanted, bytes.size() - std::min(bytes.size(), it->second.position));
        std::copy_n(bytes.data() + it->second.position, got, buffer);
        it->second.position += got;
        return 0;
    }

    int create(const std::string& name, Handle& handle) override
    {
        if (names().count(name)) {
            return kExists;
        }
        DiskState& disk = m_disk.state();
        const int id = static_cast<int>(disk.inodes.size());
        disk.inodes.emplace_back();
        disk.names[name] = id;
        disk.pending.push_back({NameStep::Kind::Create, {}, name, id});
        handle = open(id, name);
        m_disk.record("create " + name);
        return 0;
    }

    int write(Handle handle, std::string_view bytes) override
    {
        const auto it = m_open.find(handle);
        if (it == m_open.end()) {
            return kBadHandle;
        }
        std::string& current = inode(it->second.inode).current;
        current.resize(std::max(current.size(), it->second.position));
        current.replace(it->second.position, bytes.size(), bytes);
        it->second.position += bytes.size();
        m_disk.record("write " + it->second.name);
        return 0;
    }

    // An append: the file cut back to `length`, then the bytes; until its sync the disk may
    // keep the old bytes, the new ones or a torn mix, like any write.
    int openWrite(const std::string& name, Handle& handle, std::uint64_t& size, bool& shared) override
    {
        shared = false;
        const auto it = names().find(name);
        if (it == names().end()) {
            return kNoEntry;
        }
        size = inode(it->second).current.size();
        handle = open(it->second, name);
        return 0;
    }

    int writeAt(Handle handle, std::uint64_t length, std::string_view bytes) override
    {
        const auto it = m_open.find(handle);
        if (it == m_open.end()) {
            return kBadHandle;
        }
        std::string& current = inode(it->second.inode).current;
        current.resize(static_cast<std::size_t>(length));
        current += bytes;
        it->second.position = current.size();
        m_disk.record("write " + it->second.name);
        return 0;
    }

    int sync(Handle handle) override
    {
        const auto it = m_open.find(handle);
        if (it == m_open.end()) {
            return kBadHandle;
        }
        Inode& node = inode(it->second.inode);
        if (!m_disk.losesFileSyncs()) {
            node.durable = node.current;
        }
        m_disk.record("sync " + it->second.name);
        return 0;
    }

    int close(Handle handle) override { return m_open.erase(handle) ? 0 : kBadHandle; }

    int rename(const std::string& from, const std::string& to) override
    {
        const auto it = names().find(from);
        if (it == names().end()) {
            return kNoEntry;
        }
        DiskState& disk = m_disk.state();
        const int id = it->second;
        disk.names.erase(it);
        disk.names[to] = id;
        disk.pending.push_back({NameStep::Kind::Rename, from, to, -1});
        m_disk.record("rename " + from + " to " + to);
        return 0;
    }

    int renameNoReplace(const std::string& from, const std::string& to) override
    {
        if (names().count(to)) {
            return kExists;
        }
        return rename(from, to);
    }

    int unlink(const std::string& name) override
    {
        if (!names().count(name)) {
            return kNoEntry;
        }
        DiskState& disk = m_disk.state();
        disk.names.erase(name);
        disk.pending.push_back({NameStep::Kind::Remove, name, {}, -1});
        m_disk.record("remove " + name);
        return 0;
    }

    int syncFolder() override
    {
        DiskState& disk = m_disk.state();
        if (!m_disk.losesFolderSyncs()) {
            disk.durable = disk.names;
            disk.pending.clear();
        }
        m_disk.record("sync folder");
        return 0;
    }

    int list(const std::function<void(std::string_view)>& visit) override
    {
        for (const auto& [name, file] : m_disk.state().names) {
            visit(name);
        }
        return 0;
    }

    records::StoreFailure failureKind(int code) const override
    {
        switch (code) {
        case 0:
            return records::StoreFailure::None;
        case kNoEntry:
            return records::StoreFailure::Missing;
        default:
            return records::StoreFailure::Other;
        }
    }

    std::string errorText(int code) const override { return "disk error " + std::to_string(code); }

private:
    struct Open {
        int inode = -1;
        std::size_t position = 0;
        std::string name;
    };

    const std::map<std::string, int>& names() { return m_disk.state().names; }
    Inode& inode(int id) { return m_disk.state().inodes[static_cast<std::size_t>(id)]; }
    Handle open(int id, const std::string& name)
    {
        m_open[++m_lastHandle] = {id, 0, name};
        return m_lastHandle;
    }

    PowerCutDisk& m_disk;
    std::map<Handle, Open> m_open;
    Handle m_lastHandle = 0;
};

bool sharesAName(const NameStep& a, const NameStep& b)
{
    const auto has = [&](const std::string& name) {
        return !name.empty() && (name == b.from || name == b.to);
    };
    return has(a.from) || has(a.to);
}

// Whether step j may survive given which earlier steps did: each earlier step on one of its
// names must have survived too.
bool mayKeep(const std::vector<NameStep>& steps, const std::vector<bool>& kept, std::size_t j)
{
    for (std::size_t i = 0; i < j; ++i) {
        if (!kept[i] && sharesAName(steps[i], steps[j])) {
            return false;
        }
    }
    return true;
}

std::map<std::string, int> namesAfter(const DiskState& state, const std::vector<bool>& kept)
{
    std::map<std::string, int> names = state.durable;
    for (std::size_t i = 0; i < state.pending.size(); ++i) {
        if (!kept[i]) {
            continue;
        }
        const NameStep& step = state.pending[i];
        switch (step.kind) {
        case NameStep::Kind::Create:
            names[step.to] = step.inode;
            break;
        case NameStep::Kind::Rename:
            if (const auto it = names.find(step.from); it != names.end()) {
                const int id = it->second;
                names.erase(it);
                names[step.to] = id;
            }
            break;
        case NameStep::Kind::Remove:
            names.erase(step.from);
            break;
        }
    }
    return names;
}

std::size_t firstDifference(const std::string& a, const std::string& b)
{
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return static_cast<std::size_t>(ia - a.begin());
}

// The bytes a cut may leave in a file: with `random`, one drawn; without, a representative of
// each kind (old, new, cut short at the first differing byte, one after, halfway and one before
// the end, zeros).
std::vector<std::string> dataAfterCut(const Inode& node, std::mt19937_64* random)
{
    if (node.durable == node.current) {
        return {node.current};
    }
    const std::size_t from = firstDifference(node.durable, node.current);
    const std::size_t size = node.current.size();
    const auto shortAt = [&](std::size_t length) { return node.current.substr(0, length); };
    const std::string zeros =
        node.current.substr(0, from) + std::string(size - std::min(size, from), '\0');
    if (random) {
        switch (std::uniform_int_distribution<int>(0, 3)(*random)) {
        case 0:
            return {node.durable};
        case 1:
            return {node.current};
        case 2:
            return {size > from ? shortAt(std::uniform_int_distribution<std::size_t>(
                                      from, size - 1)(*random))
                                : node.durable};
        default:
            return {zeros};
        }
    }
    std::vector<std::string> all = {node.durable, node.current, zeros};
    for (const std::size_t length : {from, from + 1, from + (size - from) / 2, size - 1}) {
        if (length >= from && length < size) {
            all.push_back(shortAt(length));
        }
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

// Every folder for one set of surviving names, into `out`; false once `out` passes `limit`.
bool addFolders(const DiskState& state, const std::map<std::string, int>& names,
                std::set<Folder>& out, std::size_t limit)
{
    std::vector<std::pair<std::string, std::vector<std::string>>> choices;
    for (const auto& [name, id] : names) {
        choices.emplace_back(name,
                             dataAfterCut(state.inodes[static_cast<std::size_t>(id)], nullptr));
    }
    std::vector<std::size_t> pick(choices.size(), 0);
    for (;;) {
        Folder folder;
        for (std::size_t i = 0; i < choices.size(); ++i) {
            folder[choices[i].first] = choices[i].second[pick[i]];
        }
        out.insert(std::move(folder));
        if (out.size() > limit) {
            return false;
        }
        std::size_t i = 0;
        while (i < choices.size() && ++pick[i] == choices[i].second.size()) {
            pick[i++] = 0;
        }
        if (i == choices.size()) {
            return true;
        }
    }
}

bool allNames(const DiskState& state, std::vector<bool>& kept, std::size_t next,
              std::set<Folder>& out, std::size_t limit)
{
    if (next == state.pending.size()) {
        return addFolders(state, namesAfter(state, kept), out, limit);
    }
    kept[next] = false;
    if (!allNames(state, kept, next + 1, out, limit)) {
        return false;
    }
    if (mayKeep(state.pending, kept, next)) {
        kept[next] = true;
        const bool whole = allNames(state, kept, next + 1, out, limit);
        kept[next] = false;
        return whole;
    }
    return true;
}

Folder drawFolder(const DiskState& state, std::mt19937_64& random)
{
    std::vector<bool> kept(state.pending.size(), false);
    for (std::size_t j = 0; j < kept.size(); ++j) {
        kept[j] = mayKeep(state.pending, kept, j) && std::bernoulli_distribution(0.5)(random);
    }
    Folder folder;
    for (const auto& [name, id] : namesAfter(state, kept)) {
        folder[name] = dataAfterCut(state.inodes[static_cast<std::size_t>(id)], &random).front();
    }
    return folder;
}

} // namespace

PowerCutDisk::PowerCutDisk(const Folder& start, bool history) : m_keepHistory(history)
{
    for (const auto& [name, bytes] : start) {
        m_state.names[name] = static_cast<int>(m_state.inodes.size());
        m_state.inodes.push_back({bytes, bytes});
    }
    m_state.durable = m_state.names;
    m_state.step = "before the first step";
    m_history.push_back(m_state);
}

std::unique_ptr<platform::FolderCalls> PowerCutDisk::calls()
{
    return std::make_unique<DiskCalls>(*this);
}

Folder PowerCutDisk::current() const
{
    Folder folder;
    for (const auto& [name, id] : m_state.names) {
        folder[name] = m_state.inodes[static_cast<std::size_t>(id)].current;
    }
    return folder;
}

void PowerCutDisk::record(std::string step)
{
    m_state.step = std::move(step);
    if (m_keepHistory) {
        m_history.push_back(m_state);
    }
}

bool foldersAfterCut(const DiskState& state, const CutLimits& limits, std::mt19937_64& random,
                     const std::function<void(const Folder&)>& visit)
{
    std::set<Folder> folders;
    std::vector<bool> kept(state.pending.size(), false);
    const bool whole = allNames(state, kept, 0, folders, limits.exhaustive);
    if (!whole) {
        folders.clear();
        for (std::size_t tries = 0; folders.size() < limits.sample && tries < 4 * limits.sample;
             ++tries) {
            folders.insert(drawFolder(state, random));
        }
    }
    for (const Folder& folder : folders) {
        visit(folder);
    }
    return whole;
}

} // namespace powercut
