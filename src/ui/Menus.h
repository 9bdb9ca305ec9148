// The pull-down menus read from menus.dat: the items and separators of the six menus, which one
// is open and where its box lies, the painting of the open menu into the menu buffer (captions,
// grey items that cannot run now, check marks, the recent map files fitted to the width) and the
// item under the mouse.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvel {

struct Editor;
struct Fonts;
struct Languages;

constexpr int32_t kMenuTableCapacity = 256;
// menuItemEnabled has an entry for every code an item may carry, 768..999.
constexpr int32_t kFirstMenuItemCode = 768;
constexpr int32_t kLastMenuItemCode = 999;
constexpr int32_t kMenuItemCodes = kLastMenuItemCode - kFirstMenuItemCode + 1;
// The menu buffer's size; a box from the language is cut to it.
constexpr int32_t kMenuBufferWidth = 400;
constexpr int32_t kMenuBufferHeight = 456;

struct MenuItem {
    int32_t textId = 0;    // caption message
    std::string shortcut;  // drawn at the right edge; often empty
    int32_t menu = 0;      // 1..6 (other numbers never open)
    int32_t command = 0;   // 768..999
    int32_t y = 0;         // bottom row inside the box, from the box's bottom row
};

struct MenuSeparator {
    int32_t menu = 0;
    int32_t y = 0;
};

struct MenuState {
    uint8_t openMenu = 0;  // 0 none, 1..6
    // The open menu's box, lower left corner and size, rows counted from the bottom.
    int32_t menuBoxX = 0, menuBoxY = 0, menuBoxWidth = 0, menuBoxHeight = 0;
    // The open menu holds the mouse this frame.
    uint8_t menuHasMouse = 0;
    // The open menu was chosen with the arrow keys.
    uint8_t menuKeyNavigated = 0;

    // Filled once at start-up from menus.dat.
    std::vector<MenuItem> menuItems = std::vector<MenuItem>(kMenuTableCapacity);
    int32_t menuItemCount = 0;
    std::array<MenuSeparator, kMenuTableCapacity> menuSeparators{};
    int32_t menuSeparatorCount = 0;
    // Entry code - 768: the item can run now (as at the last repaint).
    std::array<uint8_t, kMenuItemCodes> menuItemEnabled{};
    // The highlight of the item under the mouse (corners inclusive).
    uint8_t menuHighlightShown = 0;
    int32_t menuHighlightX1 = 0, menuHighlightY1 = 0, menuHighlightX2 = 0, menuHighlightY2 = 0;
};

// Whether (x, y) lies in the menu box, its edges included.
inline bool insideMenuBox(const MenuState& m, int32_t x, int32_t y) {
    return x >= m.menuBoxX && int64_t(x) <= int64_t(m.menuBoxX) + m.menuBoxWidth &&
           y >= m.menuBoxY && int64_t(y) <= int64_t(m.menuBoxY) + m.menuBoxHeight;
}

// The caption's message number of a menu command (0 for a code that is none) and the shortcut
// text shown beside it (empty for none), as the command table gives them.
int32_t commandTextId(int32_t code);
std::string commandShortcut(int32_t code);
// Whether the command's item shows a tick or a choice mark before its caption (caption at x 22).
bool commandShowsMark(int32_t code);

// The box of menu n (1..6) from the language: lower left corner and size, the size cut to the
// menu buffer.
struct MenuBox {
    int32_t x = 0, y = 0, width = 0, height = 0;
};
MenuBox menuBoxOf(const Languages& langs, int32_t n);

// Fills the item and separator tables from the text of a menu file: lines split at LF (a CR at
// the end dropped), words at single blanks, "setdestination N", "additem C" and "adddelimeter"
// in any case; other lines, lines with a missing or non-numeric argument, codes outside
// 768..999 and entries past the tables' 256 are ignored.
void parseMenuFile(const std::string& text, const Languages& langs, MenuState& menus);
// Reads menus.dat into the menu items and separators.
void loadMenus(Editor& ed);

// Paints the open menu (nothing when none is open) into the menu buffer, after working out which
// items can run now, and sets its box.
void drawOpenMenu(Editor& ed);

// The file name of a path cut to fit what the menu's width W leaves beside a caption of width w.
std::string elideFileName(const Fonts& fonts, const std::string& path, int32_t w, int32_t W);
// The folder part of a path, shortened from the left to fit beside the caption; name receives
// the file name, itself cut only when no folder component fits.
std::string elidePathMiddle(const Fonts& fonts, const std::string& path, std::string& name,
                            int32_t w, int32_t W);

// The menu's half of the hit test: the enabled item of the open menu under the mouse becomes
// hoveredElement, with its highlight.
void hitTestMenu(Editor& ed);

}  // namespace korvel
