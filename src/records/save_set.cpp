// The save set: a write-ahead journal so that a crash leaves every file of a save old or new.
#include "records/save_set.h"

#include "records/names.h"

#include <charconv>
#include <cstdint>

namespace records {

namespace {

// The journal:
//   TolvStreet journal 1\n          (2 when it holds appends)
//   <number of entries>\n
//   then per file replaced: <name>\n<length in bytes>\n<bytes>\n
//   and in form 2, per append:  ><name>\n<file's length before>\n<length in bytes>\n<bytes>\n
//   check <FNV-1a 64 of everything above, 16 lower-case hex digits>\n
//   end\n
// A journal cut short or altered anywhere fails the check or the end marker.
constexpr std::string_view kMagic = "TolvStreet journal 1\n";
constexpr std::string_view kMagic2 = "TolvStreet journal 2\n";
constexpr char kAppendMark = '>';
constexpr std::string_view kCheck = "check ";
constexpr std::string_view kEnd = "end\n";
constexpr std::size_t kMostFiles = 64;

std::uint64_t fnv1a(std::string_view bytes)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::string hex16(std::uint64_t value)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
        value >>= 4;
    }
    return text;
}

} // namespace

namespace {

// Reads a line at `pos` (without its LF) and moves past it; nothing when no LF follows.
std::optional<std::string_view> takeLine(std::string_view bytes, std::size_t& pos)
{
    const std::size_t lf = bytes.find('\n', pos);
    if (lf == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view line = bytes.substr(pos, lf - pos);
    pos = lf + 1;
    return line;
}

// Plain decimal digits only: no sign, no blanks, no leading zeros.
std::optional<std::size_t> readCount(std::string_view text)
{
    if (text.empty() || text.size() > 12 || (text.size() > 1 && text.front() == '0')) {
        return std::nullopt;
    }
    std::size_t value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string journalBytes(const std::vector<FileContent>& files, const std::vector<FileAppend>& appends)
{
    std::size_t size = 64;
    for (const FileContent& file : files) {
        size += file.name.size() + file.bytes.size() + 24;
    }
    for (const FileAppend& append : appends) {
        size += append.name.size() + append.bytes.size() + 48;
    }
    std::string out(appends.empty() ? kMagic : kMagic2);
    out.reserve(size);
    out += std::to_string(files.size() + appends.size());
    out += '\n';
    for (const FileContent& file : files) {
        out += file.name;
        out += '\n';
        out += std::to_string(file.bytes.size());
        out += '\n';
        out += file.bytes;
        out += '\n';
    }
    for (const FileAppend& append : appends) {
        out += kAppendMark;
        out += append.name;
        out += '\n';
        out += std::to_string(append.length);
        out += '\n';
        out += std::to_string(append.bytes.size());
        out += '\n';
        out += append.bytes;
        out += '\n';
    }
    const std::uint64_t check = fnv1a(out);
    out += kCheck;
    out += hex16(check);
    out += '\n';
    out += kEnd;
    return out;
}

std::optional<JournalSet> readJournalSet(std::string_view bytes)
{
    const bool second = bytes.substr(0, kMagic2.size()) == kMagic2;
    if (!second && bytes.substr(0, kMagic.size()) != kMagic) {
        return std::nullopt;
    }
    std::size_t pos = kMagic.size();
    const auto countLine = takeLine(bytes, pos);
    const auto count = countLine ? readCount(*countLine) : std::nullopt;
    if (!count || *count > kMostFiles) {
        return std::nullopt;
    }
    JournalSet set;
    for (std::size_t i = 0; i < *count; ++i) {
        auto name = takeLine(bytes, pos);
        const bool append = second && name && !name->empty() && name->front() == kAppendMark;
        if (append) {
            name = name->substr(1);
        }
        if (!name || !isJournalFileName(*name) || (!append && !set.appends.empty())) {
            return std::nullopt;
        }
        std::optional<std::size_t> before;
        if (append) {
            const auto beforeLine = takeLine(bytes, pos);
            before = beforeLine ? readCount(*beforeLine) : std::nullopt;
            if (!before) {
                return std::nullopt;
            }
        }
        const auto lengthLine = takeLine(bytes, pos);
        const auto length = lengthLine ? readCount(*lengthLine) : std::nullopt;
        if (!length || *length >= bytes.size() - pos || bytes[pos + *length] != '\n') {
            return std::nullopt;
        }
        if (append) {
            set.appends.push_back({std::string(*name), *before, std::string(bytes.substr(pos, *length))});
        } else {
            set.files.push_back({std::string(*name), std::string(bytes.substr(pos, *length))});
        }
        pos += *length + 1;
    }
    const std::size_t checked = pos;
    const auto checkLine = takeLine(bytes, pos);
    if (!checkLine || checkLine->substr(0, kCheck.size()) != kCheck ||
        checkLine->substr(kCheck.size()) != hex16(fnv1a(bytes.substr(0, checked)))) {
        return std::nullopt;
    }
    if (bytes.substr(pos) != kEnd) {
        return std::nullopt;
    }
    return set;
}

std::optional<std::vector<FileContent>> readJournal(std::string_view bytes)
{
    std::optional<JournalSet> set = readJournalSet(bytes);
    if (!set) {
        return std::nullopt;
    }
    return std::move(set->files);
}

StoreError saveSet(TextStore& store, const std::vector<FileContent>& files, const std::vector<FileAppend>& appends)
{
    const std::string journal(kJournalName);
    // A set the journal could not carry, or the start could not read back, is refused before
    // anything is written.
    if (files.size() + appends.size() > kMostFiles) {
        return {StoreFailure::Other, journal, "too many files for one save"};
    }
    for (const FileContent& file : files) {
        if (!isJournalFileName(file.name)) {
            return {StoreFailure::Other, file.name, "not a plain file name"};
        }
    }
    for (const FileAppend& append : appends) {
        if (!isJournalFileName(append.name)) {
            return {StoreFailure::Other, append.name, "not a plain file name"};
        }
    }
    std::size_t size = kMagic.size() + 64;
    for (const FileContent& file : files) {
        size += file.name.size() + file.bytes.size() + 24;
    }
    for (const FileAppend& append : appends) {
        size += append.name.size() + append.bytes.size() + 48;
    }
    if (size > kLargestJournal) {
        return {StoreFailure::TooLarge, journal, "the save is larger than a journal may be"};
    }
    const std::string bytes = journalBytes(files, appends);
    // Until the journal is whole on the disk nothing else has been touched.
    if (StoreError error = store.replace(journal, bytes)) {
        return error;
    }
    // The journal's name must be durable before any file changes, or a power cut could keep a
    // new file and lose the journal that says which set it belongs to.
    if (StoreError error = store.syncFolder()) {
        return error;
    }
    for (const FileContent& file : files) {
        if (StoreError error = store.replace(file.name, file.bytes)) {
            return error; // the journal stays: the next start completes the set
        }
    }
    for (const FileAppend& append : appends) {
        if (StoreError error = store.append(append.name, append.length, append.bytes)) {
            return error;
        }
    }
    // The files' new names must be durable before the journal that can redo them goes.
    if (StoreError error = store.syncFolder()) {
        return error;
    }
    if (StoreError error = store.remove(journal)) {
        return error;
    }
    return store.syncFolder();
}

Recovery recoverSet(TextStore& store)
{
    Recovery result;
    const std::string journal(kJournalName);
    const EntryKind kind = store.entry(journal);
    if (kind == EntryKind::Missing) {
        return result;
    }
    const auto notAJournal = [&] {
        // The game never makes a folder or a link there: nothing of a save to complete.
        result.kind = Recovery::Kind::NotAJournal;
        result.error = {StoreFailure::NotAFile, journal, "not a file of the game"};
        return result;
    };
    // A name that could not be looked at may hold a journal whose set is half written: it is read
    // like a file, and passed over only when the read shows it is none.
    if (kind != EntryKind::File && kind != EntryKind::Unknown) {
        return notAJournal();
    }
    ReadResult read = store.readSteadily(journal, kLargestJournal);
    if (kind == EntryKind::Unknown && read.error.kind == StoreFailure::NotAFile) {
        return notAJournal();
    }
    if (read.error.kind == StoreFailure::TooLarge) {
        // Larger than any journal a save writes: somebody else's file, with no save of the
        // game's under way behind it.
        result.kind = Recovery::Kind::Foreign;
        result.error = {StoreFailure::NotAFile, journal, "not a journal of the game"};
        return result;
    }
    if (read.error) {
        result.kind = read.error.kind == StoreFailure::Missing ? Recovery::Kind::Nothing : Recovery::Kind::Unreadable;
        result.error = std::move(read.error);
        if (result.kind == Recovery::Kind::Nothing) {
            result.error = {};
        }
        return result;
    }
    std::optional<JournalSet> set = readJournalSet(read.bytes);
    if (!set) {
        // The game's journal takes its name only whole and synced: one that does not check was
        // damaged since, and the files it names may be part rewritten. Anything else at the name
        // was never the game's.
        const bool ours = read.bytes.substr(0, kMagic.size()) == kMagic ||
                          read.bytes.substr(0, kMagic2.size()) == kMagic2;
        result.kind = ours ? Recovery::Kind::Unreadable : Recovery::Kind::Foreign;
        result.error = {ours ? StoreFailure::Other : StoreFailure::NotAFile, journal,
                        ours ? "the journal does not check" : "not a journal of the game"};
        return result;
    }
    result.files = std::move(set->files);
    result.appends = std::move(set->appends);
    auto notCompleted = [&result](StoreError error) {
        result.kind = Recovery::Kind::NotCompleted;
        result.error = std::move(error);
        return result;
    };
    for (const FileContent& file : result.files) {
        if (StoreError error = store.replace(file.name, file.bytes)) {
            return notCompleted(std::move(error));
        }
    }
    for (const FileAppend& append : result.appends) {
        if (StoreError error = store.append(append.name, append.length, append.bytes)) {
            // A file that no longer holds what the append follows was changed by hand since:
            // the set's own files are still completed, and the start sees the mismatch.
            if (error.kind != StoreFailure::Missing) {
                return notCompleted(std::move(error));
            }
            result.skipped.push_back(append.name);
        }
    }
    if (StoreError error = store.syncFolder()) {
        return notCompleted(std::move(error));
    }
    if (StoreError error = store.remove(journal)) {
        return notCompleted(std::move(error));
    }
    if (StoreError error = store.syncFolder()) {
        return notCompleted(std::move(error));
    }
    result.kind = Recovery::Kind::Completed;
    return result;
}

} // namespace records
