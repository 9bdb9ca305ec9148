#include "commands/DisplayToggles.h"

#include "app/Editor.h"
#include "app/Sound.h"

namespace korvel {

namespace {

// The pull-down menu whose items show these settings.
constexpr uint8_t kViewMenu = 3;

void redrawViewMenu(Editor& ed) {
    if (ed.menus.openMenu == kViewMenu) drawOpenMenu(ed);
}

}  // namespace

void toggleSpritesFilledButton(Editor& ed) {
    ed.settings.spritesFull = ed.settings.spritesFull ? 0 : 1;
    playSound(ed, "command");
    redrawViewMenu(ed);
}

void toggleSectorsFilledButton(Editor& ed) {
    if (ed.tiles.artLoaded) {
        ed.settings.sectorsFull = ed.settings.sectorsFull ? 0 : 1;
    } else {
        ed.app.deferredAction = DeferredAction::TexturedPlanView;
        ed.cursor.cursorShape = CursorShape::Busy;
    }
    playSound(ed, "command");
    redrawViewMenu(ed);
}

}  // namespace korvel
