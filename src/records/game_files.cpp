// The saving rules in one place: the start's recovery and backups, and what each save carries.
#include "records/game_files.h"

#include "records/hall_of_fame.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace records {

namespace {

constexpr int kMostBackups = 100000;
constexpr std::string_view kBackupMark = ".bak";

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

namespace {

constexpr std::string_view kBackupNoteMagic = "TolvStreet backups 1\n";
constexpr std::size_t kLargestBackupNote = 4096; // seven short names and a number

// The note: "TolvStreet backups 1\n", the number, one name per line, "end\n".
std::string backupNote(int n, const std::vector<std::string>& names)
{
    std::string note = std::string(kBackupNoteMagic) + std::to_string(n) + "\n";
    for (const std::string& name : names) {
        note += name + "\n";
    }
    return note + "end\n";
}

// The number and names of a whole note; nothing for any other bytes.
std::optional<std::pair<int, std::vector<std::string>>> readBackupNote(std::string_view bytes)
{
    if (bytes.substr(0, kBackupNoteMagic.size()) != kBackupNoteMagic || bytes.size() > kLargestBackupNote ||
        bytes.size() < kBackupNoteMagic.size() + 4 || bytes.substr(bytes.size() - 4) != "end\n") {
        return std::nullopt;
    }
    std::vector<std::string_view> lines;
    for (std::size_t pos = kBackupNoteMagic.size(); pos < bytes.size() - 4;) {
        const std::size_t lf = bytes.find('\n', pos);
        lines.push_back(bytes.substr(pos, lf - pos));
        pos = lf + 1;
    }
    int n = 0;
    if (lines.empty() || lines.front().empty() || lines.front().front() == '0' ||
        std::from_chars(lines.front().data(), lines.front().data() + lines.front().size(), n).ptr !=
            lines.front().data() + lines.front().size() ||
        n < 1 || n > kMostBackups) {
        return std::nullopt;
    }
    std::vector<std::string> family = autosaveNames();
    family.emplace_back(kJournalName);
    std::vector<std::string> names;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (std::find(family.begin(), family.end(), lines[i]) == family.end() ||
            std::find(names.begin(), names.end(), lines[i]) != names.end()) {
            return std::nullopt;
        }
        names.emplace_back(lines[i]);
    }
    return std::pair{n, names};
}

} // namespace

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
    const std::string note(kBackupNoteName);
    // A note on the disk holds the number of a backup cut short: the rest take the same one.
    std::optional<std::pair<int, std::vector<std::string>>> plan;
    if (store.entry(note) == EntryKind::File) {
        const ReadResult read = store.readUpTo(note, kLargestBackupNote);
        plan = read.error ? std::nullopt : readBackupNote(read.bytes);
    }
    if (present.empty() && !plan) {
        names.clear();
        return result;
    }
    if (!present.empty()) {
        const int n = plan ? plan->first : freeBackupNumber(store, present);
        if (n == 0) {
            result.error = {StoreFailure::Other, present.front(), "no backup name is free"};
            return result;
        }
        // The number is durable before the first file moves: a power cut may keep any of the
        // renames and lose the others, and the next start moves the rest to the same number
        // instead of choosing one afresh from what is left.
        if (!plan) {
            result.error = store.replace(note, backupNote(n, present));
            if (!result.error) {
                result.error = store.syncFolder();
            }
            if (result.error) {
                return result;
            }
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
        // The backups' names are durable before the note goes.
        if (StoreError error = store.syncFolder(); error && !result.error) {
            result.error = std::move(error);
        }
        if (result.error) {
            return result;
        }
    }
    // The note goes, durably, before any save writes over the names the files left: a note
    // found later would move the new files too.
    result.error = store.remove(note);
    if (!result.error) {
        result.error = store.syncFolder();
    }
    if (!result.error) {
        names.clear();
    }
    return result;
}

void GameFiles::resumeBackups(StartReport& report)
{
    const std::string note(kBackupNoteName);
    if (m_store.entry(note) != EntryKind::File) {
        return;
    }
    const ReadResult read = m_store.readUpTo(note, kLargestBackupNote);
    const auto plan = read.error ? std::nullopt : readBackupNote(read.bytes);
    if (!plan) {
        // Not a note the game wrote whole (it is written atomically): nothing to resume.
        if (!m_store.remove(note)) {
            m_store.syncFolder();
        }
        return;
    }
    m_toKeep = plan->second;
    report.kept = keepFiles(m_store, m_toKeep);
    report.resumedBackup = plan->first;
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
    ours.emplace_back(kLedgerName);
    // A new game's save that was cut short was writing the first archive name still free.
    for (const std::string& archive : archiveNames(m_store, 1)) {
        ours.push_back(archive);
    }
    ours.emplace_back(kBackupNoteName);
    report.leftovers = m_store.removeLeftovers(ours);

    // A backup that a crash cut short is finished first: the files still at their names are the
    // rest of the set it was keeping (an unreadable journal's among them), never a game to play.
    resumeBackups(report);
    if (report.kept.error) {
        report.read.kind = AutosaveRead::Kind::Damaged;
        report.keptLater = true;
        return report;
    }

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
        Backups kept = keepFiles(m_store, m_toKeep);
        report.kept.moved.insert(report.kept.moved.end(), kept.moved.begin(), kept.moved.end());
        report.kept.error = std::move(kept.error);
        report.keptLater = !m_toKeep.empty();
    }
    startLedger(report, recovery);
    return report;
}

std::vector<std::string> GameFiles::archiveNames(TextStore& store, std::size_t count)
{
    std::vector<std::string> names;
    for (int n = 1; names.size() < count && n <= kMostBackups; ++n) {
        if (store.entry(ledgerArchiveName(n)) == EntryKind::Missing) {
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
    job.ledger = m_ledgerWritable;
    if (job.ledger) {
        job.ledgerWrites = m_ledger.snapshot();
        job.ledgerOwed = m_ledgerOwed;
    }
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
    std::vector<FileAppend> appends;
    if (job.ledger) {
        // The ledger's lines since the last save go in the same set as the day they belong to.
        files.insert(files.end(), job.ledgerOwed.begin(), job.ledgerOwed.end());
        const std::vector<std::string> names = archiveNames(store, job.ledgerWrites.archives.size());
        for (std::size_t i = 0; i < names.size(); ++i) {
            files.push_back({names[i], job.ledgerWrites.archives[i]});
        }
        if (job.ledgerWrites.whole) {
            files.push_back({std::string(kLedgerName), *job.ledgerWrites.whole});
        }
        if (job.ledgerWrites.append) {
            appends.push_back(*job.ledgerWrites.append);
        }
    }
    if (StoreError error = saveSet(store, files, appends)) {
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
    if (job.ledger && m_ledgerWritable) {
        m_ledger.savedUpTo(job.ledgerWrites);
        if (!job.ledgerOwed.empty()) {
            m_ledgerOwed.clear();
        }
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
    // Finished ledgers are written once.
    ledgerWrites.dropArchivesWritten(saved.ledgerWrites);
    if (!saved.ledgerOwed.empty()) {
        ledgerOwed.clear();
    }
}

} // namespace records
