// The pull-down menus read from menus.dat: which one is open and where its box lies.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

struct Editor;

struct MenuState {
    uint8_t openMenu = 0;  // 0 none, 1..6
    // The open menu's box, lower left corner and size, rows counted from the bottom.
    int32_t menuBoxX = 0, menuBoxY = 0, menuBoxWidth = 0, menuBoxHeight = 0;
    // The open menu holds the mouse this frame.
    uint8_t menuHasMouse = 0;
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

// Reads menus.dat into the menu items and separators.
void loadMenus(Editor& ed);

// Paints the open menu (nothing when none is open) and sets its box.
void drawOpenMenu(Editor& ed);

}  // namespace korvel
