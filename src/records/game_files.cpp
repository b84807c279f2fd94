// The saving rules in one place: the start's recovery and backups, and what each save carries.
#include "records/game_files.h"

#include "records/hall_of_fame.h"

#include <algorithm>
#include <array>

namespace records {

namespace {

constexpr int kMostBackups = 100000;
constexpr std::string_view kBackupMark = ".bak";

std::string backupName(std::string_view name, int n) { return std::string(name) + std::string(kBackupMark) + std::to_string(n); }

std::vector<std::string> autosaveNames()
{
    return {kAutosaveNames.begin(), kAutosaveNames.end()};
}

std::array<std::optional<std::string>, 6> autosaveContents(const std::vector<FileContent>& files)
{
    std::array<std::optional<std::string>, 6> contents;
    for (const FileContent& file : files) {
        for (std::size_t i = 0; i < kAutosaveNames.size(); ++i) {
            if (file.name == kAutosaveNames[i]) {
                contents[i] = file.bytes;
            }
        }
    }
    return contents;
}

bool isHallOfFameCopy(std::string_view name)
{
    const std::string prefix = std::string(kHallOfFameName) + std::string(kBackupMark);
    return name.substr(0, prefix.size()) == prefix;
}

} // namespace

int GameFiles::freeBackupNumber(TextStore& store, const std::vector<std::string>& names)
{
    for (int n = 1; n <= kMostBackups; ++n) {
        const bool free = std::all_of(names.begin(), names.end(), [&](const std::string& name) {
            return store.entry(backupName(name, n)) == EntryKind::Missing;
        });
        if (free) {
            return n;
        }
    }
    return 0;
}

Backups GameFiles::keepFiles(TextStore& store, std::vector<std::string>& names)
{
    Backups result;
    // Only what is there now: after a crash part-way, the ones already moved are gone from
    // their names, and the rest take the same number again.
    std::vector<std::string> present;
    for (const std::string& name : names) {
        const EntryKind kind = store.entry(name);
        if (kind == EntryKind::File || kind == EntryKind::Link) {
            present.push_back(name);
        }
    }
    if (present.empty()) {
        names.clear();
        return result;
    }
    const int n = freeBackupNumber(store, present);
    if (n == 0) {
        result.error = {StoreFailure::Other, present.front(), "no backup name is free"};
        return result;
    }
    for (const std::string& name : present) {
        const std::string to = backupName(name, n);
        if (StoreError error = store.rename(name, to)) {
            result.error = std::move(error);
            break;
        }
        result.moved.emplace_back(name, to);
        names.erase(std::find(names.begin(), names.end(), name));
    }
    // The backups' names are durable before any save writes over the names they left.
    if (StoreError error = store.syncFolder(); error && !result.error) {
        result.error = std::move(error);
    }
    if (!result.error) {
        names.clear();
    }
    return result;
}

StartReport GameFiles::start()
{
    StartReport report;
    m_pendingHallOfFame.reset();
    m_hallOfFameCopy.reset();
    m_toKeep.clear();
    m_lastSaveFailed = false;
    ++m_hallOfFameVersion;

    std::vector<std::string> ours = autosaveNames();
    ours.emplace_back(kHallOfFameName);
    ours.emplace_back(kJournalName);
    report.leftovers = m_store.removeLeftovers(ours);

    Recovery recovery = recoverSet(m_store);
    report.journal = recovery.kind;
    report.journalError = recovery.error;
    switch (recovery.kind) {
    case Recovery::Kind::NotCompleted:
        // The journal's set is whole: play it, and the next save finishes what this one could
        // not, the Hall of Fame and its copy included.
        report.read = parseAutosave(autosaveContents(recovery.files));
        for (FileContent& file : recovery.files) {
            if (file.name == kHallOfFameName) {
                m_pendingHallOfFame = std::move(file.bytes);
                ++m_hallOfFameVersion;
            } else if (isHallOfFameCopy(file.name)) {
                m_hallOfFameCopy = std::move(file.bytes);
                ++m_hallOfFameVersion;
            }
        }
        m_lastSaveFailed = true;
        return report;
    case Recovery::Kind::Unreadable:
        // The six files may be part old and part new: none of them is played, all of them
        // and the journal are kept.
        report.read.kind = AutosaveRead::Kind::Damaged;
        m_toKeep = autosaveNames();
        m_toKeep.emplace_back(kJournalName);
        break;
    case Recovery::Kind::Foreign:
        // Not the game's: kept under a backup name, and the six files play as they are.
        m_toKeep.emplace_back(kJournalName);
        report.read = readAutosave(m_store);
        if (report.read.kind == AutosaveRead::Kind::Damaged) {
            m_toKeep = autosaveNames();
            m_toKeep.emplace_back(kJournalName);
        }
        break;
    default:
        report.read = readAutosave(m_store);
        if (report.read.kind == AutosaveRead::Kind::Damaged) {
            m_toKeep = autosaveNames();
        }
        break;
    }
    if (!m_toKeep.empty()) {
        report.kept = keepFiles(m_store, m_toKeep);
        report.keptLater = !m_toKeep.empty();
    }
    return report;
}

std::string GameFiles::hallOfFameShown()
{
    if (m_pendingHallOfFame) {
        return *m_pendingHallOfFame;
    }
    const ReadResult read = m_store.read(std::string(kHallOfFameName));
    return records::hallOfFameShown(read.error ? nullptr : &read.bytes);
}

WinReport GameFiles::recordWin(std::string_view name, std::string_view date)
{
    WinReport report;
    bool copiedNow = false;
    std::optional<std::string> current = m_pendingHallOfFame;
    if (!current) {
        const std::string hallOfFame(kHallOfFameName);
        // Never read through a link: the new list takes the link's place, and whatever it
        // pointed to stays as it was.
        report.replacesLink = m_store.entry(hallOfFame) == EntryKind::Link;
        ReadResult read = report.replacesLink ? ReadResult{{StoreFailure::Missing, hallOfFame, {}}, {}}
                                              : m_store.read(hallOfFame);
        if (!read.error) {
            current = std::move(read.bytes);
            // Rewritten in the game's form, a file in any other form is first kept as it is.
            if (!isQuotedLine(*current) && !m_hallOfFameCopy) {
                copiedNow = true;
                m_hallOfFameCopy = *current;
                report.copyName = backupName(kHallOfFameName, freeBackupNumber(m_store, {hallOfFame}));
            }
        } else if (read.error.kind != StoreFailure::Missing) {
            report.unreadable = std::move(read.error);
            return report;
        }
    }
    std::string grown = appendWinner(current ? &*current : nullptr, name, date);
    // The game never writes a Hall of Fame that a plain read would refuse.
    if (grown.size() > kLargestRead) {
        report.unreadable = {StoreFailure::TooLarge, std::string(kHallOfFameName), "the Hall of Fame is full"};
        if (copiedNow) {
            m_hallOfFameCopy.reset();
        }
        report.copyName.reset();
        return report;
    }
    m_pendingHallOfFame = std::move(grown);
    ++m_hallOfFameVersion;
    return report;
}

SaveReport GameFiles::save(const game::GameState& state, WriteOrder order)
{
    const SaveJob job = nextSave(state, order);
    SaveReport report = write(m_store, job);
    saved(job, report);
    return report;
}

SaveJob GameFiles::nextSave(const game::GameState& state, WriteOrder order) const
{
    SaveJob job;
    job.state = state;
    job.order = order;
    job.hallOfFame = m_pendingHallOfFame;
    job.hallOfFameCopy = m_hallOfFameCopy;
    job.hallOfFameVersion = m_hallOfFameVersion;
    job.toKeep = m_toKeep;
    return job;
}

SaveReport GameFiles::write(TextStore& store, const SaveJob& job)
{
    SaveReport report;
    if (!job.toKeep.empty()) {
        std::vector<std::string> toKeep = job.toKeep;
        Backups kept = keepFiles(store, toKeep);
        if (kept.error) {
            report.outcome = SaveOutcome::NotKept;
            report.error = std::move(kept.error);
            return report;
        }
    }
    std::vector<FileContent> files;
    if (job.hallOfFameCopy) {
        const std::string hallOfFame(kHallOfFameName);
        const int n = freeBackupNumber(store, {hallOfFame});
        if (n == 0) {
            report.outcome = SaveOutcome::Failed;
            report.error = {StoreFailure::Other, hallOfFame, "no backup name is free"};
            return report;
        }
        report.copyName = backupName(kHallOfFameName, n);
        files.push_back({*report.copyName, *job.hallOfFameCopy});
    }
    if (job.hallOfFame) {
        files.push_back({std::string(kHallOfFameName), *job.hallOfFame});
    }
    for (FileContent& file : autosaveFiles(job.state, job.order)) {
        files.push_back(std::move(file));
    }
    if (StoreError error = saveSet(store, files)) {
        report.outcome = error.kind == StoreFailure::TooLarge && error.file == kJournalName
                             ? SaveOutcome::TooLarge
                             : SaveOutcome::Failed;
        report.error = std::move(error);
    }
    return report;
}

void GameFiles::saved(const SaveJob& job, const SaveReport& report)
{
    if (report.outcome != SaveOutcome::NotKept && !job.toKeep.empty()) {
        m_toKeep.clear(); // the start alone fills it, and no start runs while saves are queued
    }
    m_lastSaveFailed = !report;
    if (!report) {
        return;
    }
    // A win recorded after this save was queued is still owed; a copy is taken only while no
    // win is owed, so the one this save wrote is the one held.
    if (job.hallOfFameCopy) {
        m_hallOfFameCopy.reset();
    }
    if (job.hallOfFameVersion == m_hallOfFameVersion) {
        m_pendingHallOfFame.reset();
        m_hallOfFameCopy.reset();
    }
}

bool SaveJob::carriesAllOf(const SaveJob& older) const
{
    const bool hallOfFame =
        !older.hallOfFame || (this->hallOfFame && hallOfFameVersion >= older.hallOfFameVersion);
    const bool copy = !older.hallOfFameCopy || hallOfFameCopy == older.hallOfFameCopy;
    const bool keep =
        std::all_of(older.toKeep.begin(), older.toKeep.end(), [&](const std::string& name) {
            return std::find(toKeep.begin(), toKeep.end(), name) != toKeep.end();
        });
    return hallOfFame && copy && keep;
}

void SaveJob::dropWritten(const SaveJob& saved, const SaveReport& report)
{
    if (report.outcome != SaveOutcome::NotKept) {
        toKeep.clear(); // kept already: the files at those names now are the new ones
    }
    if (!report) {
        return;
    }
    if (saved.hallOfFameCopy && hallOfFameCopy == saved.hallOfFameCopy) {
        hallOfFameCopy.reset(); // one copy of the same bytes is enough
    }
    if (saved.hallOfFame && hallOfFameVersion == saved.hallOfFameVersion) {
        hallOfFame.reset();
    }
}

} // namespace records
