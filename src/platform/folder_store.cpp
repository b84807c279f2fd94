// The real text store: whole files in one folder, replaced through a temporary of the game's own
// name form, synced, then renamed into place (which replaces a link, never its target).
#include "platform/folder_store.h"

#include "records/names.h"
#include "records/save_set.h"

#include <array>

namespace platform {

using records::EntryKind;
using records::StoreError;
using records::StoreFailure;

namespace {

StoreError notAFile(const std::string& name)
{
    return {StoreFailure::NotAFile, name, "something that is not a plain file stands at this name"};
}

} // namespace

FolderStore::FolderStore(const std::filesystem::path& folder) : m_calls(systemFolderCalls(folder)) {}

FolderStore::FolderStore(std::unique_ptr<FolderCalls> calls) : m_calls(std::move(calls)) {}

StoreError FolderStore::failure(const std::string& name, int code) const
{
    StoreFailure kind = m_calls->failureKind(code);
    if (kind == StoreFailure::None) {
        kind = StoreFailure::Other;
    }
    return {kind, name, m_calls->errorText(code)};
}

EntryKind FolderStore::entry(const std::string& name)
{
    EntryKind kind = EntryKind::Missing;
    if (m_calls->inspect(name, kind) != 0) {
        // Never treated as a free name, nor as somebody else's object.
        return EntryKind::Unknown;
    }
    return kind;
}

records::ReadResult FolderStore::readUpTo(const std::string& name, std::size_t limit)
{
    records::ReadResult result;
    EntryKind kind = EntryKind::Missing;
    if (const int code = m_calls->inspect(name, kind); code != 0) {
        result.error = failure(name, code);
        return result;
    }
    if (kind == EntryKind::Missing) {
        result.error = {StoreFailure::Missing, name, "no such file"};
        return result;
    }
    if (kind != EntryKind::File) {
        result.error = notAFile(name);
        return result;
    }
    FolderCalls::Handle handle = 0;
    std::uint64_t size = 0;
    if (const int code = m_calls->openRead(name, handle, size); code != 0) {
        result.error = failure(name, code);
        return result;
    }
    if (size > limit) {
        m_calls->close(handle);
        result.error = {StoreFailure::TooLarge, name, "the file is larger than any the game writes"};
        return result;
    }
    result.bytes.reserve(static_cast<std::size_t>(size));
    std::array<char, 16384> buffer{};
    for (;;) {
        std::size_t got = 0;
        if (const int code = m_calls->read(handle, buffer.data(), buffer.size(), got); code != 0) {
            m_calls->close(handle);
            result.error = failure(name, code);
            result.bytes.clear();
            return result;
        }
        if (got == 0) {
            break;
        }
        // A file that grows while it is read is held to the same bound.
        if (got > limit - result.bytes.size()) {
            m_calls->close(handle);
            result.error = {StoreFailure::TooLarge, name, "the file is larger than any the game writes"};
            result.bytes.clear();
            return result;
        }
        result.bytes.append(buffer.data(), got);
    }
    m_calls->close(handle);
    return result;
}

StoreError FolderStore::replace(const std::string& name, std::string_view bytes)
{
    EntryKind kind = EntryKind::Missing;
    if (const int code = m_calls->inspect(name, kind); code != 0) {
        return failure(name, code);
    }
    // A file or a link is replaced; a folder, a pipe or a device is somebody else's.
    if (kind == EntryKind::Folder || kind == EntryKind::Other) {
        return notAFile(name);
    }
    const std::string temporary = records::temporaryName(name);
    // A temporary of the game's own left by a crash is in the way of a new one; anything else
    // at its name is somebody else's, and named as such.
    EntryKind left = EntryKind::Missing;
    if (const int code = m_calls->inspect(temporary, left); code != 0) {
        return failure(temporary, code);
    }
    if (left == EntryKind::Folder || left == EntryKind::Other) {
        return notAFile(temporary);
    }
    if (left != EntryKind::Missing) {
        step(FileStep::Remove, temporary);
        if (const int code = m_calls->unlink(temporary); code != 0) {
            return failure(temporary, code);
        }
    }
    step(FileStep::Open, name);
    FolderCalls::Handle handle = 0;
    if (const int code = m_calls->create(temporary, handle); code != 0) {
        // Nothing can be created in a folder that has been removed.
        if (m_calls->failureKind(code) == StoreFailure::Missing) {
            return {StoreFailure::FolderGone, ".", m_calls->errorText(code)};
        }
        return failure(name, code);
    }
    const auto abandon = [&](int code) {
        m_calls->close(handle);
        m_calls->unlink(temporary);
        return failure(name, code);
    };
    step(FileStep::Write, name);
    if (const int code = m_calls->write(handle, bytes); code != 0) {
        return abandon(code);
    }
    // The bytes reach the disk before they take the file's name, once.
    step(FileStep::Sync, name);
    if (const int code = m_calls->sync(handle); code != 0) {
        return abandon(code);
    }
    if (const int code = m_calls->close(handle); code != 0) {
        m_calls->unlink(temporary);
        return failure(name, code);
    }
    step(FileStep::Commit, name);
    if (const int code = m_calls->rename(temporary, name); code != 0) {
        m_calls->unlink(temporary);
        return failure(name, code);
    }
    return {};
}

StoreError FolderStore::append(const std::string& name, std::uint64_t length, std::string_view bytes)
{
    EntryKind kind = EntryKind::Missing;
    if (const int code = m_calls->inspect(name, kind); code != 0) {
        return failure(name, code);
    }
    if (kind == EntryKind::Link || kind == EntryKind::Folder || kind == EntryKind::Other) {
        return notAFile(name);
    }
    FolderCalls::Handle handle = 0;
    std::uint64_t size = 0;
    step(FileStep::Open, name);
    if (kind == EntryKind::Missing) {
        if (length != 0) {
            return {StoreFailure::Missing, name, "the file to append to is not there"};
        }
        // A crash before the bytes are whole leaves a short file that the journal cuts back.
        if (const int code = m_calls->create(name, handle); code != 0) {
            return failure(name, code);
        }
    } else {
        bool shared = false;
        if (const int code = m_calls->openWrite(name, handle, size, shared); code != 0) {
            return failure(name, code);
        }
        if (shared) {
            // Another name shares the file (a hard link, maybe outside the folder): writing in
            // place would change it there too. The file is replaced whole instead, which leaves
            // the other name as it was.
            m_calls->close(handle);
            records::ReadResult current = readUpTo(name, records::kLargestJournal);
            if (current.error) {
                return current.error;
            }
            if (current.bytes.size() < length) {
                return {StoreFailure::Missing, name, "the file is shorter than the part to append to"};
            }
            current.bytes.resize(static_cast<std::size_t>(length));
            current.bytes += bytes;
            return replace(name, current.bytes);
        }
    }
    if (size < length) {
        m_calls->close(handle);
        return {StoreFailure::Missing, name, "the file is shorter than the part to append to"};
    }
    step(FileStep::Write, name);
    if (const int code = m_calls->writeAt(handle, length, bytes); code != 0) {
        m_calls->close(handle);
        return failure(name, code);
    }
    step(FileStep::Sync, name);
    if (const int code = m_calls->sync(handle); code != 0) {
        m_calls->close(handle);
        return failure(name, code);
    }
    if (const int code = m_calls->close(handle); code != 0) {
        return failure(name, code);
    }
    return {};
}

StoreError FolderStore::remove(const std::string& name)
{
    EntryKind kind = EntryKind::Missing;
    if (const int code = m_calls->inspect(name, kind); code != 0) {
        return failure(name, code);
    }
    if (kind == EntryKind::Missing) {
        return {};
    }
    if (kind != EntryKind::File && kind != EntryKind::Link) {
        return notAFile(name);
    }
    step(FileStep::Remove, name);
    if (const int code = m_calls->unlink(name); code != 0) {
        return failure(name, code);
    }
    return {};
}

StoreError FolderStore::rename(const std::string& from, const std::string& to)
{
    EntryKind kind = EntryKind::Missing;
    if (const int code = m_calls->inspect(from, kind); code != 0) {
        return failure(from, code);
    }
    if (kind == EntryKind::Missing) {
        return {StoreFailure::Missing, from, "no such file"};
    }
    if (kind != EntryKind::File && kind != EntryKind::Link) {
        return notAFile(from);
    }
    step(FileStep::Rename, from);
    if (const int code = m_calls->renameNoReplace(from, to); code != 0) {
        StoreError error = failure(from, code);
        if (entry(to) != EntryKind::Missing) {
            error = {StoreFailure::Other, to, "something already stands at this name"};
        }
        return error;
    }
    return {};
}

StoreError FolderStore::eachName(const std::function<void(std::string_view)>& visit)
{
    if (const int code = m_calls->list(visit); code != 0) {
        return failure(".", code);
    }
    return {};
}

StoreError FolderStore::syncFolder()
{
    step(FileStep::SyncFolder, ".");
    if (const int code = m_calls->syncFolder(); code != 0) {
        return failure(".", code);
    }
    return {};
}

} // namespace platform
