// Hover picking: the vertex, sprite, sector and wall under the mouse in the plan view and the
// side view, the snapped hit point, and the subject the property panel would load.
#pragma once

#include <cstdint>

#include "views/Projection.h"

namespace korvel {

struct Editor;
struct MapStore;
struct Settings;
struct ToolState;
struct HoverState;
struct ViewState;

// What picking reads beside the map: the mouse (screen pixels, rows from the bottom), the view
// it is over, and the rules that snap it (grid, affine grid, vertex distance, shown layers,
// the current tool).
struct PlanPick {
    int32_t mouseX = 0, mouseY = 0;
    PlanProjection view;
    const Settings& settings;
    const ToolState& tool;
};
// The side view also reads its subject: the kind, the wall, the section's slices and the
// sprites it shows; and whether the left button is held, which keeps the wall part picked when
// the press began.
struct SidePick {
    int32_t mouseX = 0, mouseY = 0;
    SideProjection view;
    const ViewState& subject;
    const Settings& settings;
    bool leftButtonHeld = false;
};

// Snaps c to the nearest multiple of step, halves away from zero; a step below 1 snaps as 1.
// The arithmetic is wide, so any c and step give a result, saturated to 32 bits.
int32_t snapToStep(int32_t c, int64_t step);

// The plan view (and the 3D page's plan pictures): mouse in map units, hit point, hovers.
void pickPlanHover(const MapStore& map, const PlanPick& pick, HoverState& hover);
// The side view: position along the section, height, hovered sprite, band or wall part.
void pickSideHover(const MapStore& map, const SidePick& pick, HoverState& hover);
// After hovering: what the property panel and the record editor would load.
void choosePanelSubject(const MapStore& map, const ToolState& tool, HoverState& hover);

// The dispatcher's entries: each picks with the editor's mouse and stored view.
void hoverPlanView(Editor& ed);
void hoverSideView(Editor& ed);
void updatePanelSubject(Editor& ed);

}  // namespace korvel
