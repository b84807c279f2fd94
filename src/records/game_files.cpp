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

Backups GameFiles::keepPending()
{
    Backups result;
    // Only what is there now: after a crash part-way, the ones already moved are gone from
    // their names, and the rest take the same number again.
    std::vector<std::string> present;
    for (const std::string& name : m_toKeep) {
        const EntryKind kind = m_store.entry(name);
        if (kind == EntryKind::File || kind == EntryKind::Link) {
            present.push_back(name);
        }
    }
    if (present.empty()) {
        m_toKeep.clear();
        return result;
    }
    const int n = freeBackupNumber(m_store, present);
    if (n == 0) {
        result.error = {StoreFailure::Other, present.front(), "no backup name is free"};
        return result;
    }
    for (const std::string& name : present) {
        const std::string to = backupName(name, n);
        if (StoreError error = m_store.rename(name, to)) {
            result.error = std::move(error);
            break;
        }
        result.moved.emplace_back(name, to);
        m_toKeep.erase(std::find(m_toKeep.begin(), m_toKeep.end(), name));
    }
    // The backups' names are durable before any save writes over the names they left.
    if (StoreError error = m_store.syncFolder(); error && !result.error) {
        result.error = std::move(error);
    }
    if (!result.error) {
        m_toKeep.clear();
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

    std::vector<std::string> ours = autosaveNames();
    ours.emplace_back(kHallOfFameName);
    ours.emplace_back(kJournalName);
    ours.emplace_back(kLedgerName);
    // A new game's save that was cut short was writing the first archive name still free.
    for (const std::string& archive : archiveNames(1)) {
        ours.push_back(archive);
    }
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
            } else if (isHallOfFameCopy(file.name)) {
                m_hallOfFameCopy = std::move(file.bytes);
            }
        }
        m_lastSaveFailed = true;
        startLedger(report, recovery);
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
        report.kept = keepPending();
        report.keptLater = !m_toKeep.empty();
    }
    startLedger(report, recovery);
    return report;
}

std::vector<std::string> GameFiles::archiveNames(std::size_t count)
{
    std::vector<std::string> names;
    for (int n = 1; names.size() < count && n <= kMostBackups; ++n) {
        if (m_store.entry(ledgerArchiveName(n)) == EntryKind::Missing) {
            names.push_back(ledgerArchiveName(n));
        }
    }
    return names;
}

std::optional<Ledger> GameFiles::readLedger(const Recovery& recovery)
{
    const std::string name(kLedgerName);
    if (recovery.kind == Recovery::Kind::NotCompleted) {
        // The interrupted save's ledger is the one to go on with, and the next save owes it.
        for (const FileContent& file : recovery.files) {
            if (file.name == name) {
                std::optional<Ledger> ledger = Ledger::parse(file.bytes);
                if (ledger) {
                    ledger->setUnsaved(file.bytes.size(), true);
                    for (const FileContent& archive : recovery.files) {
                        if (archive.name.rfind(name + ".game", 0) == 0) {
                            m_ledgerOwed.push_back(archive);
                        }
                    }
                    return ledger;
                }
            }
        }
        for (const FileAppend& append : recovery.appends) {
            const ReadResult read = append.name == name ? m_store.read(name) : ReadResult{};
            if (append.name == name && !read.error && read.bytes.size() >= append.length) {
                std::optional<Ledger> ledger =
                    Ledger::parse(read.bytes.substr(0, static_cast<std::size_t>(append.length)) + append.bytes);
                if (ledger) {
                    ledger->setUnsaved(append.bytes.size(), false);
                    return ledger;
                }
            }
        }
    }
    const EntryKind kind = m_store.entry(name);
    if (kind == EntryKind::Missing) {
        m_ledger.note = {LedgerNote::Kind::Missing, {}, {}};
        return std::nullopt;
    }
    if (kind == EntryKind::File) {
        ReadResult read = m_store.read(name);
        if (!read.error) {
            if (std::optional<Ledger> ledger = Ledger::parse(read.bytes)) {
                return ledger;
            }
        } else if (read.error.kind != StoreFailure::TooLarge) {
            // Not readable now: it is left alone, and not written either.
            m_ledgerWritable = false;
            m_ledger.note = {LedgerNote::Kind::NotSaved, {}, {}};
            return std::nullopt;
        }
    }
    if (kind == EntryKind::Folder || kind == EntryKind::Other) {
        m_ledgerWritable = false;
        m_ledger.note = {LedgerNote::Kind::NotSaved, {}, {}};
        return std::nullopt;
    }
    // Damaged, foreign or a link: kept as it is under a backup name, and a new one starts.
    const int n = freeBackupNumber(m_store, {name});
    const std::string to = backupName(name, n);
    if (n == 0 || m_store.rename(name, to) || m_store.syncFolder()) {
        m_ledgerWritable = false;
        m_ledger.note = {LedgerNote::Kind::NotSaved, {}, {}};
        return std::nullopt;
    }
    m_ledger.note = {LedgerNote::Kind::Damaged, {}, to};
    return std::nullopt;
}

