// Fuzzes the game's text readers: numbers, whole numbers, quantities and dates, and checks that
// every text the game writes reads back as itself.
#include "game/texts.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// Every number the game writes, whatever its value, reads back, and written again it is the
// same text: what was saved loads, and what was loaded is saved unchanged.
void numberRoundTrip(double value)
{
    const std::string text = game::numberText(value);
    const std::optional<double> back = game::readNumber(text);
    require(back.has_value());
    require(game::numberText(*back) == text);
    require(text.find('.') == std::string::npos && text.find(' ') == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::optional<double> number = game::readNumber(text);
    if (number) {
        require(!std::isnan(*number) && !std::isinf(*number));
        numberRoundTrip(*number);
    }

    const std::optional<std::int32_t> whole = game::readWhole(text);
    require(whole.has_value() == (number && std::nearbyint(*number) >= -2147483648.0 &&
                                  std::nearbyint(*number) <= 2147483647.0));
    if (whole) {
        require(static_cast<double>(*whole) == std::nearbyint(*number));
    }

    const std::optional<std::int32_t> quantity = game::readQuantity(text);
    if (quantity) {
        require(*quantity >= 0);
        require(game::readWhole(text) == quantity); // plain digits read the same either way
    }

    if (const std::optional<game::Date> date = game::readDate(text)) {
        const std::string written = game::dateText(*date);
        require(game::readDate(written) == date);
        if (const std::optional<game::Date> next = game::nextDay(*date)) {
            require(game::readDate(game::dateText(*next)).has_value());
        } else {
            require(date->year == game::kLastYear && date->month == 11 && date->day == 31);
        }
    }

    // Any bit pattern as a computed value.
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        numberRoundTrip(value);
    }
    return 0;
}
