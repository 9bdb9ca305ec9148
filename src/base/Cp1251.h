// Conversion between the program's 8-bit Windows-1251 text and UTF-8, used only at the edge to
// the operating system (clipboard, window caption, file names).
#pragma once

#include <string>

namespace korvel {

// Every byte maps to one character (the unassigned byte 0x98 to U+0098), so a round trip of any
// byte string through UTF-8 is exact.
std::string cp1251ToUtf8(const std::string& text);
// Characters outside Windows-1251 become '?'; malformed UTF-8 bytes become '?'.
std::string utf8ToCp1251(const std::string& text);

}  // namespace korvel
