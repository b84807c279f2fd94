// The real text store: the files of one folder on disk, each replaced through a synced
// temporary file of the game's own, and never through a link.
#pragma once

#include "platform/folder_calls.h"
#include "records/store.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace platform {

// The steps by which the store changes the disk, in the order a replace takes them.
enum class FileStep {
    Open,       // creating the temporary file
    Write,      // writing the new bytes into it
    Sync,       // syncing them to the disk
    Commit,     // renaming it over the file
    Remove,     // removing a file
    Rename,     // renaming a file
    SyncFolder, // syncing the folder's entries
};

class FolderStore final : public records::TextStore {
public:
    // Called just before each step that changes the disk, with the file's bare name ("." for
    // the folder): the crash tests stop the program there. None by default.
    using StepHook = std::function<void(FileStep, const std::string&)>;

    // The folder's path in the system's own form (any bytes on Linux).
    explicit FolderStore(const std::filesystem::path& folder = {});
    // Over other calls than the system's: the power-cut tests record them.
    explicit FolderStore(std::unique_ptr<FolderCalls> calls);

    void setStepHook(StepHook hook) { m_stepHook = std::move(hook); }
    records::ReadResult readUpTo(const std::string& name, std::size_t limit) override;
    records::EntryKind entry(const std::string& name) override;
    records::StoreError replace(const std::string& name, std::string_view bytes) override;
    records::StoreError append(const std::string& name, std::uint64_t length, std::string_view bytes) override;
    records::StoreError remove(const std::string& name) override;
    records::StoreError rename(const std::string& from, const std::string& to) override;
    records::StoreError syncFolder() override;
    records::StoreError eachName(const std::function<void(std::string_view)>& visit) override;

private:
    records::StoreError failure(const std::string& name, int code) const;
    void step(FileStep kind, const std::string& name) const
    {
        if (m_stepHook) {
            m_stepHook(kind, name);
        }
    }
    std::unique_ptr<FolderCalls> m_calls;
    StepHook m_stepHook;
};

} // namespace platform
