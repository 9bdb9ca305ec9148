// The pull-down menus read from menus.dat.
#pragma once

namespace korvel {

struct Editor;

// Reads menus.dat into the menu items and separators.
void loadMenus(Editor& ed);

}  // namespace korvel
