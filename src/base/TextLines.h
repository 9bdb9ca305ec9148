// The line rule shared by the game's and the editor's text files: lines end at CR, and one LF
// at the start of a line (the rest of a CR LF pair) is not part of it.
#pragma once

#include <string_view>
#include <vector>

namespace korvel {

// The pieces of text between CRs, LF not yet dropped (some readers count it).
inline std::vector<std::string_view> splitAtCr(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\r', start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

inline std::string_view dropLeadingLf(std::string_view line) {
    return (!line.empty() && line.front() == '\n') ? line.substr(1) : line;
}

// Field n (from 1) of a line split at single blanks; nothing when the line has fewer fields.
inline bool blankField(std::string_view line, int n, std::string_view& field) {
    size_t start = 0;
    for (int i = 1;; ++i) {
        const size_t end = line.find(' ', start);
        if (i == n) {
            field = line.substr(
                start, end == std::string_view::npos ? std::string_view::npos : end - start);
            return true;
        }
        if (end == std::string_view::npos) return false;
        start = end + 1;
    }
}

}  // namespace korvel
