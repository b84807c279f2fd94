// The files of the play folder: read whole, replaced whole, failures returned as values.
#pragma once

#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class StoreFailure {
    None,
    Missing,    // no such file
    Permission, // the folder or file may not be written (read-only folder, access denied)
    NoSpace,    // the disk is full
    NotAFile,   // something that is not a file (a folder, say) stands at that name
    Other,      // any other input/output error
};

struct StoreError {
    StoreFailure kind = StoreFailure::None;
    std::string file;   // the bare name the operation was about
    std::string detail; // the system's own words, for the curious; never shown alone
    explicit operator bool() const { return kind != StoreFailure::None; }
};

struct ReadResult {
    StoreError error; // kind Missing when the file is not there
    std::string bytes;
};

// Files by bare name in one folder (the game's working directory).
class TextStore {
public:
    virtual ~TextStore() = default;
    virtual ReadResult read(const std::string& name) = 0;
    virtual bool exists(const std::string& name) = 0;
    // Afterwards the file holds either its old bytes or the new ones, never a part of them;
    // the new bytes are on the disk (synced) before the file takes their name.
    virtual StoreError replace(const std::string& name, std::string_view bytes) = 0;
    // Removing a file that is not there succeeds.
    virtual StoreError remove(const std::string& name) = 0;
    // Renames a file; fails when the target exists.
    virtual StoreError rename(const std::string& from, const std::string& to) = 0;
    // Makes the renames and removals made so far durable (syncs the folder itself).
    virtual StoreError syncFolder() = 0;
    // Removes what a replace of one of these files that was cut short by a crash can have left
    // beside it (a temporary file), and returns how many went. Only safe while no other copy
    // of the game writes in the folder. None by default: a store in memory leaves nothing.
    virtual int removeLeftovers(const std::vector<std::string>& names)
    {
        static_cast<void>(names);
        return 0;
    }
};

// The steps by which a store changes the disk, in the order a replace takes them.
enum class FileStep {
    Open,       // creating the temporary file
    Write,      // writing the new bytes into it
    Sync,       // syncing them to the disk
    Commit,     // renaming it over the file
    Remove,     // removing a file
    Rename,     // renaming a file
    SyncFolder, // syncing the folder's entries
};

// The real store: files in a folder on disk, each replaced through a synced temporary file.
class FolderStore final : public TextStore {
public:
    // Called just before each step that changes the disk, with the file's bare name ("." for
    // the folder): the crash tests stop the program there. None by default.
    using StepHook = std::function<void(FileStep, const std::string&)>;

    explicit FolderStore(QString folder);
    void setStepHook(StepHook hook) { m_stepHook = std::move(hook); }
    ReadResult read(const std::string& name) override;
    bool exists(const std::string& name) override;
    StoreError replace(const std::string& name, std::string_view bytes) override;
    StoreError remove(const std::string& name) override;
    StoreError rename(const std::string& from, const std::string& to) override;
    StoreError syncFolder() override;
    int removeLeftovers(const std::vector<std::string>& names) override;
    const QString& folder() const { return m_folder; }

private:
    QString path(const std::string& name) const;
    void step(FileStep kind, const std::string& name) const
    {
        if (m_stepHook) {
            m_stepHook(kind, name);
        }
    }
    QString m_folder;
    StepHook m_stepHook;
};

} // namespace platform
