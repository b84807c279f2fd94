// The files of the play folder as the saving rules see them: read whole, replaced whole,
// failures returned as values. Plain C++: the platform layer implements it over the system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace records {

// One file's whole new content.
struct FileContent {
    std::string name;
    std::string bytes;
    friend bool operator==(const FileContent&, const FileContent&) = default;
};

enum class StoreFailure {
    None,
    Missing,    // no such file
    Permission, // the folder or file may not be written (read-only folder, access denied)
    NoSpace,    // the disk is full
    NotAFile,   // something that is not a plain file (a folder, a link, a pipe) stands there
    TooLarge,   // larger than the reader takes: not a file the game wrote
    FolderGone, // the play folder itself is no longer there
    NotLocked,  // the play folder could not be locked for this game: nothing is written
    Other,      // any other input/output error
};

struct StoreError {
    StoreFailure kind = StoreFailure::None;
    std::string file;   // the bare name the operation was about ("." for the folder)
    std::string detail; // the system's own words, for the curious; never shown alone
    explicit operator bool() const { return kind != StoreFailure::None; }
};

struct ReadResult {
    StoreError error; // kind Missing when the file is not there
    std::string bytes;
};

// What stands at a name, without following a link. Unknown: the look itself failed (the disk did
// not answer), so the name is neither free nor known to hold anything in particular.
enum class EntryKind { Missing, File, Link, Folder, Other, Unknown };

// The largest file a plain read takes into memory. No file of the game comes near it.
inline constexpr std::size_t kLargestRead = std::size_t{64} * 1024 * 1024;

// Files by bare name in one folder (the game's play folder). No operation ever follows a
// symbolic link or leaves the folder: a link at a name is never read through, and a replace
// puts the new file in the link's place, leaving whatever it pointed to alone.
class TextStore {
public:
    virtual ~TextStore() = default;
    // Reads a plain file whole, if it is at most `limit` bytes (TooLarge otherwise).
    virtual ReadResult readUpTo(const std::string& name, std::size_t limit) = 0;
    ReadResult read(const std::string& name) { return readUpTo(name, kLargestRead); }
    // The same, tried once more after an error of the disk itself: the start reads the saved game
    // this way, so that one failed read never sets a game aside as damaged.
    ReadResult readSteadily(const std::string& name, std::size_t limit = kLargestRead)
    {
        ReadResult result = readUpTo(name, limit);
        if (result.error.kind == StoreFailure::Other) {
            result = readUpTo(name, limit);
        }
        return result;
    }
    virtual EntryKind entry(const std::string& name) = 0;
    // Afterwards the name holds either its old content or the new bytes, never a part of them;
    // the new bytes are on the disk (synced) before the file takes their name. A folder or
    // another object at the name is left alone (NotAFile).
    virtual StoreError replace(const std::string& name, std::string_view bytes) = 0;
    // Cuts the plain file back to `length` bytes, writes `bytes` after them and syncs it, so
    // doing it twice leaves what doing it once does. A name with nothing there is created when
    // `length` is 0; a file shorter than `length`, or none, is Missing (the part to append to is
    // not there); a link or a folder is NotAFile and is never followed.
    virtual StoreError append(const std::string& name, std::uint64_t length, std::string_view bytes) = 0;
    // Removes a file or a link; removing what is not there succeeds; a folder is NotAFile.
    virtual StoreError remove(const std::string& name) = 0;
    // Renames a file or a link; never replaces: fails when anything stands at `to`.
    virtual StoreError rename(const std::string& from, const std::string& to) = 0;
    // Makes the names created, renamed and removed so far durable (syncs the folder itself).
    virtual StoreError syncFolder() = 0;
    // Tells every name that stands in the folder (files, links, folders alike), in no order.
    virtual StoreError eachName(const std::function<void(std::string_view)>& visit) = 0;
};

// A store that reads through another and writes nothing: the game plays on it when the play
// folder could not be locked, so that two copies never write over each other's saves.
class ReadOnlyStore final : public TextStore {
public:
    explicit ReadOnlyStore(TextStore& inner) : m_inner(inner) {}
    ReadResult readUpTo(const std::string& name, std::size_t limit) override { return m_inner.readUpTo(name, limit); }
    EntryKind entry(const std::string& name) override { return m_inner.entry(name); }
    StoreError replace(const std::string& name, std::string_view) override { return refused(name); }
    StoreError append(const std::string& name, std::uint64_t, std::string_view) override { return refused(name); }
    StoreError remove(const std::string& name) override { return refused(name); }
    StoreError rename(const std::string& from, const std::string&) override { return refused(from); }
    StoreError syncFolder() override { return refused("."); }
    StoreError eachName(const std::function<void(std::string_view)>& visit) override { return m_inner.eachName(visit); }

private:
    static StoreError refused(const std::string& name)
    {
        return {StoreFailure::NotLocked, name, "the play folder is not locked for this game"};
    }
    TextStore& m_inner;
};

// A store that writes only while the play folder's lock is still this game's (`held` says so):
// once its lock file has been removed or replaced by hand, another copy may lock the folder, and
// this one writes nothing more, so that two copies never write over each other's saves.
class LockedStore final : public TextStore {
public:
    LockedStore(TextStore& inner, std::function<bool()> held) : m_inner(inner), m_held(std::move(held)) {}
    ReadResult readUpTo(const std::string& name, std::size_t limit) override { return m_inner.readUpTo(name, limit); }
    EntryKind entry(const std::string& name) override { return m_inner.entry(name); }
    StoreError replace(const std::string& name, std::string_view bytes) override
    {
        return m_held() ? m_inner.replace(name, bytes) : lost(name);
    }
    StoreError append(const std::string& name, std::uint64_t length, std::string_view bytes) override
    {
        return m_held() ? m_inner.append(name, length, bytes) : lost(name);
    }
    StoreError remove(const std::string& name) override { return m_held() ? m_inner.remove(name) : lost(name); }
    StoreError rename(const std::string& from, const std::string& to) override
    {
        return m_held() ? m_inner.rename(from, to) : lost(from);
    }
    StoreError syncFolder() override { return m_inner.syncFolder(); }
    StoreError eachName(const std::function<void(std::string_view)>& visit) override { return m_inner.eachName(visit); }

private:
    static StoreError lost(const std::string& name)
    {
        return {StoreFailure::NotLocked, name, "the play folder's lock file was taken away"};
    }
    TextStore& m_inner;
    std::function<bool()> m_held;
};

} // namespace records
