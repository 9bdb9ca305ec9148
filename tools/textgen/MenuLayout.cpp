#include "MenuLayout.h"

#include <algorithm>

#include "ui/Menus.h"

namespace korvel::textgen {
namespace {

constexpr int kCellWidth = 8;  // widest glyph the 8x11 sheet holds
constexpr int kGlyphCount = 224;
constexpr int kItemHeight = 12;
constexpr int kSeparatorHeight = 7;
constexpr int kTopMargin = 2;     // running y starts at height - 2
constexpr int kBottomMargin = 5;  // row of the lowest caption above the box's bottom row
constexpr int kPlainCaptionX = 6;
constexpr int kMarkedCaptionX = 22;
constexpr int kShortcutRightMargin = 5;
constexpr int kCaptionToShortcutGap = 12;
constexpr int kCaptionRightMargin = 8;
constexpr int kRecentMenuMinWidth = 300;  // room for the paths of the recent files
constexpr int kMenuBufferWidth = 399;     // widest box that the 400-byte rows hold
constexpr int kMenuBufferHeight = 455;
constexpr int kTopBarFirstRow = 584;
constexpr int kMapViewFirstRow = 128;
constexpr int kScreenWidth = 800;

// Width of a text in the proportional font: each glyph and its spacing column, less the last.
int textWidth(const std::string& text, const GlyphWidths& widths) {
    int width = -1;
    for (unsigned char c : text) {
        const unsigned code = c < 32 ? 128 : c;
        width += (widths.empty() ? kCellWidth : widths[code - 32]) + 1;
    }
    return width;
}

// The caption as getMessage shows it without arguments.
std::string captionWithoutArguments(std::string text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == '1' || next == '2' || next == '3' || next == '4' || next == 's') {
                ++i;
                continue;
            }
            if (next == '&') ++i;
        }
        out += text[i];
    }
    return out;
}

bool isRecentFile(int code) {
    return code >= 775 && code <= 789;
}

}  // namespace

bool parseGlyphWidths(const std::string& text, GlyphWidths& out, GenError& error) {
    out.clear();
    if (text.size() < kGlyphCount) {
        error = {"glyph widths", "fewer than 224 digits"};
        return false;
    }
    for (int i = 0; i < kGlyphCount; ++i) {
        const char c = text[i];
        if (c < '0' || c > '0' + kCellWidth) {
            error = {"glyph widths", "not a width within the cell at " + std::to_string(i)};
            return false;
        }
        out.push_back(c - '0');
    }
    return true;
}

bool parseMenuSource(const std::string& source, MenuSource& out, GenError& error) {
    out = MenuSource{};
    int current = 0;
    int lineNumber = 0;
    std::array<bool, 7> seenMenu{};
    std::map<int, int> seenCommand;
    const auto fail = [&](const std::string& what) {
        error = {"menus.txt line " + std::to_string(lineNumber), what};
        return false;
    };
    for (const std::string& raw : splitLines(source)) {
        ++lineNumber;
        out.fileBytes += raw + "\r\n";
        const std::string line = trim(raw);
        if (line.empty() || startsWith(line, "//")) continue;
        if (line != raw) return fail("keyword lines start at the first column, single blanks");
        const size_t blank = line.find(' ');
        const std::string keyword = line.substr(0, blank);
        // 0 stands for a missing or malformed number; no keyword accepts it.
        const long argument =
            blank == std::string::npos ? 0 : parseInteger(line.substr(blank + 1)).value_or(0);
        if (keyword == "setdestination") {
            if (argument < 1 || argument > 6) return fail("menus are 1 to 6");
            current = int(argument);
            if (seenMenu[current]) return fail("menu listed twice");
            seenMenu[current] = true;
        } else if (keyword == "additem") {
            if (current == 0) return fail("an item before the first setdestination");
            const long command = argument;
            if (command < kFirstMenuCommand || command > kLastMenuCommand)
                return fail("commands are 768 to 868");
            if (seenCommand.count(int(command))) return fail("command listed twice");
            seenCommand[int(command)] = current;
            out.menus[current].push_back({false, int(command)});
        } else if (keyword == "adddelimeter") {
            if (current == 0 || blank != std::string::npos) return fail("a bare adddelimeter");
            out.menus[current].push_back({true, 0});
        } else {
            return fail("unknown keyword " + keyword);
        }
    }
    for (int code = kFirstMenuCommand; code <= kLastMenuCommand; ++code)
        if (!seenCommand.count(code)) {
            error = {"menus.txt", "command " + std::to_string(code) + " is in no menu"};
            return false;
        }
    return true;
}

bool layoutMenus(const MenuSource& menus, const LanguageSource& language,
                 const std::map<int, ScreenPosition>& titles, const GlyphWidths& widths,
                 std::array<MenuBox, 7>& boxes, GenError& error) {
    for (int n = 1; n <= 6; ++n) {
        int items = 0, separators = 0;
        int width = n == 1 ? kRecentMenuMinWidth : 0;
        for (const MenuEntry& entry : menus.menus[n]) {
            if (entry.separator) {
                ++separators;
                continue;
            }
            ++items;
            if (isRecentFile(entry.command)) continue;  // their paths are cut to fit
            const std::string caption =
                captionWithoutArguments(language.text(commandTextId(entry.command)));
            if (caption.empty()) {
                error = {"menu " + std::to_string(n),
                         "command " + std::to_string(entry.command) + " has no caption"};
                return false;
            }
            const std::string shortcut = commandShortcut(entry.command);
            // Marked items leave room for the tick or choice mark before their caption.
            int need =
                (korvel::commandShowsMark(entry.command) ? kMarkedCaptionX : kPlainCaptionX) +
                textWidth(caption, widths);
            need += shortcut.empty() ? kCaptionRightMargin
                                     : kCaptionToShortcutGap + textWidth(shortcut, widths) +
                                           kShortcutRightMargin;
            width = std::max(width, need);
        }
        MenuBox& box = boxes[n];
        box.width = width;
        box.height =
            kTopMargin + items * kItemHeight + separators * kSeparatorHeight + kBottomMargin;
        const int titleX = titles.at(352 + n).first;
        box.x = std::min(std::max(titleX - 4, 0), kScreenWidth - 1 - box.width);
        box.y = kTopBarFirstRow - 1 - box.height;
        if (box.width > kMenuBufferWidth || box.height > kMenuBufferHeight ||
            box.y < kMapViewFirstRow) {
            error = {"menu " + std::to_string(n),
                     "too big: " + std::to_string(box.width) + " x " + std::to_string(box.height)};
            return false;
        }
    }
    return true;
}

void addMenuBoxPositions(const std::array<MenuBox, 7>& boxes,
                         std::map<int, ScreenPosition>& positions) {
    for (int n = 1; n <= 6; ++n) {
        positions[775 + 2 * (n - 1)] = {boxes[n].x, boxes[n].y};
        positions[776 + 2 * (n - 1)] = {boxes[n].width, boxes[n].height};
    }
}

}  // namespace korvel::textgen
