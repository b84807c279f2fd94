// The save set: its journal, its order of writes, and what every failure leaves on disk.
#include "records/save_set.h"

#include "fakes/memory_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using records::StoreFailure;
using records::FileContent;
using records::Recovery;

const std::string kJournal(records::kJournalName);

std::vector<FileContent> oldSet()
{
    return {{"data6", "\"\"\r\n"}, {"Data1", "\"0\"\r\n"}, {"Data5", "\"10000,00\"\r\n"},
            {"data7", "\"01 Gen 2002\"\r\n"}};
}

std::vector<FileContent> newSet()
{
    return {{"data6", "\"\"\rAnna:  02 Gen 2002\"\r\n"}, {"Data1", "\"5\"\r\n"},
            {"Data5", "\"10000,00\"\r\n"}, {"data7", "\"02 Gen 2002\"\r\n"}};
}

void putSet(fakes::MemoryStore& store, const std::vector<FileContent>& set)
{
    for (const FileContent& file : set) {
        store.put(file.name, file.bytes);
    }
}

// True when every file of the set is on the store with exactly these bytes.
bool holds(const fakes::MemoryStore& store, const std::vector<FileContent>& set)
{
    for (const FileContent& file : set) {
        if (store.get(file.name) != file.bytes) {
            return false;
        }
    }
    return true;
}

// The memory store's log plus every folder sync, which the order of a save depends on.
class SyncLoggingStore final : public records::TextStore {
public:
    explicit SyncLoggingStore(fakes::MemoryStore& inner) : m_inner(inner) {}
    records::ReadResult readUpTo(const std::string& name, std::size_t limit) override
    {
        return m_inner.readUpTo(name, limit);
    }
    records::EntryKind entry(const std::string& name) override { return m_inner.entry(name); }
    records::StoreError replace(const std::string& name, std::string_view bytes) override
    {
        return note(m_inner.replace(name, bytes), "replace " + name);
    }
    records::StoreError append(const std::string& name, std::uint64_t length, std::string_view bytes) override
    {
        return note(m_inner.append(name, length, bytes), "append " + name);
    }
    records::StoreError remove(const std::string& name) override
    {
        return note(m_inner.remove(name), "remove " + name);
    }
    records::StoreError rename(const std::string& from, const std::string& to) override
    {
        return note(m_inner.rename(from, to), "rename " + from + " " + to);
    }
    records::StoreError syncFolder() override { return note(m_inner.syncFolder(), "sync"); }
    records::StoreError eachName(const std::function<void(std::string_view)>& visit) override
    {
        return m_inner.eachName(visit);
    }
    const std::vector<std::string>& log() const { return m_log; }

private:
    records::StoreError note(records::StoreError error, std::string entry)
    {
        if (!error) {
            m_log.push_back(std::move(entry));
        }
        return error;
    }
    fakes::MemoryStore& m_inner;
    std::vector<std::string> m_log;
};

TEST(Journal, RoundTripsAnySet)
{
    const std::vector<std::vector<FileContent>> sets = {
        {},
        newSet(),
        {{"Data2", ""}, {"Data3", std::string("\n\r\0\xff\n", 5)}, {"data6.bak12", "check 0\nend\n"}},
    };
    for (const auto& set : sets) {
        EXPECT_EQ(records::readJournal(records::journalBytes(set)), set);
    }
}

TEST(Journal, TornOrAlteredJournalsAreRefused)
{
    const std::string whole = records::journalBytes(newSet());
    ASSERT_TRUE(records::readJournal(whole));
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        EXPECT_FALSE(records::readJournal(whole.substr(0, cut))) << "cut at " << cut;
    }
    for (std::size_t at = 0; at < whole.size(); ++at) {
        std::string altered = whole;
        altered[at] = static_cast<char>(altered[at] ^ 0x04);
        EXPECT_FALSE(records::readJournal(altered)) << "byte " << at << " altered";
    }
    EXPECT_FALSE(records::readJournal(whole + "x"));
    EXPECT_FALSE(records::readJournal(whole + whole));
}

TEST(Journal, NamesThatAreNotPlainFileNamesAreRefused)
{
    for (const std::string name : {"../Data1", "/etc/passwd", "sub/Data1", ".hidden", "", "Data.journal", "a\rb"}) {
        fakes::MemoryStore store;
        const records::StoreError error = records::saveSet(store, {{name, "x"}});
        EXPECT_TRUE(error) << name;
        EXPECT_TRUE(store.log().empty()) << name;
        // A journal naming such a file, however it came about, writes nothing either.
        std::string forged = records::journalBytes({{"Data1", "x"}});
        EXPECT_FALSE(records::readJournal(forged.replace(forged.find("Data1"), 5, name))) << name;
    }
}

