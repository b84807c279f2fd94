// The saving rules in one place: the start's recovery and backups, what each save carries, and
// what a finished save no longer owes.
#include "records/game_files.h"

#include "records/hall_of_fame.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace records {

namespace {

// The key under which the highest archive number is kept beside the backups' bases.
constexpr std::string_view kArchiveKey = "Data.ledger.game";
// At most this many temporaries are removed by one start: a folder full of them is not the
// game's doing, and the next start takes the next ones.
constexpr std::size_t kMostLeftovers = 1000;

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
    const NameForm form = whatIs(name);
    return form.kind == NameForm::Kind::Backup && form.base == kHallOfFameName;
}

// The first number from `from` on at which none of `names` has a backup (nothing at all stands
// there, a dangling link included); past the ceiling, the lowest such number; 0 when none is.
int freeBackupNumber(TextStore& store, const std::vector<std::string>& names, int from)
{
    const auto free = [&](int n) {
        return std::all_of(names.begin(), names.end(), [&](const std::string& name) {
            return store.entry(backupName(name, n)) == EntryKind::Missing;
        });
    };
    for (int n = std::max(from, 1); n <= kHighestNumber; ++n) {
        if (free(n)) {
            return n;
        }
    }
    for (int n = 1; n < from && n <= kHighestNumber; ++n) {
        if (free(n)) {
            return n;
        }
    }
    return 0;
}

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

StoreError unknownEntry(const std::string& name)
{
    return {StoreFailure::Other, name, "what stands at this name could not be told"};
}

struct BackupPlan {
    int number = 0;
    std::vector<std::string> names;
};

// The number and names of a whole note; nothing for any other bytes.
std::optional<BackupPlan> readBackupNote(std::string_view bytes)
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
        n < 1 || n > kHighestNumber) {
        return std::nullopt;
    }
    std::vector<std::string> family = autosaveNames();
    family.emplace_back(kJournalName);
    BackupPlan plan{n, {}};
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (std::find(family.begin(), family.end(), lines[i]) == family.end() ||
            std::find(plan.names.begin(), plan.names.end(), lines[i]) != plan.names.end()) {
            return std::nullopt;
        }
        plan.names.emplace_back(lines[i]);
    }
    return plan;
}

std::optional<BackupPlan> readNote(TextStore& store)
{
    const std::string note(kBackupNoteName);
    if (store.entry(note) != EntryKind::File) {
        return std::nullopt;
    }
    const ReadResult read = store.readSteadily(note, kLargestBackupNote);
    return read.error ? std::nullopt : readBackupNote(read.bytes);
}

