#include "editing/HoverPicking.h"

#include "app/Editor.h"

namespace korvel {

// Arrives with hover picking; until then nothing is hovered.
void pickPlanHover(const MapStore&, const PlanPick&, HoverState&) {}

// Arrives with hover picking; until then nothing is hovered.
void pickSideHover(const MapStore&, const SidePick&, HoverState&) {}

// Arrives with hover picking; until then the subject stays as it is.
void choosePanelSubject(const MapStore&, const ToolState&, HoverState&) {}

void hoverPlanView(Editor& ed) {
    const PlanPick pick{ed.input.mouseX, ed.input.mouseY, PlanProjection(ed.view), ed.settings,
                        ed.tool};
    pickPlanHover(ed.map, pick, ed.hover);
}

void hoverSideView(Editor& ed) {
    const SidePick pick{ed.input.mouseX, ed.input.mouseY, SideProjection(ed.view), ed.settings,
                        ed.tool};
    pickSideHover(ed.map, pick, ed.hover);
}

void updatePanelSubject(Editor& ed) {
    choosePanelSubject(ed.map, ed.tool, ed.hover);
}

}  // namespace korvel
