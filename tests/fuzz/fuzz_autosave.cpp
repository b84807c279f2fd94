// Fuzzes the start-up read of the six autosave files: any bytes either load whole or name the
// damaged files, and a loaded state saves and loads back unchanged.
#include "records/autosave.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // One file's records, for every count the game reads.
    for (const std::size_t count : {std::size_t{1}, std::size_t{17}}) {
        int bad = -2;
        const auto values = records::readRecords(input, count, &bad);
        if (values) {
            require(values->size() == count && bad == -1);
            std::string again;
            for (const std::string& value : *values) {
                require(value.find_first_of("\"\r\n") == std::string::npos);
                again += records::quotedLine(value);
            }
            require(records::readRecords(again, count) == values);
        } else {
            require(bad >= 0 && bad < static_cast<int>(count));
        }
    }

    // Six files, split at the byte 0x00; a file given as the single byte 0x01 is missing.
    std::array<std::optional<std::string>, 6> files;
    std::size_t start = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        const std::string_view part = start <= input.size() ? input.substr(start, end - start) : std::string_view();
        if (part != "\x01") {
            files[i] = std::string(part);
        }
        start = end + 1;
    }
    const records::AutosaveRead read = records::parseAutosave(files);
    switch (read.kind) {
    case records::AutosaveRead::Kind::Loaded: {
        require(read.problems.empty());
        std::array<std::optional<std::string>, 6> saved;
        std::size_t i = 0;
        for (const records::FileContent& file : records::autosaveFiles(read.state, records::WriteOrder::DataFirst)) {
            require(file.name == records::kAutosaveNames[i]);
            saved[i++] = file.bytes;
        }
        const records::AutosaveRead again = records::parseAutosave(saved);
        require(again.kind == records::AutosaveRead::Kind::Loaded && again.state == read.state);
        break;
    }
    case records::AutosaveRead::Kind::NoFiles:
        for (const auto& file : files) {
            require(!file.has_value());
        }
        break;
    case records::AutosaveRead::Kind::Damaged:
        require(!read.problems.empty());
        for (const records::FileProblem& problem : read.problems) {
            bool known = false;
            for (const std::string_view name : records::kAutosaveNames) {
                known = known || problem.name == name;
            }
            require(known);
        }
        break;
    }
    return 0;
}
