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

// File names and paths as the program holds them: Windows-1251 text in which every character
// that has no Windows-1251 byte (and every malformed UTF-8 byte, and U+0098 itself) is kept as
// its UTF-8 bytes, each written as byte 0x98 and two upper-case hex digits. The conversion back
// gives the system's bytes exactly, so any name listed from the system opens again.
std::string utf8ToPathText(const std::string& utf8);
std::string pathTextToUtf8(const std::string& path);
// Path text as the screen shows it: each kept character becomes '?'.
std::string shownPathText(const std::string& path);

}  // namespace korvel