// Moves the names of `names` that are there to backup names with one number (from `from` on),
// under a note on the disk that a start cut short finishes with the same number. `names` is
// emptied only once all of it is done, the note's removal included: until then no save may
// write over those names.
Backups keepFiles(TextStore& store, std::vector<std::string>& names, int from, int& number)
{
    Backups result;
    // Only what is there now: after a crash part-way, the ones already moved are gone from
    // their names, and the rest take the same number again.
    std::vector<std::string> present;
    for (const std::string& name : names) {
        const EntryKind kind = store.entry(name);
        if (kind == EntryKind::Unknown) {
            // It may be there: passed over, a save would write over it. Nothing moves yet.
            result.error = unknownEntry(name);
            return result;
        }
        if (kind == EntryKind::File || kind == EntryKind::Link) {
            present.push_back(name);
        }
    }
    const std::string note(kBackupNoteName);
    // A note on the disk holds the number of a backup cut short: the rest take the same one.
    const std::optional<BackupPlan> plan = readNote(store);
    if (const EntryKind at = plan ? EntryKind::File : store.entry(note); at == EntryKind::Unknown) {
        result.error = unknownEntry(note);
        return result;
    } else if (!plan && at != EntryKind::Missing) {
        // Something of somebody else's at the note's name, which the start could not set aside.
        result.error = {StoreFailure::NotAFile, note, "not a note of the game's"};
        return result;
    }
    const int n = plan ? plan->number : present.empty() ? 0 : freeBackupNumber(store, present, from);
    if (!present.empty()) {
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
    if (plan || !present.empty()) {
        result.error = store.remove(note);
        if (!result.error) {
            result.error = store.syncFolder();
        }
    }
    if (!result.error) {
        names.clear();
        number = n;
    }
    return result;
}

// The name a numbered file is written under: its own, when nothing stands there or the file
// there already holds these bytes (an earlier try of the same save); otherwise the next number
// free above it, or past the ceiling the lowest one free. Empty when no name is free at all.
std::string placeNumbered(TextStore& store, const NumberedFile& file, SaveReport& report)
{
    NumberedFile at = file;
    const auto free = [&](int n) {
        at.number = n;
        return store.entry(at.name()) == EntryKind::Missing;
    };
    if (file.number != 0) {
        at.number = file.number;
        const std::string name = at.name();
        const EntryKind kind = store.entry(name);
        bool own = kind == EntryKind::Missing;
        if (kind == EntryKind::File) {
            const ReadResult read = store.readUpTo(name, file.bytes->size());
            own = !read.error && read.bytes == *file.bytes;
        }
        if (own) {
            if (file.pastCeiling) {
                report.fellBack.push_back(name);
            }
            return name;
        }
    }
    int n = 0;
    for (int k = file.number + 1; file.number != 0 && k <= kHighestNumber && n == 0; ++k) {
        n = free(k) ? k : 0;
    }
    const bool fellBack = n == 0;
    for (int k = 1; k <= kHighestNumber && n == 0; ++k) {
        n = free(k) ? k : 0;
    }
    if (n == 0) {
        return {};
    }
    at.number = n;
    report.renumbered.emplace_back(file.id, n);
    if (fellBack || file.pastCeiling) {
        report.fellBack.push_back(at.name());
    }
    return at.name();
}

bool contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The ledger's part of the one rule: the disk holds this ledger's text as far as the save
// reached, so what is owed begins there.
void dropLedgerWritten(LedgerOwed& owed, const LedgerOwed& written)
{
    if (!written.kept || owed.epoch != written.epoch || (!owed.whole && owed.from >= written.reach)) {
        return;
    }
    if (owed.bytes) {
        // A save's own bytes begin where it was to begin writing.
        const std::uint64_t start = owed.whole ? 0 : owed.from;
        const auto cut = static_cast<std::size_t>(std::min<std::uint64_t>(written.reach - start, owed.bytes->size()));
        owed.bytes = std::make_shared<const std::string>(owed.bytes->substr(cut));
    }
    owed.from = written.reach;
    owed.whole = false;
}

} // namespace

std::string NumberedFile::nameAfter(const SaveReport& report) const
{
    NumberedFile after = *this;
    for (const auto& [which, n] : report.renumbered) {
        if (which == id) {
            after.number = n;
        }
    }
    return after.name();
}

std::string NumberedFile::name() const
{
    if (number == 0) {
        return {};
    }
    return kind == Kind::Archive ? ledgerArchiveName(number) : backupName(kHallOfFameName, number);
}

void dropWritten(Owed& owed, const Owed& written, const SaveReport& report)
{
    // What a save of an earlier start carried has nothing to do with what this one owes.
    if (owed.start != written.start) {
        return;
    }
    // The numbers a save gave stay: a retry writes the same names, and says what it says of them.
    const auto renumber = [&](NumberedFile& file, int number) {
        file.number = number;
        file.pastCeiling = file.pastCeiling || contains(report.fellBack, file.name());
    };
    for (const auto& [id, number] : report.renumbered) {
        if (owed.hallOfFameCopy && owed.hallOfFameCopy->id == id) {
            renumber(*owed.hallOfFameCopy, number);
        }
        for (NumberedFile& archive : owed.archives) {
            if (archive.id == id) {
                renumber(archive, number);
            }
        }
    }
    // Kept unless the save says otherwise: the files at those names are new ones now.
    if (report.outcome != SaveOutcome::NotKept) {
        std::erase_if(owed.toKeep, [&](const std::string& name) { return contains(written.toKeep, name); });
    }
    if (!report) {
        return;
    }
    // A win recorded after this save was taken is still owed: its list is newer.
    if (written.hallOfFame && owed.hallOfFame && owed.hallOfFameVersion == written.hallOfFameVersion) {
        owed.hallOfFame.reset();
    }
    if (written.hallOfFameCopy && owed.hallOfFameCopy && owed.hallOfFameCopy->id == written.hallOfFameCopy->id) {
        owed.hallOfFameCopy.reset();
    }
    std::erase_if(owed.archives, [&](const NumberedFile& archive) {
        return std::any_of(written.archives.begin(), written.archives.end(),
                           [&](const NumberedFile& done) { return done.id == archive.id; });
    });
    dropLedgerWritten(owed.ledger, written.ledger);
}

