// The six autosave files: the game state to and from their bytes, and their start-up read.
#include "records/autosave.h"

#include "game/texts.h"

#include <cstddef>

namespace records {

namespace {

using game::GameState;
using game::kCompanyCount;

constexpr std::size_t kData1 = 0;
constexpr std::size_t kData2 = 1;
constexpr std::size_t kData3 = 2;
constexpr std::size_t kData4 = 3;
constexpr std::size_t kData5 = 4;
constexpr std::size_t kData7 = 5;

constexpr std::size_t recordCount(std::size_t file)
{
    return file <= kData4 ? static_cast<std::size_t>(kCompanyCount) : 1;
}

std::string companyFile(const GameState& state, std::string game::Company::*field)
{
    std::string bytes;
    for (const game::Company& company : state.companies) {
        bytes += quotedLine(company.*field);
    }
    return bytes;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

struct Records {
    std::vector<std::string> values;
    bool whole = false;
    bool tooFew = false;  // with !whole: the bytes ended before the records did
    bool tooLong = false; // with !whole: a value far longer than any the game writes
    int bad = -1;        // with !whole: the record that is damaged or missing
};

// Reads `count` records. Other editors end lines with LF alone or a lone CR, leave the last line
// without an ending, or pad around the quotes; all of that reads. Anything past the records
// the game needs is not looked at.
Records parseRecords(std::string_view bytes, std::size_t count)
{
    Records out;
    std::size_t pos = 0;
    const std::size_t end = bytes.size();
    for (std::size_t k = 0; k < count; ++k) {
        out.bad = static_cast<int>(k);
        if (bytes.find_first_not_of(" \t\r\n", pos) == std::string_view::npos) {
            out.tooFew = true;
            return out;
        }
        while (pos < end && isBlank(bytes[pos])) {
            ++pos;
        }
        if (pos == end || bytes[pos] != '"') {
            return out;
        }
        const std::size_t close = bytes.find_first_of("\"\r\n", pos + 1);
        if (close == std::string_view::npos || bytes[close] != '"') {
            return out;
        }
        if (close - pos - 1 > kLongestRecord) {
            out.tooLong = true;
            return out;
        }
        std::string value(bytes.substr(pos + 1, close - pos - 1));
        pos = close + 1;
        while (pos < end && isBlank(bytes[pos])) {
            ++pos;
        }
        if (pos < end) {
            if (bytes[pos] == '\r') {
                ++pos;
                if (pos < end && bytes[pos] == '\n') {
                    ++pos;
                }
            } else if (bytes[pos] == '\n') {
                ++pos;
            } else {
                return out; // text after the closing quote: a quote inside the value
            }
        }
        out.values.push_back(std::move(value));
    }
    out.whole = true;
    out.bad = -1;
    return out;
}

bool isNumber(const std::string& text) { return game::readNumber(text).has_value(); }

bool isPrice(const std::string& text) { return text == game::kFailedMark || isNumber(text); }

void noteDamage(std::vector<FileProblem>& problems, std::size_t file, Damage damage, int record)
{
    problems.push_back({std::string(kAutosaveNames[file]), damage, record});
}

// Checks the values of one file and puts them into the state; false after noting the damage.
bool install(GameState& state, std::size_t file, const std::vector<std::string>& values,
             std::vector<FileProblem>& problems)
{
    for (std::size_t k = 0; k < values.size(); ++k) {
        const std::string& v = values[k];
        const int record = static_cast<int>(k);
        switch (file) {
        case kData1:
        case kData5:
            // Shares held and the cash are read as numbers by every trade.
            if (!isNumber(v)) {
                noteDamage(problems, file, Damage::NotANumber, record);
                return false;
            }
            break;
        case kData4:
            if (!isPrice(v)) {
                noteDamage(problems, file, Damage::NotANumber, record);
                return false;
            }
            break;
        case kData7:
            if (!game::readDate(v)) {
                noteDamage(problems, file, Damage::NotADate, record);
                return false;
            }
            break;
        default:
            break; // yesterday's prices and the changes are only shown
        }
    }
    for (std::size_t k = 0; k < values.size(); ++k) {
        switch (file) {
        case kData1:
            state.companies[k].shares = values[k];
            break;
        case kData2:
            state.companies[k].yesterday = values[k];
            break;
        case kData3:
            state.companies[k].change = values[k];
            break;
        case kData4:
            state.companies[k].price = values[k];
            break;
        case kData5:
            state.cash = values[k];
            break;
        default:
            state.date = values[k];
            break;
        }
    }
    return true;
}

enum class FileState { Present, Missing, Unreadable, TooLarge };

AutosaveRead parseFiles(const std::array<std::optional<std::string>, 6>& files,
                        const std::array<FileState, 6>& states)
{
    AutosaveRead result;
    bool anyThere = false;
    for (const FileState s : states) {
        anyThere = anyThere || s != FileState::Missing;
    }
    if (!anyThere) {
        result.kind = AutosaveRead::Kind::NoFiles;
        return result;
    }
    GameState loaded;
    for (std::size_t file = 0; file < files.size(); ++file) {
        if (states[file] == FileState::Missing) {
            noteDamage(result.problems, file, Damage::Missing, -1);
            continue;
        }
        if (states[file] == FileState::Unreadable || states[file] == FileState::TooLarge) {
            noteDamage(result.problems, file,
                       states[file] == FileState::TooLarge ? Damage::TooLarge : Damage::Unreadable, -1);
            continue;
        }
        const Records records = parseRecords(*files[file], recordCount(file));
        if (!records.whole) {
            noteDamage(result.problems, file,
                       records.tooLong  ? Damage::TooLong
                       : records.tooFew ? Damage::TooFewRecords
                                        : Damage::BadRecord,
                       records.bad);
            continue;
        }
        install(loaded, file, records.values, result.problems);
    }
    if (result.problems.empty()) {
        result.kind = AutosaveRead::Kind::Loaded;
        result.state = std::move(loaded);
    } else {
        result.kind = AutosaveRead::Kind::Damaged;
    }
    return result;
}

} // namespace

std::string quotedLine(std::string_view value)
{
    std::string line;
    line.reserve(value.size() + 4);
    line += '"';
    line += value;
    line += "\"\r\n";
    return line;
}

std::vector<FileContent> autosaveFiles(const GameState& state, WriteOrder order)
{
    std::array<std::string, 6> bytes = {
        companyFile(state, &game::Company::shares),
        companyFile(state, &game::Company::yesterday),
        companyFile(state, &game::Company::change),
        companyFile(state, &game::Company::price),
        quotedLine(state.cash),
        quotedLine(state.date),
    };
    std::vector<FileContent> files;
    files.reserve(bytes.size());
    if (order == WriteOrder::DateFirst) {
        files.push_back({std::string(kAutosaveNames[kData7]), std::move(bytes[kData7])});
    }
    for (std::size_t file = kData1; file <= kData5; ++file) {
        files.push_back({std::string(kAutosaveNames[file]), std::move(bytes[file])});
    }
    if (order == WriteOrder::DataFirst) {
        files.push_back({std::string(kAutosaveNames[kData7]), std::move(bytes[kData7])});
    }
    return files;
}

std::optional<std::vector<std::string>> readRecords(std::string_view bytes, std::size_t count,
                                                    int* badRecord)
{
    Records records = parseRecords(bytes, count);
    if (badRecord != nullptr) {
        *badRecord = records.bad;
    }
    if (!records.whole) {
        return std::nullopt;
    }
    return std::move(records.values);
}

AutosaveRead parseAutosave(const std::array<std::optional<std::string>, 6>& files)
{
    std::array<FileState, 6> states{};
    for (std::size_t i = 0; i < files.size(); ++i) {
        states[i] = files[i] ? FileState::Present : FileState::Missing;
    }
    return parseFiles(files, states);
}

AutosaveRead readAutosave(TextStore& store)
{
    std::array<std::optional<std::string>, 6> files;
    std::array<FileState, 6> states{};
    for (std::size_t i = 0; i < files.size(); ++i) {
        ReadResult read = store.readSteadily(std::string(kAutosaveNames[i]), kLargestAutosaveFile);
        if (!read.error) {
            files[i] = std::move(read.bytes);
            states[i] = FileState::Present;
        } else if (read.error.kind == StoreFailure::Missing) {
            states[i] = FileState::Missing;
        } else {
            states[i] = read.error.kind == StoreFailure::TooLarge ? FileState::TooLarge : FileState::Unreadable;
        }
    }
    return parseFiles(files, states);
}

} // namespace records
