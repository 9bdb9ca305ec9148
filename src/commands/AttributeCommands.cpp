#include "commands/AttributeCommands.h"

#include "app/Editor.h"
#include "pages/TileFilter.h"

namespace korvel {

// These commands arrive with their own change; until then their keys do nothing (Enter only
// confirms the tile filter).
void confirmOrPasteAttributes(Editor& ed) {
    if (ed.app.currentPage == Page::TileFilter) confirmTileFilter(ed);
}

void pasteTextureOnly(Editor&) {}
void nextFieldOrCopyAttributes(Editor&) {}
void copyTextureOnly(Editor&) {}
void togglePasteSlope(Editor&) {}

}  // namespace korvel