TEST(SaveSet, WritesTheJournalThenTheFilesInOrderThenRemovesIt)
{
    fakes::MemoryStore store;
    SyncLoggingStore logging(store);
    putSet(store, oldSet());
    ASSERT_FALSE(records::saveSet(logging, newSet()));
    // The journal is durable before any file changes, and the files' renames are synced
    // before the journal that could redo them goes.
    EXPECT_EQ(logging.log(), (std::vector<std::string>{"replace " + kJournal, "sync", "replace data6",
                                                       "replace Data1", "replace Data5",
                                                       "replace data7", "sync",
                                                       "remove " + kJournal, "sync"}));
    EXPECT_TRUE(holds(store, newSet()));
    EXPECT_FALSE(store.exists(kJournal));
    EXPECT_EQ(records::recoverSet(store).kind, Recovery::Kind::Nothing);
}

TEST(SaveSet, AFailureAtAnyStepLeavesTheOldSetOrTheNewOne)
{
    const std::vector<std::string> steps = {kJournal, "data6", "Data1", "Data5", "data7"};
    for (const std::string& failing : steps) {
        for (const StoreFailure kind : {StoreFailure::NoSpace, StoreFailure::Permission}) {
            fakes::MemoryStore store;
            putSet(store, oldSet());
            store.failWrites(failing, kind, 1);
            const records::StoreError error = records::saveSet(store, newSet());
            EXPECT_EQ(error.kind, kind) << failing;
            EXPECT_EQ(error.file, failing);
            if (failing == kJournal) {
                EXPECT_TRUE(holds(store, oldSet())) << "nothing changed before the journal";
                EXPECT_FALSE(store.exists(kJournal));
            } else {
                EXPECT_TRUE(store.exists(kJournal)) << failing;
            }
            // The next start finds either nothing to do or a whole journal to complete.
            const Recovery recovery = records::recoverSet(store);
            EXPECT_EQ(recovery.kind, failing == kJournal ? Recovery::Kind::Nothing
                                                         : Recovery::Kind::Completed)
                << failing;
            EXPECT_TRUE(holds(store, failing == kJournal ? oldSet() : newSet())) << failing;
            EXPECT_FALSE(store.exists(kJournal)) << failing;
        }
    }
}

TEST(RecoverSet, AJournalThatCannotBeRemovedIsCompletedAgainLater)
{
    fakes::MemoryStore store;
    putSet(store, oldSet());
    store.put(kJournal, records::journalBytes(newSet()));
    store.failWrites(kJournal, StoreFailure::Other, 1); // its removal is the first write on it
    const Recovery recovery = records::recoverSet(store);
    EXPECT_EQ(recovery.kind, Recovery::Kind::NotCompleted);
    EXPECT_EQ(recovery.files, newSet());
    EXPECT_TRUE(holds(store, newSet()));
    EXPECT_TRUE(store.exists(kJournal));
    EXPECT_EQ(records::recoverSet(store).kind, Recovery::Kind::Completed);
    EXPECT_FALSE(store.exists(kJournal));
    EXPECT_TRUE(holds(store, newSet()));
}

// The game's journal takes its name only whole: anything there that does not check was never
// the game's (it does not even begin like one) or was damaged since. Either way the start changes
// nothing on its own and says which.
TEST(RecoverSet, AJournalThatDoesNotCheckIsNeverTakenForACompletedOrAbandonedSave)
{
    const std::string whole = records::journalBytes(newSet());
    std::string altered = whole;
    altered[altered.find("Anna")] = 'B';
    for (const std::string& bytes : {whole.substr(0, 0), whole.substr(0, 5), std::string("my own notes\n"),
                                     whole.substr(0, whole.size() / 2), whole.substr(0, whole.size() - 1), altered}) {
        fakes::MemoryStore store;
        putSet(store, oldSet());
        store.put(kJournal, bytes);
        const Recovery recovery = records::recoverSet(store);
        const bool ours = bytes.rfind("TolvStreet journal 1\n", 0) == 0;
        EXPECT_EQ(recovery.kind, ours ? Recovery::Kind::Unreadable : Recovery::Kind::Foreign) << bytes.size();
        EXPECT_TRUE(recovery.error);
        EXPECT_EQ(store.get(kJournal), bytes);
        EXPECT_TRUE(holds(store, oldSet()));
        EXPECT_TRUE(store.log().empty());
    }
    // Larger than any journal the game writes, even one that begins like one: somebody else's,
    // and the files it would stand for are the last whole save.
    {
        std::string huge = "TolvStreet journal 1\n";
        huge.resize(records::kLargestJournal + 1, 'x');
        fakes::MemoryStore store;
        putSet(store, oldSet());
        store.put(kJournal, std::move(huge));
        EXPECT_EQ(records::recoverSet(store).kind, Recovery::Kind::Foreign);
        EXPECT_TRUE(holds(store, oldSet()));
        EXPECT_TRUE(store.log().empty());
    }
    // A journal naming anything but the game's own files is not one the game wrote.
    std::vector<FileContent> strange = newSet();
    strange.push_back({"Data1.copia1", "overwritten"});
    fakes::MemoryStore store;
    EXPECT_TRUE(records::saveSet(store, strange));
    EXPECT_FALSE(records::readJournal(records::journalBytes(strange)));
}

