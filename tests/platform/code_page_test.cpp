// The Windows-1252 table against the published mapping and, where Qt has ICU, its decoder.
#include "platform/code_page.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

namespace {

using platform::fromCodePage;
using platform::toCodePage;

std::string allBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

TEST(CodePage, EveryByteMapsToItsCharacterAndBack)
{
    const char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                               0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    const QString text = fromCodePage(allBytes());
    ASSERT_EQ(text.size(), 256);
    for (int b = 0; b < 256; ++b) {
        const char16_t expected = (b >= 0x80 && b < 0xA0) ? high[b - 0x80] : char16_t(b);
        EXPECT_EQ(text.at(b).unicode(), expected) << "byte " << b;
    }
    EXPECT_EQ(toCodePage(text), allBytes());
}

TEST(CodePage, AgreesWithTheSystemDecoder)
{
    QStringDecoder decoder("windows-1252");
    if (!decoder.isValid()) {
        GTEST_SKIP() << "this Qt has no windows-1252 decoder to compare with";
    }
    const std::string bytes = allBytes();
    const QString oracle = decoder.decode(QByteArrayView(bytes.data(), 256));
    EXPECT_EQ(fromCodePage(bytes), oracle);
}

TEST(CodePage, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    struct Case {
        const char* what;
        QString text;
        std::string bytes;
    };
    const Case cases[] = {
        {"plain ASCII", QStringLiteral("Anna 01 Gen 2002"), "Anna 01 Gen 2002"},
        {"Latin-1 letter", QStringLiteral("Carlett\u00f2"), "Carlett\xf2"},
        {"euro sign", QStringLiteral("\u20ac5"), "\x80" "5"},
        {"ellipsis and y diaeresis", QStringLiteral("\u2026\u0178"), "\x85\x9f"},
        {"C1 point kept by the table", QStringLiteral("\u0081\u009d"), "\x81\x9d"},
        {"C1 point the table replaces", QStringLiteral("\u0080\u009f"), "??"},
        {"letter outside", QStringLiteral("A\u0100B"), "A?B"},
        {"Greek", QStringLiteral("\u03b1\u03b2"), "??"},
        {"emoji is one character", QString::fromUtf8("x\xf0\x9f\x98\x80y"), "x?y"},
        {"two emoji", QString::fromUtf8("\xf0\x9f\x98\x80\xf0\x9f\x98\x80"), "??"},
        {"lone high surrogate", QString(QChar(0xD83D)) + QStringLiteral("z"), "?z"},
        {"lone low surrogate", QString(QChar(0xDE00)), "?"},
        {"NUL and CR stay", QString(QChar(0)) + QStringLiteral("\r"), std::string("\0\r", 2)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toCodePage(c.text), c.bytes) << c.what;
    }
}

} // namespace
