#include "view3d/HitQueries3d.h"

#include "app/Editor.h"
#include "editing/InputDispatcher.h"
#include "view3d/Scene3d.h"

namespace korvel {

namespace {

constexpr int32_t kPictureBottom = 134;

bool accepted(int32_t kind, SurfaceKind a, SurfaceKind b) {
    return kind == int32_t(a) || kind == int32_t(b);
}

Hit3d query(const Pick3d& pick, bool any3dSelected, const MapStore& map, SurfaceKind a,
            SurfaceKind b, int32_t selectedCount) {
    const int32_t locked = liveObject3d(map, pick.picked3dObject);
    const int32_t hovered = liveObject3d(map, pick.hover3dObject);
    Hit3d h;
    // A lock wins over the whole selection, even when what it names is gone.
    if (pick.picked3dObject >= 0) {
        h.kind = kindOf3d(pick.picked3dObject);
        if (locked >= 0 && accepted(h.kind, a, b)) h.index = indexOf3d(locked);
        return h;
    }
    h.kind = kindOf3d(hovered);
    if (any3dSelected) {
        if (selectedCount >= 1) h.index = kAllSelected3d;
        return h;
    }
    if (hovered >= 0 && accepted(h.kind, a, b)) h.index = indexOf3d(hovered);
    return h;
}

const Pick3d& pickOf(const Editor& ed) {
    return ed.pages.view3d.pick3d;
}

bool anySelected(const Editor& ed) {
    const auto& sc = ed.pages.view3d.scene;
    return sc && sc->any3dSelected != 0;
}

}  // namespace

int32_t liveObject3d(const MapStore& map, int32_t code) {
    if (code < 0) return -1;
    const int32_t index = indexOf3d(code);
    switch (kindOf3d(code)) {
        case int32_t(SurfaceKind::Floor):
        case int32_t(SurfaceKind::Ceiling):
            return isSector(map, index) ? code : -1;
        case int32_t(SurfaceKind::Wall):
        case int32_t(SurfaceKind::WallPart):
            return isWall(map, index) ? code : -1;
        case int32_t(SurfaceKind::Sprite):
            return isSprite(map, index) ? code : -1;
        default:
            return -1;
    }
}

int32_t cellObject3d(const Scene3d& scene, const MapStore& map, int32_t col, int32_t row) {
    const size_t cell = size_t(row) * kCellColumns3d + size_t(col);
    if (cell >= scene.pickObjectBuffer3d.size()) return -1;
    return liveObject3d(map, scene.pickObjectBuffer3d[cell]);
}

bool pictureCell3d(int32_t x, int32_t y, int32_t& col, int32_t& row) {
    if (x < 0 || x >= kImageWidth3d || y < kPictureBottom || y >= kPictureBottom + kImageHeight3d)
        return false;
    col = x / 2;
    row = y - kPictureBottom;
    return true;
}

void updatePick3d(Pick3d& pick, const Scene3d& scene, const MapStore& map, const InputState& in) {
    pick.hover3dObject = -1;
    int32_t col = 0, row = 0;
    const bool inside = pictureCell3d(in.mouseX, in.mouseY, col, row);
    if (inside) pick.hover3dObject = cellObject3d(scene, map, col, row);
    if (!keyHeld(in, kLeftButton))
        pick.picked3dObject = -1;
    else if (keyWentDown(in, kLeftButton) && inside)
        pick.picked3dObject = pick.hover3dObject;
}

void update3dPick(Editor& ed) {
    View3DState& v = ed.pages.view3d;
    if (!v.scene) {
        v.pick3d = {};
        return;
    }
    updatePick3d(v.pick3d, *v.scene, ed.map, ed.input);
}

Hit3d hitWall3d(const Pick3d& pick, bool any3dSelected, const MapStore& map) {
    return query(pick, any3dSelected, map, SurfaceKind::Wall, SurfaceKind::WallPart,
                 map.selectedWallCount);
}
Hit3d hitSector3d(const Pick3d& pick, bool any3dSelected, const MapStore& map) {
    return query(pick, any3dSelected, map, SurfaceKind::Floor, SurfaceKind::Ceiling,
                 map.selectedSectorCount);
}
Hit3d hitSprite3d(const Pick3d& pick, bool any3dSelected, const MapStore& map) {
    return query(pick, any3dSelected, map, SurfaceKind::Sprite, SurfaceKind::Sprite,
                 map.selectedSpriteCount);
}

Hit3d getHitWall3d(const Editor& ed) {
    return hitWall3d(pickOf(ed), anySelected(ed), ed.map);
}
Hit3d getHitSector3d(const Editor& ed) {
    return hitSector3d(pickOf(ed), anySelected(ed), ed.map);
}
Hit3d getHitSprite3d(const Editor& ed) {
    return hitSprite3d(pickOf(ed), anySelected(ed), ed.map);
}

}  // namespace korvel
