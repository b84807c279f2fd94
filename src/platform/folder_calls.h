// The few system calls the folder store makes, on bare names inside one folder. Plain C++, so
// that the power-cut tests can put a recording layer under the real store.
#pragma once

#include "records/store.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// Every call returns 0 or the system's error code (errno on POSIX, GetLastError on Windows).
// No call follows a symbolic link, and a name never reaches outside the folder.
class FolderCalls {
public:
    using Handle = std::intptr_t;
    virtual ~FolderCalls() = default;

    // What stands at the name; a name with nothing there is Missing with code 0.
    virtual int inspect(const std::string& name, records::EntryKind& kind) = 0;
    // Opens a plain file for reading without waiting (a pipe never blocks) and tells its size;
    // a link, a folder or any other object gives an error.
    virtual int openRead(const std::string& name, Handle& handle, std::uint64_t& size) = 0;
    virtual int read(Handle handle, char* buffer, std::size_t wanted, std::size_t& got) = 0;
    // Creates a new file; fails when anything stands at the name.
    virtual int create(const std::string& name, Handle& handle) = 0;
    virtual int write(Handle handle, std::string_view bytes) = 0;
    // Opens an existing plain file for writing, never through a link and without waiting, and
    // tells its size and whether it has other names too (hard links, maybe outside the folder);
    // a link, a folder or any other object gives an error.
    virtual int openWrite(const std::string& name, Handle& handle, std::uint64_t& size, bool& shared) = 0;
    // Cuts the open file to `length` bytes, then writes `bytes` from there on.
    virtual int writeAt(Handle handle, std::uint64_t length, std::string_view bytes) = 0;
    // Forces the file's data to the disk.
    virtual int sync(Handle handle) = 0;
    virtual int close(Handle handle) = 0;
    // Gives `from` the name `to`, replacing whatever file or link stands there (never what a
    // link points to).
    virtual int rename(const std::string& from, const std::string& to) = 0;
    // The same, but fails when anything stands at `to`.
    virtual int renameNoReplace(const std::string& from, const std::string& to) = 0;
    // Removes a file or a link.
    virtual int unlink(const std::string& name) = 0;
    // Forces the folder's entries (creations, renames, removals) to the disk.
    virtual int syncFolder() = 0;
    // Tells every name in the folder but "." and "..".
    virtual int list(const std::function<void(std::string_view)>& visit) = 0;

    // What a code means to the game, and the system's words for it.
    virtual records::StoreFailure failureKind(int code) const = 0;
    virtual std::string errorText(int code) const = 0;
};

// Calls that pass everything on to other calls: a layer that changes a few of them (a slow or
// recording disk) overrides only those.
class ForwardingFolderCalls : public FolderCalls {
public:
    explicit ForwardingFolderCalls(std::unique_ptr<FolderCalls> inner) : m_inner(std::move(inner)) {}
    int inspect(const std::string& name, records::EntryKind& kind) override { return m_inner->inspect(name, kind); }
    int openRead(const std::string& name, Handle& handle, std::uint64_t& size) override
    {
        return m_inner->openRead(name, handle, size);
    }
    int read(Handle handle, char* buffer, std::size_t wanted, std::size_t& got) override
    {
        return m_inner->read(handle, buffer, wanted, got);
    }
    int create(const std::string& name, Handle& handle) override { return m_inner->create(name, handle); }
    int write(Handle handle, std::string_view bytes) override { return m_inner->write(handle, bytes); }
    int openWrite(const std::string& name, Handle& handle, std::uint64_t& size, bool& shared) override
    {
        return m_inner->openWrite(name, handle, size, shared);
    }
    int writeAt(Handle handle, std::uint64_t length, std::string_view bytes) override
    {
        return m_inner->writeAt(handle, length, bytes);
    }
    int sync(Handle handle) override { return m_inner->sync(handle); }
    int close(Handle handle) override { return m_inner->close(handle); }
    int rename(const std::string& from, const std::string& to) override { return m_inner->rename(from, to); }
    int renameNoReplace(const std::string& from, const std::string& to) override
    {
        return m_inner->renameNoReplace(from, to);
    }
    int unlink(const std::string& name) override { return m_inner->unlink(name); }
    int syncFolder() override { return m_inner->syncFolder(); }
    int list(const std::function<void(std::string_view)>& visit) override { return m_inner->list(visit); }
    records::StoreFailure failureKind(int code) const override { return m_inner->failureKind(code); }
    std::string errorText(int code) const override { return m_inner->errorText(code); }

private:
    std::unique_ptr<FolderCalls> m_inner;
};

// The real calls on a folder of the disk, opened once: later renames of the folder do not
// redirect the game's files. A folder that cannot be opened fails every call with its reason.
std::unique_ptr<FolderCalls> systemFolderCalls(const std::filesystem::path& folder);

} // namespace platform
