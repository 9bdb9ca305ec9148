// The lists the plan view rebuilds every frame it is painted (projected walls, vertex marks,
// sector tag labels, the sprite draw list) and the work tables of its painters. Allocated once
// at capacity; nothing here is meant to survive the painting of one frame but the caches, which
// give what recomputing would.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/FixedText.h"
#include "base/ZeroedTable.h"

#include "map/MapStore.h"
#include "ui/FrameBuffer.h"
#include "ui/Raster.h"

namespace korvel {

namespace PlanLineFlags {
constexpr uint8_t Thick = 1;
constexpr uint8_t FirstWall = 2;  // the first wall of its sector
}  // namespace PlanLineFlags

// Where a wall's start point lies against the map view widened by a marker's reach and a pixel:
// beyond which edges (a point whose pixel would leave the 32-bit range counts as beyond none),
// and whether it has been projected in this frame.
namespace WallSide {
constexpr uint8_t Left = 1;
constexpr uint8_t Right = 2;
constexpr uint8_t Below = 4;
constexpr uint8_t Above = 8;
constexpr uint8_t Beyond = Left | Right | Below | Above;
constexpr uint8_t Projected = 16;
}  // namespace WallSide

// A near sector's box of wall start points, kept for the frame (see ScreenBox).
struct SectorStartBox {
    int32_t minX, minY, maxX, maxY;
};

// One projected wall, in screen columns and rows (rows counted from the bottom).
struct PlanWallLine {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    uint8_t colour = 0;
    uint8_t flags = 0;    // PlanLineFlags
    FixedText<15> label;  // drawn in a box at the middle of the line; empty: none
    int32_t wall = 0;
};

// The mark of one wall's start point.
struct PlanVertexMark {
    int32_t x = 0, y = 0;
    uint8_t colour = 0;
    int32_t wall = 0;
};

// One sector tag label: its anchor on the screen, box colour and text.
struct PlanLabel {
    int32_t x = 0, y = 0;
    uint8_t colour = 0;
    FixedText<15> text;
};

// The longest sprite label: its tags and the tile's name.
constexpr size_t kSpriteLabelBytes = 63;

namespace SpriteItemFlags {
constexpr uint8_t ThickFacing = 1;
constexpr uint8_t WallAligned = 2;
constexpr uint8_t FloorAligned = 4;
constexpr uint8_t SideView = 8;
}  // namespace SpriteItemFlags

// One sprite on the screen, as the plan view and the side view list them for the marker painter.
struct SpriteDrawItem {
    int32_t x = 0, y = 0;
    uint8_t colour = 0;
    int16_t ang = 0;                        // 2048 per turn
    uint8_t flags = 0;                      // SpriteItemFlags
    int32_t halfWidth = 0, halfHeight = 0;  // half the footprint, in pixels
    FixedText<kSpriteLabelBytes> label;     // longer tile names are cut off
    int32_t sprite = 0;
};

// A wall crossing the rows of a sector being filled: the rows lo..hi it covers and how to find
// its column on a row.
struct FillEdge {
    int32_t lo = 0, hi = 0;
    int32_t xa = 0, ya = 0;
    float slope = 0;
};

// New rows of the lists above are all zero bytes: their tables take no memory until written.
template <>
inline constexpr bool kNewIsZeroBytes<PlanWallLine> = true;
template <>
inline constexpr bool kNewIsZeroBytes<PlanVertexMark> = true;
template <>
inline constexpr bool kNewIsZeroBytes<PlanLabel> = true;
template <>
inline constexpr bool kNewIsZeroBytes<SpriteDrawItem> = true;
template <>
inline constexpr bool kNewIsZeroBytes<FillEdge> = true;

// Pals 0..26, shades 0..31, plain and tinted.
constexpr int32_t kTexelColourTables = 27 * 32 * 2;

struct PlanViewState {
    ZeroedTable<PlanWallLine> planWallLines = ZeroedTable<PlanWallLine>(kMaxWalls);
    int32_t planWallLineCount = 0;
    // The lines of each drawing pass of the walls (dimmed, plain, highlighted) as indices into
    // planWallLines, kMaxWalls entries a pass, and their counts.
    ZeroedTable<int32_t> wallLinePasses = ZeroedTable<int32_t>(3 * size_t(kMaxWalls));
    std::array<int32_t, 3> wallPassCounts{};
    ZeroedTable<PlanVertexMark> planVertices = ZeroedTable<PlanVertexMark>(kMaxWalls);
    int32_t planVertexCount = 0;
    ZeroedTable<PlanLabel> labels = ZeroedTable<PlanLabel>(kMaxSectors);
    int32_t labelCount = 0;
    ZeroedTable<SpriteDrawItem> spriteDrawList = ZeroedTable<SpriteDrawItem>(kMaxSprites);
    int32_t spriteDrawCount = 0;
    // The sprites placed near enough to the view to be drawn, found while building that list.
    ZeroedTable<int32_t> nearSprites = ZeroedTable<int32_t>(kMaxSprites);

