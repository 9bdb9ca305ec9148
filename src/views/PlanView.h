// The plan view painter: grid, sectors, walls, vertices, sprites, labels and overlays of the map
// seen from above, drawn into the map-view rows of the screen.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;
struct MapStore;
struct Settings;
struct PlanProjection;
struct PlanWallLine;
struct PlanFrame;

// What painting needs of the map besides reading it: the sprite stack counts, when they are
// shown and the map has changed since they were counted.
void preparePlanMap(MapStore& map, const Settings& settings, const PlanProjection& view);

// Paints the plan view into the map-view rows; frameNumber's parity alternates some fills. The
// map must be prepared (preparePlanMap) for the frame's settings and projection.
void paintPlanView(PlanFrame& pf, int32_t frameNumber);

// What the plan-view painters get of the editor in this frame, with its stored view.
PlanFrame planFrameOf(Editor& ed);

// The plan page's painter: the frame of the editor's stored view, prepared and painted.
void draw2DView(Editor& ed, int32_t frameNumber);

// Draws one projected wall: dotted when filtered or hidden, thick with a bright core, with a
// direction arrow when wall vectors are shown.
void draw2DLine(const PlanFrame& pf, const PlanWallLine& line);

}  // namespace korvel
