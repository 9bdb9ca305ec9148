#include "commands/OperationHooks.h"

#include "app/Editor.h"
#include "commands/AttributePaste.h"
#include "editing/DrawingTool.h"
#include "geometry/SectorTileShift.h"
#include "geometry/SkyAndSpriteTools.h"
#include "geometry/SectorBooleans.h"
#include "geometry/TextureAlignment.h"
#include "map/MapEdit.h"
#include "ui/ScreenEffects.h"

namespace korvel {

OperationHooks defaultOperationHooks() {
    OperationHooks h;
    h.shiftSectorTile = [](Editor& ed, int32_t s, int32_t c, int32_t dx, int32_t dy) {
        shiftSectorTile(ed.map, s, c, dx, dy);
    };
    h.alignWallTexture = [](Editor& ed, int32_t w) { alignWallTexture(ed.map, ed.events, w); };
    h.alignSprite = [](Editor& ed, int32_t k) { return alignSprite(ed.map, k); };
    h.pasteWallAttributes = [](Editor& ed, int32_t w) { pasteWallAttributes(ed, w); };
    h.pasteMaskedWallAttributes = [](Editor& ed, int32_t w) { pasteMaskedWallAttributes(ed, w); };
    h.joinSelectedSectors = [](Editor& ed) {
        MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
        DrawingToolFeed feed(ed);
        if (edit.finish(joinSelectedSectors(ed.map, edit.events(), feed)))
            ed.events.playCue("command");
    };
    h.initSparks = [](Editor& ed) { initSparks(ed); };
    return h;
}

}  // namespace korvel