    // Screen position of a wall's start point, projected once per frame for the walls that can
    // show: those listed in nearWalls, their end points, and the walls of every sector found
    // near the view (projectSectorWalls). Other entries are left from earlier frames and must
    // not be read.
    ZeroedTable<int32_t> wallScreenX = ZeroedTable<int32_t>(kMaxWalls);
    ZeroedTable<int32_t> wallScreenY = ZeroedTable<int32_t>(kMaxWalls);
    // Where each wall's start point lies against the map view widened by a marker's reach
    // (WallSide bits), and whether it has been projected in this frame.
    ZeroedTable<uint8_t> wallSides = ZeroedTable<uint8_t>(kMaxWalls);
    // Each wall's end (its point2 cut to the wall array), read once with its start point.
    ZeroedTable<uint16_t> wallEnds = ZeroedTable<uint16_t>(kMaxWalls);
    // The walls whose line or start mark can reach into the map view, in index order.
    ZeroedTable<int32_t> nearWalls = ZeroedTable<int32_t>(kMaxWalls);
    int32_t nearWallCount = 0;
    // Every wall's start point has been projected in this frame, not only the near ones.
    bool allWallsProjected = false;
    // Per sector, found on first asking in a frame (the frame's projectionCount in
    // sectorTested): 1 when its start points may span part of the map view, and then its walls
    // are projected and the box of its start points kept.
    ZeroedTable<uint8_t> sectorNearView = ZeroedTable<uint8_t>(kMaxSectors);
    ZeroedTable<uint32_t> sectorTested = ZeroedTable<uint32_t>(kMaxSectors);
    ZeroedTable<SectorStartBox> sectorBoxes = ZeroedTable<SectorStartBox>(kMaxSectors);
    uint32_t projectionCount = 0;  // projections of the walls so far (0 after wrapping: none)
    // The sector fills: per wall the inverse slope of its projected line (column change per
    // row; kHorizontalWall for a horizontal one); the walls of one sector that cross its rows,
    // sorted by first row; the ones crossing the current row as (column << 16 | edge) keys in
    // column order; and that row's crossing columns.
    ZeroedTable<float> wallSlopes = ZeroedTable<float>(kMaxWalls);
    ZeroedTable<FillEdge> fillEdges = ZeroedTable<FillEdge>(kMaxWalls);
    ZeroedTable<uint32_t> activeEdges = ZeroedTable<uint32_t>(kMaxWalls);
    ZeroedTable<int32_t> crossings = ZeroedTable<int32_t>(kMaxWalls + 1);

    // The textured fill: the drawing order of the sectors (sort key and index packed), and the
    // world-aligned texel offsets of the screen's columns and rows.
    ZeroedTable<uint64_t> sectorOrder = ZeroedTable<uint64_t>(kMaxSectors);
    ZeroedTable<int32_t> columnTexels = ZeroedTable<int32_t>(kScreenWidth);
    ZeroedTable<int32_t> rowTexels = ZeroedTable<int32_t>(kScreenHeight);
    // Sprite pictures: the drawing order of the draw list, and the list being reordered.
    ZeroedTable<uint64_t> spriteOrder = ZeroedTable<uint64_t>(kMaxSprites);
    ZeroedTable<SpriteDrawItem> spriteDrawScratch = ZeroedTable<SpriteDrawItem>(kMaxSprites);
    ZeroedTable<int32_t> pictureColumns = ZeroedTable<int32_t>(kScreenWidth);
    ZeroedTable<int32_t> pictureRows = ZeroedTable<int32_t>(kScreenHeight);

    // Display colours of the tiles' game colours by pal, shade and tint (TexelColours.h), built
    // on first use in a frame, since the colour tables may change between frames.
    ZeroedTable<uint8_t> texelColours = ZeroedTable<uint8_t>(kTexelColourTables * 512);
    ZeroedTable<uint32_t> texelColoursFrame = ZeroedTable<uint32_t>(kTexelColourTables);
    uint32_t paintCount = 1;  // frames painted (never 0), which dates the entries above

    // The rim of the region-selection circle, which stays put while the anchor is held.
    CircleRimCache regionRim;
};

}  // namespace korvel