bool SaveJob::carriesAllOf(const SaveJob& older) const
{
    const Owed& mine = carries;
    const Owed& theirs = older.carries;
    const bool hallOfFame =
        !theirs.hallOfFame || (mine.hallOfFame && mine.hallOfFameVersion >= theirs.hallOfFameVersion);
    const bool copy = !theirs.hallOfFameCopy || (mine.hallOfFameCopy && mine.hallOfFameCopy->id == theirs.hallOfFameCopy->id);
    const bool keep = std::all_of(theirs.toKeep.begin(), theirs.toKeep.end(),
                                  [&](const std::string& name) { return contains(mine.toKeep, name); });
    const bool archives = std::all_of(theirs.archives.begin(), theirs.archives.end(), [&](const NumberedFile& archive) {
        return std::any_of(mine.archives.begin(), mine.archives.end(),
                           [&](const NumberedFile& own) { return own.id == archive.id; });
    });
    // A newer ledger (a new game since) holds the older one among its archives or on the disk.
    const bool ledger = !theirs.ledger.kept || mine.ledger.epoch != theirs.ledger.epoch || mine.ledger.whole ||
                        (!theirs.ledger.whole && mine.ledger.from <= theirs.ledger.from);
    return hallOfFame && copy && keep && archives && ledger;
}

int GameFiles::nextNumber(std::string_view base)
{
    int& highest = m_highest[std::string(base)];
    if (highest >= kHighestNumber) {
        return 0; // the save takes the lowest number free, and says so
    }
    return ++highest;
}

NumberedFile GameFiles::numbered(NumberedFile::Kind kind, std::string bytes)
{
    const std::string_view base = kind == NumberedFile::Kind::Archive ? kArchiveKey : kHallOfFameName;
    return {kind, m_nextId++, nextNumber(base), std::make_shared<const std::string>(std::move(bytes))};
}

void GameFiles::scanFolder(StartReport& report)
{
    std::vector<std::string> leftovers;
    // A folder that cannot be listed gives no numbers: they start from 1, and every save checks
    // each name it takes.
    static_cast<void>(m_store.eachName([&](std::string_view name) {
        const NameForm form = whatIs(name);
        if (form.kind == NameForm::Kind::Backup || form.kind == NameForm::Kind::Archive) {
            int& highest = m_highest[std::string(form.kind == NameForm::Kind::Archive ? kArchiveKey : form.base)];
            highest = std::max(highest, form.number);
        } else if (form.kind == NameForm::Kind::Temporary && leftovers.size() < kMostLeftovers) {
            leftovers.emplace_back(name);
        }
    }));
    // What a replace cut short by a crash left: only the game's own temporary form, never a
    // player's file.
    for (const std::string& name : leftovers) {
        const EntryKind kind = m_store.entry(name);
        if ((kind == EntryKind::File || kind == EntryKind::Link) && !m_store.remove(name)) {
            ++report.leftovers;
        }
    }
}

