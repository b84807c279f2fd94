// A play folder in memory under the real folder store, which records every disk step and gives
// back every folder a power cut after any of those steps may leave.
//
// The model of the disk (the least a file system promises; nothing else is assumed):
// - A file's bytes are durable only after a sync of that file. Until then a power cut may bring
//   them back as the old bytes (those of its last sync; nothing for a new file), as the new
//   bytes, cut short (the first L new bytes, for any L from where old and new first differ), or
//   as zeros in the new length from that point on.
// - A name (create, rename, remove) is durable only after a sync of the folder. Until then each
//   of these steps may or may not have reached the disk, in any order between different names;
//   steps on the same name keep their order (a rename belongs to both its names), so what
//   survives is a set of steps that holds, for every step in it, each earlier step on any of
//   its names.
// - A rename is atomic: after a power cut the name points to the old file or the new one,
//   never to neither and never to a mix.
// - A file's bytes belong to the file, not to a name: a rename carries them as they are.
// - Closing a file and reading change nothing on the disk.
#pragma once

#include "platform/folder_calls.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace powercut {

// What a folder holds: name to bytes (every entry a plain file).
using Folder = std::map<std::string, std::string>;

// One file on the disk.
struct Inode {
    std::string durable; // as of its last sync
    std::string current; // as the program sees it
};

// A step on the folder's names since its last sync.
struct NameStep {
    enum class Kind { Create, Rename, Remove } kind = Kind::Create;
    std::string from; // Rename and Remove
    std::string to;   // Create and Rename
    int inode = -1;   // Create
};

// The whole disk after a step: what the program sees and what a power cut may keep.
struct DiskState {
    std::vector<Inode> inodes;
    std::map<std::string, int> names;   // as the program sees them
    std::map<std::string, int> durable; // as of the last folder sync
    std::vector<NameStep> pending;      // since the last folder sync, in order
    std::string step;                   // the step that led here, for failure messages
};

// How the folders after a cut are drawn.
struct CutLimits {
    std::size_t exhaustive = 20000; // up to this many, every folder; beyond it, a sample
    std::size_t sample = 1000;      // how many are drawn then
};

class PowerCutDisk {
public:
    // `history`: keep the disk after every step (for the run that is cut).
    explicit PowerCutDisk(const Folder& start = {}, bool history = true);

    // Calls over this disk, for a platform::FolderStore; the disk outlives them.
    std::unique_ptr<platform::FolderCalls> calls();

    // Files whose bytes are these cannot be read (a bad spot on the disk): read fails with an
    // input/output error.
    void setUnreadable(std::set<std::string> bytes) { m_unreadable = std::move(bytes); }
    bool unreadable(const std::string& bytes) const { return m_unreadable.count(bytes) != 0; }
    const std::set<std::string>& unreadableBytes() const { return m_unreadable; }

    // A disk that lies: its file syncs, or its folder syncs, make nothing durable. Only for
    // proving that the checks catch a save that leaves out a sync.
    void loseSyncs(bool files, bool folder)
    {
        m_loseFileSyncs = files;
        m_loseFolderSyncs = folder;
    }
    bool losesFileSyncs() const { return m_loseFileSyncs; }
    bool losesFolderSyncs() const { return m_loseFolderSyncs; }

    // The folder as the program sees it now.
    Folder current() const;
    // The disk after each step: element 0 before the first, element k after step k.
    const std::vector<DiskState>& history() const { return m_history; }

    DiskState& state() { return m_state; }
    void record(std::string step);

private:
    DiskState m_state;
    std::vector<DiskState> m_history;
    std::set<std::string> m_unreadable;
    bool m_keepHistory = true;
    bool m_loseFileSyncs = false;
    bool m_loseFolderSyncs = false;
};

// Every folder a power cut in `state` may leave (each once), or `limits.sample` drawn at random
// when there are more than `limits.exhaustive`. Returns whether they were all.
bool foldersAfterCut(const DiskState& state, const CutLimits& limits, std::mt19937_64& random,
                     const std::function<void(const Folder&)>& visit);

} // namespace powercut
