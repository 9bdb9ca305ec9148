// Filling the 3D cache from the whole map, and rewriting one object's entries after an edit.
// Only reads the map: the floors and ceilings are cut in the scene's own working lists, so the
// map, its flags and its undo state stay exactly as they were.
#pragma once

#include <cstdint>
#include <functional>

#include "view3d/Scene3d.h"
#include "view3d/Surfaces3d.h"

namespace korvel {

struct PrepareCounts3d {
    int32_t completed = 0;  // sectors whose floor and ceiling were cut to the end
    int32_t givenUp = 0;    // sectors left without floor and ceiling
};

// Fills the cache, the slot tables, the per-sector counts and the selection carried into the
// view, and resets the adaptive update. progressStep is called once per wall handled.
PrepareCounts3d prepareScene3d(Scene3d& scene, const SurfaceSource& src, double camAngle,
                               const std::function<void()>& progressStep = {});

// Rebuilds the face sprites behind the static entries for the camera's heading.
void buildFaceSpritePolygons3d(Scene3d& scene, const SurfaceSource& src, double camAngle);

// The refreshes of edited objects; each returns false when the cache had no room for what the
// object now needs (its entries are then blank).
bool refreshSectorPlanes3d(Scene3d& scene, const SurfaceSource& src, int32_t sector);
bool refreshWall3d(Scene3d& scene, const SurfaceSource& src, int32_t wall);
bool refreshSprite3d(Scene3d& scene, const SurfaceSource& src, int32_t sprite, double camAngle);
bool refreshSector3d(Scene3d& scene, const SurfaceSource& src, int32_t sector,
                     bool withNeighbours, double camAngle);

// Cuts a sector's area into ear triangles (holes joined to the outer loop first). Returns false
// when the sector cannot be cut to the end; the ears found until then are kept in out.
bool cutSectorIntoEars3d(const MapStore& map, int32_t sector, std::array<int32_t, 4>& line,
                         std::vector<PlaneTriangle3d>& out);

}  // namespace korvel
