// The files' single-byte code page (Windows-1252): the character each byte stands for, and the
// byte each character takes. A table of our own, so that every build gives the same bytes.
#pragma once

#include <optional>

namespace records {

char32_t codePageCharacter(unsigned char byte);
// Nothing when the code page has no byte for the character.
std::optional<unsigned char> codePageByte(char32_t character);

} // namespace records
