// Every name the game owns in its play folder, with their backup, archive and temporary forms.
#include "records/names.h"

namespace records {

std::string backupName(std::string_view name, int n)
{
    return std::string(name) + ".bak" + std::to_string(n);
}

std::string ledgerArchiveName(int n)
{
    return std::string(kLedgerName) + ".game" + std::to_string(n);
}

std::string temporaryName(std::string_view name)
{
    return std::string(name) + ".tolvstreet-new";
}

namespace {

constexpr std::string_view kBackupMark = ".bak";
constexpr std::string_view kArchiveMark = ".game";
constexpr std::string_view kTemporaryMark = ".tolvstreet-new";

// "1" .. "999999999": digits only, no leading zero.
int readNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 9 || digits.front() == '0') {
        return 0;
    }
    int n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return 0;
        }
        n = n * 10 + (c - '0');
    }
    return n;
}

// The plain names of the game's own, as whatIs sees them alone.
NameForm plainName(std::string_view name)
{
    using Kind = NameForm::Kind;
    for (const std::string_view game : kAutosaveNames) {
        if (name == game) {
            return {Kind::Autosave, game, 0};
        }
    }
    const std::pair<std::string_view, Kind> others[] = {
        {kHallOfFameName, Kind::HallOfFame}, {kJournalName, Kind::Journal},
        {kLedgerName, Kind::Ledger},         {kBackupNoteName, Kind::BackupNote},
        {kLockName, Kind::Lock},
    };
    for (const auto& [other, kind] : others) {
        if (name == other) {
            return {kind, other, 0};
        }
    }
    return {};
}

} // namespace

NameForm whatIs(std::string_view name)
{
    using Kind = NameForm::Kind;
    if (const NameForm plain = plainName(name); plain.kind != Kind::Foreign) {
        return plain;
    }
    if (name.size() > kTemporaryMark.size() && name.substr(name.size() - kTemporaryMark.size()) == kTemporaryMark) {
        const std::string_view base = name.substr(0, name.size() - kTemporaryMark.size());
        const NameForm of = whatIs(base);
        if (of.kind != Kind::Foreign && of.kind != Kind::Lock && of.kind != Kind::Temporary) {
            return {Kind::Temporary, base, of.number};
        }
        return {};
    }
    const std::string archivePrefix = std::string(kLedgerName) + std::string(kArchiveMark);
    if (name.substr(0, archivePrefix.size()) == archivePrefix) {
        const int n = readNumber(name.substr(archivePrefix.size()));
        return n != 0 ? NameForm{Kind::Archive, kLedgerName, n} : NameForm{};
    }
    const std::size_t mark = name.rfind(kBackupMark);
    if (mark != std::string_view::npos) {
        const NameForm of = plainName(name.substr(0, mark));
        const int n = readNumber(name.substr(mark + kBackupMark.size()));
        if (of.kind != Kind::Foreign && of.kind != Kind::Lock && n != 0) {
            return {Kind::Backup, of.base, n};
        }
    }
    return {};
}

bool isJournalFileName(std::string_view name)
{
    const NameForm form = whatIs(name);
    switch (form.kind) {
    case NameForm::Kind::Autosave:
    case NameForm::Kind::HallOfFame:
    case NameForm::Kind::Ledger:
    case NameForm::Kind::Archive:
        return true;
    case NameForm::Kind::Backup:
        // A Hall of Fame's copy, which a win's save writes.
        return form.base == kHallOfFameName;
    default:
        return false;
    }
}

} // namespace records
