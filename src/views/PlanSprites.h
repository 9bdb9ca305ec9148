// Sprites in the plan view: the per-frame draw list, the markers (dot, facing line, footprint),
// the blast-radius circle of hovered or selected effectors, labels and stack counts.
#pragma once

#include <cstdint>

#include "views/PlanFrame.h"

namespace korvel {

struct SpriteDrawItem;
struct Settings;

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
