// The memory a ledger's reading takes: a counting allocator in place of the global one, the
// attack inputs read one at a time, and each peak held against eight times the file's size plus
// 120 MiB. Run from the optimised build: build/bench/bench/bench_ledger_memory.
#include "game/texts.h"
#include "records/ledger.h"
#include "records/ledger_lines.h"

#include "ledger_support.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <utility>

namespace {

// The allocator's count is the one state a replaced operator new must keep.
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

constexpr std::size_t kHeader = 16; // keeps the block's size; malloc's alignment is 16

void* take(std::size_t size)
{
    void* block = std::malloc(size + kHeader);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    std::memcpy(block, &size, sizeof size);
    const std::size_t live = liveBytes.fetch_add(size) + size;
    std::size_t peak = peakBytes.load();
    while (live > peak && !peakBytes.compare_exchange_weak(peak, live)) {
    }
    return static_cast<char*>(block) + kHeader;
}

void give(void* pointer) noexcept
{
    if (pointer == nullptr) {
        return;
    }
    char* block = static_cast<char*>(pointer) - kHeader;
    std::size_t size = 0;
    std::memcpy(&size, block, sizeof size);
    liveBytes.fetch_sub(size);
    std::free(block);
}

constexpr std::size_t kMiB = 1024 * 1024;

struct Reader {
    const char* name;
    std::function<bool(const std::string&)> read;
};

bool measure(const char* what, std::string bytes, const std::vector<Reader>& readers)
{
    bytes.shrink_to_fit(); // as the store reads a file: no room beyond its bytes
    bool within = true;
    for (const Reader& reader : readers) {
        peakBytes = liveBytes.load(); // the file is counted: it is in memory while it is read
        const std::size_t before = liveBytes.load();
        const bool read = reader.read(bytes);
        const std::size_t peak = peakBytes.load();
        const std::size_t bound = 8 * bytes.size() + 120 * kMiB;
        const bool ok = peak <= bound;
        within = within && ok;
        std::printf(
            "%-58s %-4s %9.2f MiB file  %9.2f MiB peak (%5.2fx)  bound %8.2f MiB  %s  %s\n", what,
            reader.name, static_cast<double>(bytes.size()) / kMiB, static_cast<double>(peak) / kMiB,
            static_cast<double>(peak) / static_cast<double>(bytes.size()),
            static_cast<double>(bound) / kMiB, read ? "read" : "damaged", ok ? "within" : "OVER");
        if (liveBytes.load() != before) {
            std::printf("  (%zu bytes still held after the read)\n", liveBytes.load() - before);
        }
    }
    return within;
}

std::string header()
{
    return std::string(records::kLedgerHeader);
}

std::string prices(const char* each)
{
    std::string text;
    for (int i = 0; i < game::kCompanyCount; ++i) {
        text += ';';
        text += each;
    }
    return text;
}

// Lines repeated until the file reaches `size`.
std::string filled(std::string first, const std::string& line, std::size_t size)
{
    while (first.size() + line.size() <= size) {
        first += line;
    }
    return first;
}

} // namespace

void* operator new(std::size_t size)
{
    return take(size);
}
void* operator new[](std::size_t size)
{
    return take(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return take(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new(size, tag);
}
void operator delete(void* pointer) noexcept
{
    give(pointer);
}
void operator delete[](void* pointer) noexcept
{
    give(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept
{
    give(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept
{
    give(pointer);
}

int main()
{
    // As the start reads it: the file's bytes (a copy of them here, counted too) become the
    // ledger's text, and its lines the portfolio.
    std::vector<Reader> readers = {{"start", [](const std::string& bytes) {
                                        return records::Ledger::parse(std::string(bytes)).has_value();
                                    }}};
    const std::string day =
        "D;01 Gen 2002;10000,00;755;37;70;66;562;332;117;24;605;441;1100;70;35;150;39;80;500\n";
    const std::string trade = "T;B;0;1;755;755,00;9245\n";
    bool within = true;
    {
        std::string bytes =
            header() + "D;" + std::string(256 * 1024, ' ') + "01 Gen 2002;0" + prices("1") + "\n";
        bytes = filled(bytes, trade, bytes.size() + 4000 * trade.size());
        within = measure("one day with a 256 KiB date, 4000 trades", std::move(bytes), readers) &&
                 within;
    }
    {
        std::string bytes = header() + "D;" + std::string(64 * 1024 - 100, ' ') + "01 Gen 2002;0" +
                            prices("1") + "\n";
        bytes = filled(bytes, trade, bytes.size() + 4000 * trade.size());
        within = measure("one day with a 64 KiB date (it reads), 4000 trades", std::move(bytes),
                         readers) &&
                 within;
    }
    within = measure("64 MiB of the shortest day lines",
                     filled(header(), "D;1 Gen 0;0" + prices("0") + "\n", 64 * kMiB), readers) &&
             within;
    {
        std::string bytes = header();
        bytes.reserve(80 * kMiB);
        const std::int64_t first = game::dayNumber({1, 0, 2002});
        for (std::int64_t d = 0; d < 1500000; ++d) {
            bytes += "D;" + game::dateText(*game::dateOfDay(first + d)) + ";0" + prices("0") + "\n";
        }
        within = measure("1.5 million days", std::move(bytes), readers) && within;
    }
    within = measure("64 MiB of trades and wins",
                     filled(header() + day, "T;S;0;1;0;0;0\nW;0\n", 64 * kMiB), readers) &&
             within;
    within = measure("64 MiB of gap lines (damaged at the second)",
                     filled(header(), "G" + prices("0") + "\n", 64 * kMiB), readers) &&
             within;
    within = measure("ten years played (3650 days)", bench::playedLedger(3650), readers) && within;
    return within ? 0 : 1;
}
