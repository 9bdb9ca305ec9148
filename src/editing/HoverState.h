// What lies under the mouse, rebuilt every frame by hover picking: the hovered vertex, sprite,
// sector and wall, the mouse in map terms and the snapped hit point that tools and selection
// use, and the subject the property panel and the record editor would load.
#pragma once

#include <cstdint>

namespace korvel {

// Numbered as the record editor keeps it.
enum class PanelSubject : uint8_t {
    None = 0,
    HoveredSector = 1,
    HoveredWall = 2,
    HoveredSprite = 3,
    SelectedSectors = 4,
    SelectedWalls = 5,
    SelectedSprites = 6,
};

struct HoverState {
    // -1: nothing hovered. A vertex is named by the wall that starts there.
    int32_t hoveredVertex = -1;
    int32_t hoveredSprite = -1;
    int32_t hoveredSector = -1;
    int32_t hoveredWall = -1;
    // Best pick distances of the frame, in 1/64 map units on the plan view.
    int32_t hoverVertexDistance = 16777216;
    int32_t hoverSpriteDistance = 16777216;
    // The point of the hovered wall's line nearest to the hit point.
    int32_t hoverWallPointX = 0, hoverWallPointY = 0;
    // Sloped floor and ceiling of the hovered sector at the mouse.
    int32_t cursorFloorZ = 0, cursorCeilingZ = 0;
    PanelSubject panelSubject = PanelSubject::None;
    // Side view: the height line nearest the mouse (0 none) and the part of the wall subject
    // under it (0 none).
    uint8_t sideHoverPart = 0;
    uint8_t sideViewWallPart = 0;

    // The mouse in map units, unsnapped, and in 1/64 map units for picking.
    int32_t mouseMapX = 0, mouseMapY = 0;
    int32_t mouseMapX64 = 0, mouseMapY64 = 0;
    // The snapped point tools and selection use; hitPointZ is the side view's snapped height.
    int32_t hitPointX = 0, hitPointY = 0, hitPointZ = 0;
    // Side view: position along the section and height, unsnapped, and the snapped position.
    int32_t sideMousePos = 0, sideMouseZ = 0, sideHitPos = 0;
};

}  // namespace korvel
