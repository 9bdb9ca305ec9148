// Reading the readable sources of the data folder and writing the generated files: line
// splitting, UTF-8 to Windows-1251, CR LF output. Shared by the text generators.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvel::textgen {

// A failure with the place it was found, printed by main.
struct GenError {
    std::string where;
    std::string what;
};

std::optional<std::string> readWholeFile(const std::string& path);
bool writeWholeFile(const std::string& path, const std::string& bytes);

// Splits at LF; a CR before the LF is dropped, so sources may have either line end.
std::vector<std::string> splitLines(const std::string& text);

// Converts a source line to the program's code page; nullopt when a character has no
// Windows-1251 form (the conversion would have made it a question mark).
std::optional<std::string> toCp1251(const std::string& utf8);

std::string trim(const std::string& s);
bool startsWith(const std::string& s, const std::string& prefix);
// Parses a whole decimal integer (optional minus sign); nullopt for anything else.
std::optional<long> parseInteger(const std::string& s);

}  // namespace korvel::textgen
