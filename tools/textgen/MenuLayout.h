// The pull-down menus (data/menus/menus.txt): which command stands in which menu, and the box
// of each menu, sized from its items and captions and written into the language file as the
// position pairs of messages 775 to 786.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "LanguageSource.h"
#include "SourceText.h"
#include "commands/CommandTable.h"

namespace korvel::textgen {

struct MenuEntry {
    bool separator = false;
    int command = 0;
};

struct MenuSource {
    std::array<std::vector<MenuEntry>, 7> menus;  // index 1 to 6
    std::string fileBytes;                        // menus.dat, CR LF
};

struct MenuBox {
    int x = 0, y = 0, width = 0, height = 0;
};

// Glyph widths of the proportional 8x11 font for codes 32 to 255, when the build has made the
// font's width file; empty otherwise, and every glyph is then taken as wide as its cell.
using GlyphWidths = std::vector<int>;
bool parseGlyphWidths(const std::string& text, GlyphWidths& out, GenError& error);

bool parseMenuSource(const std::string& source, MenuSource& out, GenError& error);

// Sizes every box from its items and places it under its title, hanging from the top bar.
// Fails when a menu would not fit the 400 x 456 menu buffer or the map view.
bool layoutMenus(const MenuSource& menus, const LanguageSource& language,
                 const std::map<int, ScreenPosition>& titles, const GlyphWidths& widths,
                 std::array<MenuBox, 7>& boxes, GenError& error);

// Position pairs of messages 775 to 786: corner, then width and height, of menus 1 to 6.
void addMenuBoxPositions(const std::array<MenuBox, 7>& boxes,
                         std::map<int, ScreenPosition>& positions);

}  // namespace korvel::textgen
