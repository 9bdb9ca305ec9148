// The readable English texts (data/lang/english.txt) and the language file made from them:
// one text line per message number, in number order, with the screen positions some
// messages carry.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "SourceText.h"

namespace korvel::textgen {

using ScreenPosition = std::pair<int, int>;

struct MessageEntry {
    bool present = false;
    std::string text;      // Windows-1251, without the enclosing quotes
    std::string classTag;  // "" or the one or two digits of the plural class
    std::optional<ScreenPosition> position;
};

struct LanguageSource {
    std::string headLine;
    std::string helpFileName;
    std::vector<MessageEntry> messages;  // index = message number
    // Text of message n, or "" for a number the source does not reach.
    const std::string& text(int n) const;
};

// Messages whose positions the generator computes; the source must not give them.
bool isComputedPosition(int message);

bool parseLanguageSource(const std::string& source, LanguageSource& out, GenError& error);

// Positions of the menu titles 353 to 358: the x of each word of message 438 (the closed menu
// bar, drawn at x 8 with 8 pixels per character) on the top bar's text row.
bool menuTitlePositions(const LanguageSource& language, std::map<int, ScreenPosition>& out,
                        GenError& error);

// The language file, CR LF line ends, message 0 to the last number the source names.
std::string renderLanguageFile(const LanguageSource& language,
                               const std::map<int, ScreenPosition>& computed);

}  // namespace korvel::textgen
