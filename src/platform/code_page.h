// The files' single-byte code page (Windows-1252) to and from Qt's text.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace platform {

QString fromCodePage(std::string_view bytes);
// A character the code page cannot hold becomes "?" (one per character, surrogate pairs too).
std::string toCodePage(const QString& text);

} // namespace platform
