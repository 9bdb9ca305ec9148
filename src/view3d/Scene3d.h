// The 3D view's scene: the cache of world-space surface triangles built from the map, the list
// projected from it each frame, the per-object tables that tie entries to map objects, the
// counters of the adaptive update and the frame's depth and pick buffers. One of these is
// allocated at its full capacity when the 3D page is first prepared and reused afterwards.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "map/ObjectTables.h"

namespace korvel {

constexpr int32_t kSceneCapacity3d = 172032;
constexpr int32_t kImageWidth3d = 800, kImageHeight3d = 450;
constexpr int32_t kCellColumns3d = 400, kCellRows3d = 450;
constexpr int32_t kCellCount3d = kCellColumns3d * kCellRows3d;
constexpr int32_t kObjectCodes3d = 5 * 65536;
constexpr int16_t kDepthCleared3d = 32639;  // every byte 127

enum class SurfaceKind : int32_t { Floor = 0, Wall = 1, Ceiling = 2, WallPart = 3, Sprite = 4 };

constexpr int32_t objectCode3d(SurfaceKind kind, int32_t index) {
    return index + int32_t(kind) * 65536;
}

// drawFlags bits.
constexpr uint8_t kDrawBlendMask3d = 3;
constexpr uint8_t kDrawOpaque3d = 3;
constexpr uint8_t kDrawTwoSided3d = 4;
constexpr uint8_t kDrawMasked3d = 8;
constexpr uint8_t kDrawSky3d = 16;

struct Vertex3d {
    double x = 0, y = 0, z = 0;
    int32_t u = 0, v = 0;
};

struct SurfaceTriangle {
    std::array<Vertex3d, 3> p{};
    int32_t objectCode = -1;  // -1: a blank entry, skipped by the projection
    int32_t tileRef = 0;
    int32_t tileWidth = 0, tileHeight = 0;
    int8_t shade = 0;
    uint8_t pal = 0;
    uint8_t visibility = 0;
    uint8_t drawFlags = 0;
    // The sector the triangle counts for (skip levels, per-sector counts); -1 for none.
    int32_t sector = -1;
};

inline bool isBlank3d(const SurfaceTriangle& t) {
    return t.objectCode < 0;
}

// The camera as the frame driver and the projection read it.
struct Camera3d {
    double camX = 0, camY = 0, camZ = 0, camAngle = 0;
    double pitch3d = 0, tilt3d = 0, zoom3d = 400, detailScale3d = 1;
};

// Options of the renderer. passOverHiddenBlocks lets the projection pass over blocks of the
// cache that lie wholly outside the view; the list comes out the same without it.
struct View3DOptions {
    bool depthSortFirst = true, depthSortRest = true, dither = false, clearEachFrame = false;
    bool passOverHiddenBlocks = true;
};

// Where an object's entries lie in the static part of the cache: first entry and the number of
// entries reserved for it (-1 and 0 when it has none).
struct SlotRange3d {
    int32_t first = -1;
    int32_t count = 0;
};

// The ear triangles of a sector's floor, kept so a refresh can rebuild the plane entries
// whatever their tile was when the view was prepared.
struct PlaneTriangle3d {
    std::array<double, 3> x{}, y{}, floorZ{}, ceilingZ{};
};

// The cache is looked at in blocks of kEntryBlock3d consecutive entries. A block's bounds hold
// the corners of its entries up to the count it was bounded at, leaving out the entries the
// projection skips (blank or without a tile), and its runs list those entries: each run is
// entries first .. first + count - 1 of the block, one after another, of one sector.
constexpr int32_t kEntryBlock3d = 32;
constexpr int32_t kEntryBlocks3d = (kSceneCapacity3d + kEntryBlock3d - 1) / kEntryBlock3d;

struct EntryRun3d {
    int32_t sector = -1;
    uint8_t first = 0, count = 0;
};

struct EntryBounds3d {
    std::array<double, 3> lo{}, hi{};
    int32_t runs = 0;    // none when the block has nothing to draw
    bool finite = true;  // false when a corner is not a finite number
};

struct Scene3d {
    Scene3d();

