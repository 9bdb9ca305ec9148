#include "editing/HoverPicking.h"

namespace korvel {

// Arrives with hover picking; until then nothing is hovered.
void hoverPlanView(Editor&) {}

// Arrives with hover picking; until then nothing is hovered.
void hoverSideView(Editor&) {}

// Arrives with hover picking; until then the subject stays as it is.
void updatePanelSubject(Editor&) {}

}  // namespace korvel
