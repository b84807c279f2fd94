// Writes a set of files so that a crash leaves all of them old or all of them new.
#pragma once

#include "records/autosave.h"
#include "records/store.h"

#include <vector>

namespace records {

// The one bound on a journal, for the writer and the reader alike: a Hall of Fame as large as a
// plain read takes, its copy, and the six files fit. A save whose journal would be larger is
// refused before anything is written, so the start can always read what a save left.
inline constexpr std::size_t kLargestJournal = 2 * kLargestRead + 1024 * 1024;

// Bytes added to the end of a file: it is first cut back to `length`, so the step can be redone.
struct FileAppend {
    std::string name;
    std::uint64_t length = 0; // the file's length before the append
    std::string bytes;
    friend bool operator==(const FileAppend&, const FileAppend&) = default;
};

// One save: first a journal holding every file's new content (written atomically), then each
// file in the given order, then the journal goes. A failure before the journal is whole changes
// nothing on disk; a failure after it leaves the journal for the next start to complete. A set
// whose journal would pass kLargestJournal is refused (TooLarge) with nothing written.
// The appends come after the files, in the same journal.
StoreError saveSet(TextStore& store, const std::vector<FileContent>& files,
                   const std::vector<FileAppend>& appends = {});

struct JournalSet {
    std::vector<FileContent> files;
    std::vector<FileAppend> appends;
};

// The journal's bytes for a set, and the set back from a journal's bytes (nothing when torn).
// A set without appends keeps the first form of the journal, which every release reads.
std::string journalBytes(const std::vector<FileContent>& files, const std::vector<FileAppend>& appends = {});
std::optional<JournalSet> readJournalSet(std::string_view bytes);
// The replaced files alone.
std::optional<std::vector<FileContent>> readJournal(std::string_view bytes);

struct Recovery {
    enum class Kind {
        Nothing,      // no journal: the files are as the last save left them
        NotAJournal,  // a folder or link stands at the journal's name: never one of the game's
        Foreign,      // a file that is not a journal of the game's (a player's, say): no save of
                      // the game's was under way, but the file must not be lost
        Completed,    // a whole journal was found and written out
        Unreadable,   // a journal of the game's is there but cannot be read or does not check:
                      // it only ever takes its name whole, so it was damaged afterwards, maybe
                      // after some files were rewritten: the six files may be mixed
        NotCompleted, // a whole journal could not be written out: `files` holds the set
    } kind = Kind::Nothing;
    std::vector<FileContent> files; // the journal's set with Completed and NotCompleted
    std::vector<FileAppend> appends; // its appends, the same way
    // Appends that could not be redone because the file no longer holds the part they follow
    // (changed by hand since): skipped, so the rest of the set is still completed.
    std::vector<std::string> skipped;
    StoreError error;
};

// At start-up, before the autosave files are read: completes what an interrupted save left
// behind, or says why it cannot. It changes nothing but the files the journal names.
Recovery recoverSet(TextStore& store);

} // namespace records