    std::vector<SurfaceTriangle> surfaceTriangles;  // the cache
    std::vector<SurfaceTriangle> renderTriangles;   // the projected list of the frame
    std::vector<double> renderTriangleDepth;
    int32_t surfaceTriangleCount = 0;
    int32_t surfaceTriangleCountBeforeSprites = 0;
    int32_t renderTriangleCount = 0;
    int32_t drawnTriangleCount = 0;
    // Per block of the cache, its bounds, and whether an entry in it was written since they
    // were worked out. Whoever writes entries marks them with entriesChanged3d; the projection
    // bounds the marked blocks again, and those the count grew into since it last looked.
    std::vector<EntryBounds3d> entryBounds3d;
    std::vector<EntryRun3d> entryRuns3d;  // kEntryBlock3d places per block
    std::vector<uint8_t> entryBoundsStale3d;
    int32_t boundedEntryCount3d = 0;

    std::vector<int32_t> wallFirstObject3d;  // per wall, -1 when the wall has no entries
    std::vector<int32_t> wallObjectSlots3d;  // entries reserved for the wall
    std::vector<SlotRange3d> spriteSlots3d;  // wall and floor sprites
    // Per sprite: where its face pair lies behind the static entries when the face sprites were
    // last built, or -1. A refresh checks the entry still holds the sprite before using it.
    std::vector<int32_t> faceSpriteEntry3d;
    // Per sector, its sprites in index order: sectorSpriteList3d from sectorSpriteFirst3d[s] to
    // sectorSpriteFirst3d[s + 1]. spriteListedSector3d is the sector each sprite was listed
    // under; a sprite refresh that finds another sector, or a sprite count other than
    // listedSpriteCount3d, has the lists built again from the map (-1: not built).
    std::vector<int32_t> sectorSpriteFirst3d;
    std::vector<int32_t> sectorSpriteList3d;
    std::vector<int16_t> spriteListedSector3d;
    int32_t listedSpriteCount3d = -1;
    std::vector<SlotRange3d> planeSlots3d;  // per sector: floor and ceiling entries
    std::vector<SlotRange3d> planeEars3d;   // per sector: its range of planeTriangles
    std::vector<PlaneTriangle3d> planeTriangles;
    // Per sector: the first-wall line its planes were cut with.
    std::vector<std::array<int32_t, 4>> planeLine3d;

    std::vector<int32_t> sectorObjectCount3d;
    std::vector<int32_t> sectorSkipLevel3d;
    std::vector<uint8_t> sectorFrameStatus3d;
    std::vector<uint8_t> selected3d;
    uint8_t any3dSelected = 0;
    int32_t loadAverage3d = 0;
    int32_t frame3dCounter = 0;
    // Set when the cache ran out of room while it was filled or refreshed.
    bool cacheFull = false;
    bool prepared = false;

    std::vector<int16_t> depthBuffer3d;       // per cell
    std::vector<int32_t> pickBuffer3d;        // per cell: index into renderTriangles, or -1
    std::vector<int32_t> pickObjectBuffer3d;  // per cell: object code drawn there, or -1
    std::vector<int32_t> frame3dLong;         // per pixel: the plan views' values
};

// Marks entries first .. first + count - 1 of the cache as written, for the blocks' bounds.
inline void entriesChanged3d(Scene3d& sc, int32_t first, int32_t count) {
    if (count <= 0) return;
    const int64_t from = std::max<int64_t>(first, 0);
    const int64_t to = std::min<int64_t>(int64_t(first) + count, kSceneCapacity3d);
    for (int64_t b = from / kEntryBlock3d; b * kEntryBlock3d < to; ++b)
        sc.entryBoundsStale3d[size_t(b)] = 1;
}

// The sector a cache entry of this object code belongs to, or -1.
struct MapStore;
int32_t ownerSector3d(const MapStore& map, int32_t objectCode);

}  // namespace korvel
