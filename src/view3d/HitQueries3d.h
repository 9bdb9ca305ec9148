// What the live 3D view's pointer aims at: the object under the pointer and the one the left
// button locked, updated from the pick buffer every frame; and the three queries through which
// every 3D command (and the record editor) asks for its target.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;
struct InputState;
struct MapStore;
struct Scene3d;

// The result marker for every selected object of the query's kind.
constexpr int32_t kAllSelected3d = 0x1000000;
constexpr int32_t kHitNone3d = -1;

// Object codes (kind << 16 | index) of the live view's pointer; -1 for none.
struct Pick3d {
    int32_t hover3dObject = -1;   // under the pointer this frame
    int32_t picked3dObject = -1;  // under the pointer when the left button went down
};

// The kind of an object code, truncated toward zero (-1 has kind 0), and its index.
constexpr int32_t kindOf3d(int32_t code) {
    return code / 65536;
}
constexpr int32_t indexOf3d(int32_t code) {
    return code & 0xFFFF;
}
// The code itself when it names an object that exists now, else -1: a cell or a lock kept
// from an earlier frame may name an object an undo, a deletion or a record edit took away.
int32_t liveObject3d(const MapStore& map, int32_t code);

// The object code the cell shows, -1 for none or one that no longer exists.
int32_t cellObject3d(const Scene3d& scene, const MapStore& map, int32_t col, int32_t row);
// The cell under screen pixel (x, y), or false outside the picture.
bool pictureCell3d(int32_t x, int32_t y, int32_t& col, int32_t& row);

// The hover and the lock from the pointer and the left button of this frame.
void updatePick3d(Pick3d& pick, const Scene3d& scene, const MapStore& map, const InputState& in);
// The same on the editor's live page.
void update3dPick(Editor& ed);

// A query's answer: an index, kHitNone3d or kAllSelected3d, and the kind of the object the
// query looked at (the locked one, else the hovered one; 0 for none).
struct Hit3d {
    int32_t index = kHitNone3d;
    int32_t kind = 0;
};

Hit3d hitWall3d(const Pick3d& pick, bool any3dSelected, const MapStore& map);
Hit3d hitSector3d(const Pick3d& pick, bool any3dSelected, const MapStore& map);
Hit3d hitSprite3d(const Pick3d& pick, bool any3dSelected, const MapStore& map);

Hit3d getHitWall3d(const Editor& ed);
Hit3d getHitSector3d(const Editor& ed);
Hit3d getHitSprite3d(const Editor& ed);

}  // namespace korvel