TEST(RecoverSet, AJournalThatCannotBeWrittenOutHandsBackItsSet)
{
    fakes::MemoryStore store;
    putSet(store, oldSet());
    store.put(kJournal, records::journalBytes(newSet()));
    store.failWrites("Data5", StoreFailure::NoSpace);

    const Recovery recovery = records::recoverSet(store);
    EXPECT_EQ(recovery.kind, Recovery::Kind::NotCompleted);
    EXPECT_EQ(recovery.error.kind, StoreFailure::NoSpace);
    EXPECT_EQ(recovery.files, newSet());
    EXPECT_TRUE(store.exists(kJournal)) << "kept for the next start";

    store.heal();
    SyncLoggingStore logging(store);
    EXPECT_EQ(records::recoverSet(logging).kind, Recovery::Kind::Completed);
    EXPECT_EQ(logging.log(), (std::vector<std::string>{"replace data6", "replace Data1",
                                                       "replace Data5", "replace data7", "sync",
                                                       "remove " + kJournal, "sync"}));
    EXPECT_TRUE(holds(store, newSet()));
    EXPECT_EQ(records::recoverSet(store).kind, Recovery::Kind::Nothing);
}

TEST(RecoverSet, AnUnreadableJournalIsReportedAndLeftAlone)
{
    fakes::MemoryStore store;
    putSet(store, oldSet());
    store.put(kJournal, records::journalBytes(newSet()));
    store.failReads(kJournal);
    const Recovery recovery = records::recoverSet(store);
    EXPECT_EQ(recovery.kind, Recovery::Kind::Unreadable);
    EXPECT_TRUE(recovery.error);
    EXPECT_TRUE(store.log().empty());
}

} // namespace

TEST(SaveSet, AnAppendCutByACrashIsRedoneOnceAndNeverTwice)
{
    fakes::MemoryStore store;
    const std::vector<FileContent> files = {{"data7", "\"02 Gen 2002\"\r\n"}};
    const std::vector<records::FileAppend> appends = {{"Data.ledger", 6, "day 2\n"}};
    // The crash came after the journal, in the middle of the append.
    store.put(kJournal, records::journalBytes(files, appends));
    store.put("Data.ledger", "day 1\nday");
    records::Recovery recovery = records::recoverSet(store);
    EXPECT_EQ(recovery.kind, records::Recovery::Kind::Completed);
    EXPECT_EQ(store.get("Data.ledger"), "day 1\nday 2\n");
    EXPECT_EQ(store.get("data7"), files[0].bytes);
    EXPECT_FALSE(store.get(kJournal));

    // A crash after the append but before the journal went: redone, the day is there once.
    store.put(kJournal, records::journalBytes(files, appends));
    EXPECT_EQ(records::recoverSet(store).kind, records::Recovery::Kind::Completed);
    EXPECT_EQ(store.get("Data.ledger"), "day 1\nday 2\n");

    // A file changed by hand since, shorter than what the append follows: the rest is completed.
    store.put(kJournal, records::journalBytes(files, appends));
    store.put("Data.ledger", "d");
    recovery = records::recoverSet(store);
    EXPECT_EQ(recovery.kind, records::Recovery::Kind::Completed);
    EXPECT_EQ(recovery.skipped, std::vector<std::string>{"Data.ledger"});
    EXPECT_EQ(store.get("Data.ledger"), "d");

    // The journal's first form, without appends, is still what a set of files alone writes.
    EXPECT_EQ(records::journalBytes(files).substr(0, 21), "TolvStreet journal 1\n");
    EXPECT_EQ(records::readJournalSet(records::journalBytes(files, appends))->appends, appends);
}
