#include "view3d/Refresh3d.h"

#include <string>

#include "app/Editor.h"
#include "base/MessageNumbers.h"
#include "view3d/Cache3d.h"
#include "view3d/View3dScene.h"

namespace korvel {
namespace {

template <typename F>
void refresh(Editor& ed, F&& rebuild) {
    View3DState& v = ed.pages.view3d;
    v.view3dValid = 0;
    if (!v.scene || !v.scene->prepared) return;
    if (!rebuild(*v.scene, SurfaceSource{ed.map, ed.tiles}))
        static_cast<MapEvents&>(ed.events).statusMessage(kMsgScene3dNoRoom);
}

}  // namespace

void refresh3dSectorPlanes(Editor& ed, int32_t sector) {
    refresh(ed, [&](Scene3d& sc, const SurfaceSource& src) {
        return refreshSectorPlanes3d(sc, src, sector);
    });
}

void refresh3dWall(Editor& ed, int32_t wall) {
    refresh(ed, [&](Scene3d& sc, const SurfaceSource& src) { return refreshWall3d(sc, src, wall); });
}

void refresh3dSprite(Editor& ed, int32_t sprite) {
    const double angle = ed.pages.view3d.camAngle;
    refresh(ed, [&](Scene3d& sc, const SurfaceSource& src) {
        return refreshSprite3d(sc, src, sprite, angle);
    });
}

void refresh3dSector(Editor& ed, int32_t sector, bool withNeighbours) {
    const double angle = ed.pages.view3d.camAngle;
    refresh(ed, [&](Scene3d& sc, const SurfaceSource& src) {
        return refreshSector3d(sc, src, sector, withNeighbours, angle);
    });
}

}  // namespace korvel