void GameFiles::resumeBackups(StartReport& report)
{
    const std::string note(kBackupNoteName);
    const EntryKind kind = m_store.entry(note);
    if (kind == EntryKind::Missing) {
        return;
    }
    const std::optional<BackupPlan> plan = readNote(m_store);
    if (!plan) {
        // The game writes its note whole or not at all: anything else there is somebody else's,
        // kept like any foreign file. A folder or a pipe there is left alone.
        if (kind == EntryKind::File || kind == EntryKind::Link) {
            const int n = freeBackupNumber(m_store, {note}, nextNumber(note));
            if (n != 0 && !m_store.rename(note, backupName(note, n)) && !m_store.syncFolder()) {
                report.foreignNote = backupName(note, n);
                m_highest[note] = std::max(m_highest[note], n);
            }
        }
        return;
    }
    // A whole note: the names that still lack their backup were not moved yet.
    std::vector<std::string> rest;
    bool anyPresent = false;
    for (const std::string& name : plan->names) {
        const EntryKind at = m_store.entry(name);
        anyPresent = anyPresent || at == EntryKind::File || at == EntryKind::Link;
        // A backup name that could not be looked at is not known to be kept: the move is tried,
        // and never replaces what stands there.
        const EntryKind kept = m_store.entry(backupName(name, plan->number));
        if (kept == EntryKind::Missing || kept == EntryKind::Unknown) {
            rest.push_back(name);
        }
    }
    for (const std::string& name : plan->names) {
        m_highest[name] = std::max(m_highest[name], plan->number);
    }
    if (rest.empty()) {
        // Every file of that backup is kept already, and the note outlived it (a cut, or a note
        // that could not be removed): the files at the names now are later saves, never part
        // of that set. It goes; when it cannot, the next start finds it the same way.
        if (!m_store.remove(note)) {
            static_cast<void>(m_store.syncFolder());
        }
        if (!anyPresent) {
            report.resumedBackup = plan->number; // the start that kept them was cut short
        }
        return;
    }
    m_owed.toKeep = rest;
    int number = 0;
    report.kept = keepFiles(m_store, m_owed.toKeep, plan->number, number);
    report.resumedBackup = plan->number;
}

StartReport GameFiles::start()
{
    StartReport report;
    // Everything owed belongs to one start: saves of an earlier one owe nothing to this one.
    const std::uint64_t start = m_owed.start + 1;
    m_owed = Owed();
    m_owed.start = start;
    m_lastSaveFailed = false;
    m_highest.clear();
    m_ledger = Ledger();

    scanFolder(report);
    // A backup that a crash cut short is finished first: the files still at their names are the
    // rest of the set it was keeping (an unreadable journal's among them), never a game to play.
    resumeBackups(report);
    if (report.kept.error) {
        report.read.kind = AutosaveRead::Kind::Damaged;
        report.keptLater = true;
        readHallOfFameFromDisk();
        return report;
    }

    Recovery recovery = recoverSet(m_store);
    report.journal = recovery.kind;
    report.journalError = recovery.error;
    std::vector<std::string> toKeep;
    if (recovery.kind == Recovery::Kind::Completed) {
        // The interrupted save kept a Hall of Fame's copy that it had no time to tell of.
        for (const FileContent& file : recovery.files) {
            if (isHallOfFameCopy(file.name)) {
                report.hallOfFameCopy = file.name;
            }
        }
    }
    switch (recovery.kind) {
    case Recovery::Kind::NotCompleted:
        // The journal's set is whole: play it, and the next save finishes what this one could
        // not, the Hall of Fame and its copy included.
        report.read = parseAutosave(autosaveContents(recovery.files));
        for (FileContent& file : recovery.files) {
            if (file.name == kHallOfFameName) {
                m_owed.hallOfFame = std::make_shared<const std::string>(file.bytes);
                ++m_owed.hallOfFameVersion;
            } else if (isHallOfFameCopy(file.name)) {
                m_owed.hallOfFameCopy = NumberedFile{NumberedFile::Kind::HallOfFameCopy, m_nextId++,
                                                     whatIs(file.name).number,
                                                     std::make_shared<const std::string>(file.bytes)};
            }
        }
        m_lastSaveFailed = true;
        break;
    case Recovery::Kind::Unreadable:
        // The six files may be part old and part new: none of them is played, all of them
        // and the journal are kept.
        report.read.kind = AutosaveRead::Kind::Damaged;
        toKeep = autosaveNames();
        toKeep.emplace_back(kJournalName);
        break;
    case Recovery::Kind::Foreign:
        // Not the game's: kept under a backup name, and the six files play as they are.
        toKeep.emplace_back(kJournalName);
        report.read = readAutosave(m_store);
        if (report.read.kind == AutosaveRead::Kind::Damaged) {
            toKeep = autosaveNames();
            toKeep.emplace_back(kJournalName);
        }
        break;
    default:
        report.read = readAutosave(m_store);
        if (report.read.kind == AutosaveRead::Kind::Damaged) {
            toKeep = autosaveNames();
        }
        break;
    }
    if (!toKeep.empty()) {
        int from = 1;
        for (const std::string& name : toKeep) {
            from = std::max(from, m_highest[name] + 1);
        }
        m_owed.toKeep = toKeep;
        m_owed.keepFrom = from;
        int number = 0;
        Backups kept = keepFiles(m_store, m_owed.toKeep, from, number);
        report.kept.moved.insert(report.kept.moved.end(), kept.moved.begin(), kept.moved.end());
        report.kept.error = std::move(kept.error);
        report.keptLater = !m_owed.toKeep.empty();
        for (const std::string& name : toKeep) {
            m_highest[name] = std::max(m_highest[name], number);
        }
    }
    if (m_owed.hallOfFame) {
        m_hallOfFame = *m_owed.hallOfFame;
        m_hallOfFameError = {};
        m_hallOfFameLink = false;
        m_winners = winnerCount(*m_hallOfFame);
    } else {
        readHallOfFameFromDisk();
    }
    startLedger(report, recovery);
    return report;
}

