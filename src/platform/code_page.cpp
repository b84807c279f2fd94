// The files' single-byte code page (Windows-1252) to and from Qt's text, by the records' table.
#include "platform/code_page.h"

#include "records/code_page.h"

namespace platform {

QString fromCodePage(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        text.append(QChar(static_cast<char16_t>(records::codePageCharacter(static_cast<unsigned char>(c)))));
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
            bytes.push_back(static_cast<char>(records::codePageByte(c.unicode()).value_or('?')));
        }
    }
    return bytes;
}

} // namespace platform
