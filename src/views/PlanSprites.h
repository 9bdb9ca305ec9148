// Sprites in the plan view: the per-frame draw list, the markers (dot, facing line, footprint),
// the blast-radius circle of hovered or selected effectors, labels and stack counts. The markers,
// colours, labels and circles serve the side view's sprites too.
#pragma once

#include <cstdint>
#include <string>

#include "views/PlanFrame.h"
#include "views/PlanViewState.h"

namespace korvel {

struct SpriteDrawItem;
struct SpriteRecord;
struct Settings;

// What the sprite markers are drawn with, in whichever view lists them; scale is that view's map
// units per pixel (the plan view's zoom, the side view's scale).
struct SpriteMarkerScene {
    Canvas cv;
    const MapStore& map;
    const Settings& settings;
    const ColorSettings& colours;
    const TileStore& tiles;
    int32_t frameTime = 0;
    double scale = 1;
};
SpriteMarkerScene markerSceneOf(const PlanFrame& pf);

// A sprite's marker colour: the filtered or hidden colour, else its kind's (blocking or not),
// highlighted while selected and blinking, or, unselected, while hovered or dragged.
uint8_t spriteItemColour(const MapStore& map, const ColorSettings& colours, int32_t sprite,
                         bool blinkOn, int32_t hoveredSprite, int32_t draggedSprite);
bool isDimSpriteColour(const ColorSettings& colours, uint8_t colour);
// The marker flags a sprite's cstat asks for: thick facing line, wall- or floor-aligned.
uint8_t spriteItemFlags(uint16_t cstat);
// The label of a sprite: hitag, a comma and lotag (with the tile's name after a space when it
// has one), or the tile's name alone when both tags are 0.
void spriteItemLabel(const TileCatalog& catalog, const SpriteRecord& sprite,
                     FixedText<kSpriteLabelBytes>& label);
// Draws one item, in the plan view's mode or, for an item flagged SideView, the side view's.
void draw2DSprite(const SpriteMarkerScene& scene, const SpriteDrawItem& item, int32_t markerSize);
// The blast radius of an effector standing in a sector whose lotag is below 3.
void drawEffectorCircle(const SpriteMarkerScene& scene, const SpriteDrawItem& item);

// Whether the plan view shows sprites at this zoom, and their stack counts.
bool spritesShown(const Settings& settings, const PlanProjection& view);
bool spriteCountsShown(const Settings& settings, const PlanProjection& view);
// Marker size in pixels: the facing line's length.
int32_t spriteMarkerSize(const PlanFrame& pf);
// Lists every sprite whose marker can touch the view, in index order.
void buildSpriteDrawList(PlanFrame& pf, int32_t markerSize);
// Draws one item of the plan view.
void draw2DSprite(const PlanFrame& pf, const SpriteDrawItem& item, int32_t markerSize);
// The sprite layer: the list, the pictures when wanted, the markers in three colour passes.
void drawPlanSprites(PlanFrame& pf, int32_t frameNumber);
// Labels and stack counts over everything else, each under its own switch; the counts are the
// map's own (preparePlanMap brings them up to date).
void drawSpriteLabelsAndCounts(PlanFrame& pf);
// The outline of a circle where it crosses the map view; nothing when it misses the view or
// encloses it whole, so that a huge radius costs no more than the view's size.
void drawCircleAcrossView(const Canvas& cv, int32_t cx, int32_t cy, int32_t radius, int32_t colour);

}  // namespace korvel
