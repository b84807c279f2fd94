// Writes a set of files so that a crash leaves all of them old or all of them new.
#pragma once

#include "platform/text_store.h"
#include "records/autosave.h"

#include <vector>

namespace records {

// The write-ahead record beside the autosave files.
inline constexpr std::string_view kJournalName = "Data.journal";

// One save: first a journal holding every file's new content (written atomically), then each
// file in the given order, then the journal goes. A failure before the journal is whole changes
// nothing on disk; a failure after it leaves the journal for the next start to complete.
platform::StoreError saveSet(platform::TextStore& store, const std::vector<FileContent>& files);

// The journal's bytes for a set, and the set back from a journal's bytes (nothing when torn).
std::string journalBytes(const std::vector<FileContent>& files);
std::optional<std::vector<FileContent>> readJournal(std::string_view bytes);

struct Recovery {
    enum class Kind {
        Nothing,         // no journal: the files are as the last save left them; `error` is set
                         // when a journal is there but could not be read (it is left alone)
        Completed,       // a whole journal was found and written out
        Discarded,       // a damaged journal was found and removed; the files are the old set
        NotCompleted,    // a whole journal could not be written out: `files` holds the set
    } kind = Kind::Nothing;
    std::vector<FileContent> files; // the journal's set with Completed and NotCompleted
    platform::StoreError error;
};

// At start-up, before the autosave files are read: completes or discards what an interrupted
// save left behind.
Recovery recoverSet(platform::TextStore& store);

} // namespace records