void GameFiles::startLedger(const StartReport& report, const Recovery& recovery)
{
    m_ledgerWritable = true;
    m_ledgerOwed.clear();
    m_ledger = Ledger();
    std::optional<Ledger> found = readLedger(recovery);
    const LedgerNote note = m_ledger.note;
    if (report.read.kind != AutosaveRead::Kind::Loaded) {
        // No saved game to follow: the new game that follows finishes a whole ledger as an
        // archive and starts a new one.
        if (found) {
            m_ledger = std::move(*found);
        }
        m_ledger.note = note;
        return;
    }
    const game::GameState& state = report.read.state;
    if (!found) {
        m_ledger = Ledger::startingFrom(state);
        m_ledger.note = note;
        m_ledger.note.date = state.date;
        return;
    }
    m_ledger = std::move(*found);
    if (!m_ledger.matches(state)) {
        m_ledger.markGap(state);
        m_ledger.note = {LedgerNote::Kind::Gap, state.date, {}};
    }
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
    return report;
}

SaveReport GameFiles::save(const game::GameState& state, WriteOrder order)
{
    SaveReport report;
    m_lastSaveFailed = true;
    if (!m_toKeep.empty()) {
        Backups kept = keepPending();
        if (kept.error) {
            report.outcome = SaveOutcome::NotKept;
            report.error = std::move(kept.error);
            return report;
        }
    }
    std::vector<FileContent> files;
    if (m_hallOfFameCopy) {
        const std::string hallOfFame(kHallOfFameName);
        const int n = freeBackupNumber(m_store, {hallOfFame});
        if (n == 0) {
            report.outcome = SaveOutcome::Failed;
            report.error = {StoreFailure::Other, hallOfFame, "no backup name is free"};
            return report;
        }
        report.copyName = backupName(kHallOfFameName, n);
        files.push_back({*report.copyName, *m_hallOfFameCopy});
    }
    if (m_pendingHallOfFame) {
        files.push_back({std::string(kHallOfFameName), *m_pendingHallOfFame});
    }
    for (FileContent& file : autosaveFiles(state, order)) {
        files.push_back(std::move(file));
    }
    std::vector<FileAppend> appends;
    if (m_ledgerWritable) {
        // The ledger's lines since the last save go in the same set as the day they belong to.
        files.insert(files.end(), m_ledgerOwed.begin(), m_ledgerOwed.end());
        Ledger::Writes ledger = m_ledger.writes(archiveNames(m_ledger.archivesOwed()));
        files.insert(files.end(), ledger.files.begin(), ledger.files.end());
        appends = std::move(ledger.appends);
    }
    if (StoreError error = saveSet(m_store, files, appends)) {
        report.outcome = error.kind == StoreFailure::TooLarge && error.file == kJournalName ? SaveOutcome::TooLarge
                                                                                           : SaveOutcome::Failed;
        report.error = std::move(error);
        return report;
    }
    m_pendingHallOfFame.reset();
    m_hallOfFameCopy.reset();
    m_lastSaveFailed = false;
    if (m_ledgerWritable) {
        m_ledger.saved();
        m_ledgerOwed.clear();
    }
    return report;
}

} // namespace records
