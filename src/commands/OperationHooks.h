// The operations the editing commands reach whose own work lies elsewhere (texture and sprite
// alignment, the attribute paste, joining the selection, the sparks toy's restart), called
// through one replaceable table so that a test can stand in for each.
#pragma once

#include <cstdint>
#include <functional>

namespace korvel {

struct Editor;

struct OperationHooks {
    // Pans a sector side's texture by (dx, dy); ceilingFlag 0 floor, -1 ceiling.
    std::function<void(Editor&, int32_t sector, int32_t ceilingFlag, int32_t dx, int32_t dy)>
        shiftSectorTile;
    // Aligns the textures of the walls following the wall.
    std::function<void(Editor&, int32_t wall)> alignWallTexture;
    // Turns the sprite to the blocking wall behind it; the wall, or -1 when none was hit.
    std::function<int32_t(Editor&, int32_t sprite)> alignSprite;
    // Pastes the attribute clipboard onto the wall (its masked texture for the second).
    std::function<void(Editor&, int32_t wall)> pasteWallAttributes;
    std::function<void(Editor&, int32_t wall)> pasteMaskedWallAttributes;
    // Joins the selected sectors pair by pair; takes its own snapshot and reports.
    std::function<void(Editor&)> joinSelectedSectors;
    // Restarts the sparks toy.
    std::function<void(Editor&)> initSparks;
};

// The table the editor starts with: the operations themselves.
OperationHooks defaultOperationHooks();

}  // namespace korvel
