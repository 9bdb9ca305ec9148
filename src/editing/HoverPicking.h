// Hover picking: the vertex, sprite, sector and wall under the mouse in the plan view and the
// side view, the snapped hit point, and the subject the property panel would load.
#pragma once

namespace korvel {

struct Editor;

// The plan view (and the 3D page's plan pictures): mouse in map units, hit point, hovers.
void hoverPlanView(Editor& ed);
// The side view: position along the section, height, hovered sprite, band or wall part.
void hoverSideView(Editor& ed);
// Every frame after hovering: what the property panel and the record editor would load.
void updatePanelSubject(Editor& ed);

}  // namespace korvel
