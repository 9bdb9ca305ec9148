#include "commands/OperationHooks.h"

#include "app/Editor.h"
#include "commands/AttributePaste.h"
#include "editing/DrawingTool.h"
#include "geometry/SectorBooleans.h"
#include "geometry/SectorTileShift.h"
#include "geometry/SkyAndSpriteTools.h"
#include "geometry/TextureAlignment.h"
#include "map/MapEdit.h"
#include "ui/ScreenEffects.h"
#include "view3d/Refresh3d.h"

namespace korvel {

OperationHooks defaultOperationHooks() {
    OperationHooks h;
    h.shiftSectorTile = [](Editor& ed, int32_t s, int32_t c, int32_t dx, int32_t dy) {
        shiftSectorTile(ed.map, ed.tiles, s, c, dx, dy);
    };
    h.alignWallTexture = [](Editor& ed, int32_t w) {
        TextureWalk walk{ed.tiles, ed.pages.scriptEditor.pointBuffer1,
                         ed.settings.autoWallSquare != 0, nullptr};
        if (ed.app.currentPage == Page::View3D)
            walk.wallAligned = [&ed](int32_t aligned) { refresh3dWall(ed, aligned); };
        alignWallTexture(ed.map, walk, w);
    };
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