void GameFiles::readHallOfFameFromDisk()
{
    const std::string name(kHallOfFameName);
    // Never read through a link: a win's list takes the link's place.
    m_hallOfFameLink = m_store.entry(name) == EntryKind::Link;
    m_hallOfFameError = {};
    m_hallOfFame.reset();
    if (!m_hallOfFameLink) {
        ReadResult read = m_store.readSteadily(name);
        if (!read.error) {
            m_hallOfFame = std::move(read.bytes);
        } else if (read.error.kind != StoreFailure::Missing) {
            m_hallOfFameError = std::move(read.error);
        }
    }
    m_winners = winnerCount(hallOfFameShown());
}

std::optional<Ledger> GameFiles::readLedger(const Recovery& recovery)
{
    const std::string name(kLedgerName);
    LedgerOwed& owed = m_owed.ledger;
    if (recovery.kind == Recovery::Kind::NotCompleted) {
        // The interrupted save's finished games and ledger are the ones to go on with, and the
        // next save owes them, under the same names.
        for (const FileContent& file : recovery.files) {
            if (const NameForm form = whatIs(file.name); form.kind == NameForm::Kind::Archive) {
                m_owed.archives.push_back({NumberedFile::Kind::Archive, m_nextId++, form.number,
                                           std::make_shared<const std::string>(file.bytes)});
            }
        }
        for (const FileContent& file : recovery.files) {
            if (file.name == name) {
                if (std::optional<Ledger> ledger = Ledger::parse(file.bytes)) {
                    owed.whole = true;
                    return ledger;
                }
            }
        }
        for (const FileAppend& append : recovery.appends) {
            const ReadResult read = append.name == name ? m_store.readSteadily(name) : ReadResult{};
            if (append.name == name && !read.error && read.bytes.size() >= append.length) {
                std::optional<Ledger> ledger =
                    Ledger::parse(read.bytes.substr(0, static_cast<std::size_t>(append.length)) + append.bytes);
                if (ledger) {
                    owed.from = append.length;
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
        ReadResult read = m_store.readSteadily(name);
        if (!read.error) {
            const std::size_t length = read.bytes.size();
            // The bytes read become the ledger's text: no second copy of a long history.
            if (std::optional<Ledger> ledger = Ledger::parse(std::move(read.bytes))) {
                owed.from = length;
                return ledger;
            }
        } else if (read.error.kind != StoreFailure::TooLarge) {
            // Not readable now: it is left alone, and not written either.
            owed.kept = false;
            m_ledger.note = {LedgerNote::Kind::NotSaved, {}, {}};
            return std::nullopt;
        }
    }
    if (kind == EntryKind::Folder || kind == EntryKind::Other || kind == EntryKind::Unknown) {
        owed.kept = false;
        m_ledger.note = {LedgerNote::Kind::NotSaved, {}, {}};
        return std::nullopt;
    }
    // Damaged, foreign or a link: kept as it is under a backup name, and a new one starts.
    const int n = freeBackupNumber(m_store, {name}, nextNumber(name));
    const std::string to = backupName(name, n);
    if (n == 0 || m_store.rename(name, to) || m_store.syncFolder()) {
        owed.kept = false;
        m_ledger.note = {LedgerNote::Kind::NotSaved, {}, {}};
        return std::nullopt;
    }
    m_highest[name] = std::max(m_highest[name], n);
    m_ledger.note = {LedgerNote::Kind::Damaged, {}, to};
    return std::nullopt;
}

void GameFiles::startLedger(const StartReport& report, const Recovery& recovery)
{
    m_owed.ledger = LedgerOwed();
    m_owed.ledger.epoch = ++m_ledgerEpoch;
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
        // Its first lines create the file, which is not there.
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

std::string GameFiles::hallOfFameShown() const
{
    if (m_owed.hallOfFame) {
        return *m_owed.hallOfFame;
    }
    return records::hallOfFameShown(m_hallOfFame ? &*m_hallOfFame : nullptr);
}

std::string GameFiles::readHallOfFame()
{
    // A win not yet on the disk is newer than anything the file holds.
    if (!m_owed.hallOfFame) {
        readHallOfFameFromDisk();
    }
    return hallOfFameShown();
}

WinReport GameFiles::recordWin(std::string_view name, std::string_view date)
{
    WinReport report;
    std::optional<NumberedFile> copy;
    if (!m_owed.hallOfFame) {
        // A list that could not be read may be readable now; a win is worth the one read.
        if (m_hallOfFameError) {
            readHallOfFame();
        }
        if (m_hallOfFameError) {
            report.unreadable = m_hallOfFameError;
            return report;
        }
        // Never read through a link: the new list takes the link's place, and whatever it
        // pointed to stays as it was.
        report.replacesLink = m_hallOfFameLink;
        // Rewritten in the game's form, a file in any other form is first kept as it is.
        if (m_hallOfFame && !isQuotedLine(*m_hallOfFame) && !m_owed.hallOfFameCopy) {
            copy = numbered(NumberedFile::Kind::HallOfFameCopy, *m_hallOfFame);
        }
    }
    const std::string* current = m_owed.hallOfFame ? m_owed.hallOfFame.get() : m_hallOfFame ? &*m_hallOfFame : nullptr;
    std::string grown = appendWinner(current, name, date);
    // The game never writes a Hall of Fame that a plain read would refuse.
    if (grown.size() > kLargestRead) {
        report.unreadable = {StoreFailure::TooLarge, std::string(kHallOfFameName), "the Hall of Fame is full"};
        return report;
    }
    if (copy) {
        m_owed.hallOfFameCopy = std::move(copy);
    }
    // What data6 holds once the win is saved: the next win grows this list.
    m_hallOfFame = grown;
    m_hallOfFameError = {};
    m_hallOfFameLink = false;
    m_owed.hallOfFame = std::make_shared<const std::string>(std::move(grown));
    ++m_owed.hallOfFameVersion;
    m_winners = winnerCount(*m_owed.hallOfFame);
    return report;
}

void GameFiles::newGame(const game::GameState& state)
{
    std::optional<std::string> finished = m_ledger.newGame(state);
    if (m_owed.ledger.kept && finished) {
        m_owed.archives.push_back(numbered(NumberedFile::Kind::Archive, std::move(*finished)));
    }
    m_owed.ledger.epoch = ++m_ledgerEpoch;
    m_owed.ledger.whole = true;
    m_owed.ledger.from = 0;
}

bool GameFiles::owesASave() const
{
    return m_lastSaveFailed || m_owed.hallOfFame || m_owed.hallOfFameCopy || !m_owed.toKeep.empty() ||
           !m_owed.archives.empty();
}

SaveJob GameFiles::nextSave(const game::GameState& state, WriteOrder order) const
{
    SaveJob job{state, order, m_owed};
    LedgerOwed& ledger = job.carries.ledger;
    if (ledger.kept) {
        // Only the lines since the disk's end travel, unless the file is written whole.
        const std::string& text = m_ledger.text();
        const std::size_t from = ledger.whole ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(ledger.from, text.size()));
        ledger.reach = text.size();
        if (ledger.whole || from < text.size()) {
            ledger.bytes = std::make_shared<const std::string>(text.substr(from));
        }
    }
    return job;
}

SaveReport GameFiles::write(TextStore& store, const SaveJob& job)
{
    SaveReport report;
    const Owed& carries = job.carries;
    if (!carries.toKeep.empty()) {
        std::vector<std::string> toKeep = carries.toKeep;
        Backups kept = keepFiles(store, toKeep, carries.keepFrom, report.keptNumber);
        if (kept.error) {
            report.outcome = SaveOutcome::NotKept;
            report.error = std::move(kept.error);
            return report;
        }
    }
    std::vector<FileContent> files;
    const auto placed = [&](const NumberedFile& file) {
        std::string name = placeNumbered(store, file, report);
        if (name.empty()) {
            report.outcome = SaveOutcome::Failed;
            report.error = {StoreFailure::Other, file.kind == NumberedFile::Kind::Archive ? std::string(kLedgerName)
                                                                                         : std::string(kHallOfFameName),
                            "no backup name is free"};
            return false;
        }
        files.push_back({std::move(name), *file.bytes});
        return true;
    };
    if (carries.hallOfFameCopy && !placed(*carries.hallOfFameCopy)) {
        return report;
    }
    if (carries.hallOfFame) {
        files.push_back({std::string(kHallOfFameName), *carries.hallOfFame});
    }
    for (FileContent& file : autosaveFiles(job.state, job.order)) {
        files.push_back(std::move(file));
    }
    std::vector<FileAppend> appends;
    const LedgerOwed& ledger = carries.ledger;
    if (ledger.kept) {
        // The ledger's lines since the last save go in the same set as the day they belong to.
        for (const NumberedFile& archive : carries.archives) {
            if (!placed(archive)) {
                return report;
            }
        }
        if (ledger.whole && ledger.bytes) {
            files.push_back({std::string(kLedgerName), *ledger.bytes});
        } else if (ledger.bytes && !ledger.bytes->empty()) {
            appends.push_back({std::string(kLedgerName), ledger.from, *ledger.bytes});
        }
    }
    if (StoreError error = saveSet(store, files, appends)) {
        report.outcome = error.kind == StoreFailure::TooLarge && error.file == kJournalName ? SaveOutcome::TooLarge
                                                                                            : SaveOutcome::Failed;
        report.error = std::move(error);
    }
    return report;
}

void GameFiles::saved(const SaveJob& job, const SaveReport& report)
{
    dropWritten(m_owed, job.carries, report);
    if (job.carries.start != m_owed.start) {
        return;
    }
    m_lastSaveFailed = !report;
    // The ledger no longer holds the part its new lines follow (removed, cut or replaced by a link
    // by hand during play): the next save writes it whole from what the game has, instead of
    // failing again. (A folder there fails the whole write as well, as any file's would.)
    if ((report.error.kind == StoreFailure::Missing || report.error.kind == StoreFailure::NotAFile) &&
        report.error.file == kLedgerName &&
        job.carries.ledger.epoch == m_owed.ledger.epoch && !job.carries.ledger.whole) {
        m_owed.ledger.whole = true;
        m_owed.ledger.from = 0;
    }
    // Numbers given since the start are never given again.
    for (const auto& [id, number] : report.renumbered) {
        const bool archive = std::any_of(job.carries.archives.begin(), job.carries.archives.end(),
                                         [id = id](const NumberedFile& file) { return file.id == id; });
        int& highest = m_highest[std::string(archive ? kArchiveKey : kHallOfFameName)];
        highest = std::max(highest, number);
    }
    for (const std::string& name : job.carries.toKeep) {
        m_highest[name] = std::max(m_highest[name], report.keptNumber);
    }
    if (report && !job.carries.archives.empty()) {
        m_lastArchive = job.carries.archives.back().nameAfter(report);
    }
}

} // namespace records
