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

bool isJournalFileName(std::string_view name)
{
    for (const std::string_view game : kAutosaveNames) {
        if (name == game) {
            return true;
        }
    }
    if (name == kHallOfFameName || name == kLedgerName) {
        return true;
    }
    // A copy of the Hall of Fame ("data6.bak" and a number) or a finished ledger ("Data.ledger.game"
    // and a number).
    const auto numbered = [name](const std::string& prefix) {
        if (name.size() <= prefix.size() || name.size() > prefix.size() + 9 || name.substr(0, prefix.size()) != prefix ||
            name[prefix.size()] == '0') {
            return false;
        }
        for (const char c : name.substr(prefix.size())) {
            if (c < '0' || c > '9') {
                return false;
            }
        }
        return true;
    };
    return numbered(std::string(kHallOfFameName) + ".bak") || numbered(std::string(kLedgerName) + ".game");
}

} // namespace records
