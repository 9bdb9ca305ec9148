// A map, fixture tiles and a scene for the 3D view's tests, with helpers that read the cache.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "support/MapBuilder.h"
#include "support/TileFixtures.h"
#include "view3d/Cache3d.h"

namespace korvel::test {

struct SceneRig {
    std::unique_ptr<MapStore> mapPtr = std::make_unique<MapStore>();
    MapStore& map = *mapPtr;
    TileStore tiles;
    std::unique_ptr<Scene3d> scenePtr = std::make_unique<Scene3d>();
    Scene3d& scene = *scenePtr;
    MapBuilder build{map};

    SceneRig() { installFixtureTiles(tiles); }
    SurfaceSource src() const { return SurfaceSource{map, tiles}; }
    // Every wall shows the 8 x 8 tile.
    void texturedWalls() {
        for (int32_t w = 0; w < map.wallCount; ++w) map.walls[w].picnum = kTile8x8;
    }
    PrepareCounts3d prepare(double camAngle = 0) { return prepareScene3d(scene, src(), camAngle); }

    std::vector<SurfaceTriangle> entriesOfKind(SurfaceKind kind) const {
        std::vector<SurfaceTriangle> out;
        for (int32_t i = 0; i < scene.surfaceTriangleCount; ++i) {
            const SurfaceTriangle& t = scene.surfaceTriangles[i];
            if (!isBlank3d(t) && (t.objectCode >> 16) == int32_t(kind)) out.push_back(t);
        }
        return out;
    }
};

// Signed area in the plan of a triangle's x and y.
inline double planArea(const SurfaceTriangle& t) {
    const auto& p = t.p;
    return ((p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y)) / 2;
}

inline double polygonArea(const std::vector<IntPoint>& pts) {
    double a = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        const IntPoint& p = pts[i];
        const IntPoint& q = pts[(i + 1) % pts.size()];
        a += double(p.x) * q.y - double(q.x) * p.y;
    }
    return std::fabs(a) / 2;
}

}  // namespace korvel::test
