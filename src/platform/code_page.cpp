// The files' single-byte code page (Windows-1252), with a table of our own so that every Qt build
// gives the same bytes.
#include "platform/code_page.h"

#include <array>
#include <cstdint>

namespace platform {

namespace {

// Bytes 0x80..0x9F; the five bytes Windows leaves unassigned keep their C1 control points.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighTable[byte - 0x80];
    }
    return byte;
}

// The byte for a code point, or '?' when the code page has none.
char toByte(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        return static_cast<char>(code);
    }
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == code) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

} // namespace

QString fromCodePage(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        text.append(QChar(toUnicode(static_cast<unsigned char>(c))));
    }
    return text;
}

std::string toCodePage(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            // A character outside the basic plane: never in the code page, one "?" for the pair.
            ++i;
            bytes.push_back('?');
        } else if (c.isSurrogate()) {
            bytes.push_back('?');
        } else {
            bytes.push_back(toByte(c.unicode()));
        }
    }
    return bytes;
}

} // namespace platform
