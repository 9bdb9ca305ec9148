// The map model's editing operations driven by numbers: random sequence tests and the fuzz
// target pick an operation and its arguments from a generator or from bytes. Edits go through
// the bracket a command gives them, a MapEdit.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "base/Mainm.h"
#include "geometry/ArrayTool.h"
#include "geometry/ClipboardPaste.h"
#include "geometry/Generators.h"
#include "geometry/Terrain.h"
#include "geometry/LineOfSight.h"
#include "geometry/LoopCopies.h"
#include "geometry/Lighting.h"
#include "geometry/SectorTileShift.h"
#include "geometry/TextureAlignment.h"
#include "geometry/SectorDeletion.h"
#include "geometry/SpritePrimitives.h"
#include "geometry/SkyAndSpriteTools.h"
#include "geometry/SpriteTools.h"
#include "geometry/TransformTools.h"
#include "geometry/WallLinks.h"
#include "geometry/WallMarks.h"
#include "geometry/WallPrimitives.h"
#include "map/MapClipboard.h"
#include "map/MapEdit.h"
#include "map/MapStore.h"
#include "map/Selection.h"
#include "map/UndoSnapshot.h"
#include "support/CompletionFeed.h"
#include "support/RecordingMapEvents.h"

namespace korvel::test {

struct MapModel {
    MapStore map;
    UndoSnapshot undo;
    MapClipboard clip;
    RecordingMapEvents events;
};

enum class MapOp : uint8_t {
    SelectSector,
    SelectWall,
    SelectVertex,
    SelectSprite,
    DeselectAll,
    InvertSelection,
    InsertVertex,
    DeleteWall,
    DeleteWallSng,
    DeleteVertex,
    CreateSprite,
    DeleteSprite,
    DeleteSector,
    DeleteSectorWos,
    DeleteLoop,
    MoveSector,
    SetFirstWall,
    MakeSelectedWallsFirst,
    Copy,
    Paste,
    PasteInPlace,
    Swap,
    LinkRepair,
    CheckWallPointer,
    MergeVertices,
    Undo,
    FlipSectors,
    FlipSprites,
    FlipVertices,
    MirrorSectors,
    MirrorByZ,
    ZShift,
    BindVertex,
    SkySelect,
    EqualizeCeilings,
    ExtractLoop,
    ExtractSelLoops,
    ExtractSelLoopsWi,
    SplitIsolatedLoops,
    CloneLoop,
    CloneSelectedLoops,
    CloneSector,
    CloneSelectedSectors,
    CloneSprite,
    CloneSelectedSprites,
    ReverseLoop,
    ReverseSector,
    SelectOppositeWalls,
    ScanLine,
    SelfIntersection,
    ShiftSectorTile,
    AlignWallTexture,
    ShadeWallsByLight,
    Reel,
    Arch,
    Sphere,
    Terrain,
    TriangleLoops,
    TransformBySegments,
    WarpByParallelograms,
    WarpByQuads,
    ArrayPaste,
    Count
};

// Whether the operation is an edit that a command brackets with an undo snapshot.
inline bool isEdit(MapOp op) {
    switch (op) {
        case MapOp::SelectSector:
        case MapOp::SelectWall:
        case MapOp::SelectVertex:
        case MapOp::SelectSprite:
        case MapOp::DeselectAll:
        case MapOp::InvertSelection:
        case MapOp::Copy:
        case MapOp::Swap:
        case MapOp::Undo:
        case MapOp::SkySelect:
        case MapOp::SelectOppositeWalls:
        case MapOp::ScanLine:
        case MapOp::SelfIntersection:
            return false;
        default:
            return true;
    }
}

// Whether a command runs the operation inside a MapEdit: every edit, and the clipboard swap,
// which writes the map without an undo snapshot (undo swaps back instead).
inline bool writesMap(MapOp op) {
    return isEdit(op) || op == MapOp::Swap;
}

// An index from a raw number: within 0 .. count - 1 when `exact`, otherwise any value a damaged
// record or a careless caller could give (negative, at the count, far beyond it).
inline int32_t pickIndex(uint32_t raw, int32_t count, bool exact) {
    if (exact) return count > 0 ? int32_t(raw % uint32_t(count)) : 0;
    switch (raw % 8) {
        case 0:
            return -1 - int32_t((raw >> 3) % 40000);
        case 1:
            return count;
        case 2:
            return count + int32_t((raw >> 3) % 40000);
        default:
            return count > 0 ? int32_t((raw >> 3) % uint32_t(count)) : int32_t(raw >> 3) % 8;
    }
}

inline const char* mapOpName(MapOp op) {
    static const char* const names[] = {"SelectSector",  "SelectWall",
                                        "SelectVertex",  "SelectSprite",
                                        "DeselectAll",   "InvertSelection",
                                        "InsertVertex",  "DeleteWall",
                                        "DeleteWallSng", "DeleteVertex",
                                        "CreateSprite",  "DeleteSprite",
                                        "DeleteSector",  "DeleteSectorWos",
                                        "DeleteLoop",    "MoveSector",
                                        "SetFirstWall",  "MakeSelectedWallsFirst",
                                        "Copy",          "Paste",
                                        "PasteInPlace",  "Swap",
                                        "LinkRepair",    "CheckWallPointer",
                                        "MergeVertices", "Undo",
                                        "FlipSectors",   "FlipSprites",
                                        "FlipVertices",  "MirrorSectors",
                                        "MirrorByZ",     "ZShift",
                                        "BindVertex",    "SkySelect",
                                        "EqualizeCeilings", "ExtractLoop",
                                        "ExtractSelLoops", "ExtractSelLoopsWi",
                                        "SplitIsolatedLoops", "CloneLoop",
                                        "CloneSelectedLoops", "CloneSector",
                                        "CloneSelectedSectors", "CloneSprite",
                                        "CloneSelectedSprites", "ReverseLoop",
                                        "ReverseSector", "SelectOppositeWalls",
                                        "ScanLine",      "SelfIntersection",
                                        "ShiftSectorTile", "AlignWallTexture",
                                        "ShadeWallsByLight", "Reel",
                                        "Arch",          "Sphere",
                                        "Terrain",       "TriangleLoops",
                                        "TransformBySegments", "WarpByParallelograms",
                                        "WarpByQuads",   "ArrayPaste"};
    static_assert(std::size(names) == size_t(MapOp::Count));
    return uint8_t(op) < uint8_t(MapOp::Count) ? names[uint8_t(op)] : "?";
}

namespace detail {

template <typename Flags>
void toggle(Flags& flags, int32_t i, int32_t& count) {
    if (flags[i]) {
        flags[i] = 0;
        --count;
    } else {
        flags[i] = 1;
        ++count;
    }
}

// Tiles of a few sizes, the first empty, for the texture operations.
inline const TileStore& testTiles() {
    static const TileStore tiles = [] {
        TileStore t;
        for (int32_t i = 1; i < 64; ++i) {
            t.tileWidths[size_t(i)] = int16_t(8 << (i % 5));
            t.tileHeights[size_t(i)] = int16_t(8 << (i % 4));
        }
        return t;
    }();
    return tiles;
}

}  // namespace detail

// Runs one operation, with indices from the raw numbers and reports through `events`. Edits
// are not bracketed here. False when the operation refused or found nothing to do.
inline bool applyMapOp(MapModel& m, MapEvents& events, MapOp op, uint32_t a, uint32_t b, uint32_t c,
                       bool exactIndices) {
    MapStore& map = m.map;
    auto wall = [&](uint32_t raw) { return pickIndex(raw, map.wallCount, exactIndices); };
    auto sector = [&](uint32_t raw) { return pickIndex(raw, map.sectorCount, exactIndices); };
    auto sprite = [&](uint32_t raw) { return pickIndex(raw, map.spriteCount, exactIndices); };
    // A point near the map: mostly on a wall, sometimes anywhere in a small area.
    auto pointOn = [&](int32_t w, uint32_t raw) -> IntPoint {
        if (!isWall(map, w) || raw % 4 == 0)
            return {int32_t(raw % 2000) - 500, int32_t(b % 2000) - 500};
        const WallRecord& s = map.walls[w];
        const WallRecord& e = map.walls[clampWall(map, s.point2)];
        const int64_t t = raw % 97 + 1;
        return {int32_t(s.x + (int64_t(e.x) - s.x) * t / 98),
                int32_t(s.y + (int64_t(e.y) - s.y) * t / 98)};
    };
    // A coordinate moved by d, kept inside the 32-bit range that map coordinates have.
    auto shifted = [](int32_t v, int64_t d) {
        return int32_t(std::clamp<int64_t>(int64_t(v) + d, INT32_MIN, INT32_MAX));
    };
    switch (op) {
        case MapOp::SelectSector: {
            const int32_t s = pickIndex(a, map.sectorCount, true);
            if (isSector(map, s)) detail::toggle(map.sectorSelected, s, map.selectedSectorCount);
            break;
        }
        case MapOp::SelectWall: {
            const int32_t w = pickIndex(a, map.wallCount, true);
            if (isWall(map, w)) detail::toggle(map.wallSelected, w, map.selectedWallCount);
            break;
        }
        case MapOp::SelectVertex: {
            const int32_t w = pickIndex(a, map.wallCount, true);
            if (isWall(map, w)) detail::toggle(map.vertexSelected, w, map.selectedVertexCount);
            break;
        }
        case MapOp::SelectSprite: {
            const int32_t k = pickIndex(a, map.spriteCount, true);
            if (isSprite(map, k)) detail::toggle(map.spriteSelected, k, map.selectedSpriteCount);
            break;
        }
        case MapOp::DeselectAll:
            deselectSectors(map);
            deselectWalls(map);
            deselectVertices(map);
            deselectSprites(map);
            break;
        case MapOp::InvertSelection:
            invertSelection(map, SelectionMode(a % 8), events);
            break;
        case MapOp::InsertVertex: {
            const int32_t w = wall(a);
            const IntPoint p = pointOn(w, b);
            return insertVertex(map, events, w, p.x, p.y, c % 2 == 0);
        }
        case MapOp::DeleteWall:
            return deleteWall(map, events, wall(a), b % 3 == 0);
        case MapOp::DeleteWallSng:
            return deleteWallSng(map, events, wall(a));
        case MapOp::DeleteVertex:
            return deleteVertex(map, events, wall(a));
        case MapOp::CreateSprite: {
            const IntPoint p = pointOn(wall(a), b);
            return createSprite(map, events, wrap32(int64_t(p.x) + c % 7 - 3),
                                wrap32(int64_t(p.y) + c % 5 - 2), c % 2 == 0)
                .has_value();
        }
        case MapOp::DeleteSprite:
            return deleteSprite(map, events, sprite(a));
        case MapOp::DeleteSector:
            return deleteSector(map, events, sector(a));
        case MapOp::DeleteSectorWos:
            return deleteSectorWos(map, events, sector(a));
        case MapOp::DeleteLoop:
            return deleteLoop(map, events, wall(a)) != LoopDeletion::Refused;
        case MapOp::MoveSector:
            return moveSectorSp(map, events, sector(a), sector(b));
        case MapOp::SetFirstWall: {
            const int32_t w = wall(a);
            const int32_t s = exactIndices ? sectorOfWall(map, w) : sector(b);
            return setSectorFirstWall(map, events, s, w);
        }
        case MapOp::MakeSelectedWallsFirst:
            makeSelectedWallsFirst(map, events);
            break;
        case MapOp::Copy:
            clearClipboard(m.clip);
            if (map.selectedSectorCount > 0) {
                for (int32_t s = 0; s < map.sectorCount; ++s)
                    if (map.sectorSelected[s]) copySectorToClipboard(m.clip, map, events, s, true);
            } else {
                for (int32_t k = 0; k < map.spriteCount; ++k)
                    if (map.spriteSelected[k]) copySpriteToClipboard(m.clip, map, events, k);
            }
            if (a % 4 == 0) copySectorToClipboard(m.clip, map, events, sector(b), c % 2 == 0);
            balanceClipboard(m.clip);
            break;
        case MapOp::Paste:
            return pasteClipboard(map, m.clip, events, int32_t(a % 3000) - 1000,
                                  int32_t(b % 3000) - 1000);
        case MapOp::PasteInPlace:
            return pasteClipboardInPlace(map, m.clip, events);
        case MapOp::Swap:
            swapClipboard(map, m.clip);
            break;
        case MapOp::LinkRepair:
            updateWallSectnums(map);
            repairWallLinks(map, events);
            break;
        case MapOp::CheckWallPointer:
            checkWallPointer(map, events, wall(a), b % 2 == 0, c % 2 == 0);
            break;
        case MapOp::MergeVertices: {
            // A vertex dragged onto the next one, as the drag commit finishes it: the walls at
            // the vertex move, then each marked wall is repaired from the last index down,
            // which removes the wall that lost its length.
            const int32_t w = wall(a);
            if (!isWall(map, w) || !isWall(map, map.walls[w].point2)) return false;
            const WallRecord target = map.walls[map.walls[w].point2];
            findMovWalls(map, w);
            for (int32_t i = 0; i < map.wallCount; ++i)
                if (map.wallMoveState[i] & int16_t(WallMoveState::StartPoint)) {
                    map.walls[i].x = target.x;
                    map.walls[i].y = target.y;
                }
            for (int32_t i = map.wallCount - 1; i >= 0; --i) {
                if (i >= map.wallCount) i = map.wallCount - 1;
                if (i < 0) break;
                if (map.wallMoveState[i] != 0) checkWallPointer(map, events, i, false, false);
            }
            map.movedWallCount = 0;
            break;
        }
        case MapOp::Undo:
            restoreUndo(map, m.undo, m.clip, SelectionMode(a % 8), events);
            break;
        case MapOp::FlipSectors:
            flipSelSectors(map, events, uint8_t(a % 2));
            break;
        case MapOp::FlipSprites:
            flipSelSprites(map, uint8_t(a % 2));
            break;
        case MapOp::FlipVertices:
            flipSelVertices(map, events, uint8_t(a % 2));
            break;
        case MapOp::MirrorSectors: {
            const IntPoint p = pointOn(wall(a), b);
            const IntPoint q = pointOn(wall(c), a);
            return mirrorSelSectors(map, events, p.x, p.y, q.x, q.y);
        }
        case MapOp::MirrorByZ: {
            static const std::vector<int16_t> heights(kTileCount, 32);
            mirrorSelByZ(map, heights);
            break;
        }
        case MapOp::ZShift:
            zShiftSelSectors(map, events, int32_t(a % 20001) - 10000);
            break;
        case MapOp::BindVertex:
            bindVertex(map, events, wall(a), double(b % 5000));
            break;
        case MapOp::SkySelect:
            skySelect(map, sector(a));
            break;
        case MapOp::EqualizeCeilings:
            equalizeCeilingHeights(map);
            break;
        case MapOp::ExtractLoop:
            return extractLoop(map, events, wall(a));
        case MapOp::ExtractSelLoops:
            return extractSelLoops(map, events);
        case MapOp::ExtractSelLoopsWi:
            return extractSelLoopsWi(map, events);
        case MapOp::SplitIsolatedLoops:
            return splitIsolatedLoops(map, events, sector(a));
        case MapOp::CloneLoop:
            return cloneLoop(map, events, wall(a));
        case MapOp::CloneSelectedLoops:
            return cloneSelectedLoops(map, events);
        case MapOp::CloneSector:
            return cloneSector(map, events, sector(a));
        case MapOp::CloneSelectedSectors:
            return cloneSelectedSectors(map, events);
        case MapOp::CloneSprite:
            return cloneSprite(map, events, sprite(a));
        case MapOp::CloneSelectedSprites:
            return cloneSelectedSprites(map, events);
        case MapOp::ReverseLoop:
            return reverseLoop(map, events, wall(a));
        case MapOp::ReverseSector:
            return reverseSector(map, events, sector(a));
        case MapOp::SelectOppositeWalls:
            selectOppositeWalls(map);
            break;
        case MapOp::ScanLine: {
            const IntPoint p = pointOn(wall(a), c), q = pointOn(wall(b), a);
            const int32_t s = sector(c);
            const int32_t z1 = int32_t(b % 4096) * 16 - 32768, z2 = int32_t(c % 4096) * 16 - 32768;
            if (!exactIndices || isSector(map, s)) scanLine(map, p.x, p.y, z1, s, q.x, q.y, z2);
            break;
        }
        case MapOp::SelfIntersection:
            if (isWall(map, wall(a)) && isWall(map, wall(b)) && isSector(map, sector(c)))
                isSelfIntersecting(map, wall(a), wall(b), sector(c));
            break;
        case MapOp::ShiftSectorTile:
            shiftSectorTile(map, detail::testTiles(), sector(a), int32_t(b % 2) - 1,
                            int32_t(c % 4001) - 2000, int32_t(a % 4001) - 2000);
            break;
        case MapOp::AlignWallTexture: {
            static std::vector<BufferPoint> marks =
                std::vector<BufferPoint>(size_t(kPointBufferSize));
            clearWallVisitMarks(marks);
            alignWallTexture(map, TextureWalk{detail::testTiles(), marks, b % 2 == 0, nullptr},
                             wall(a));
            break;
        }
        case MapOp::ShadeWallsByLight: {
            WallLightParams p;
            p.directional = uint8_t(a % 2);
            p.angle = int32_t(b % 72000) - 36000;
            p.x = int32_t(c % 4000) - 1000;
            p.y = int32_t(b % 4000) - 1000;
            p.falloffMode = uint8_t(c % 3);
            p.shadeMin = int32_t(a % 64) - 32;
            p.shadeMax = int32_t(b % 64);
            p.relative = uint8_t(c % 2);
            p.distanceFalloff = uint8_t(a % 3 == 0);
            shadeSelectedWallsByLight(map, p);
            break;
        }
        case MapOp::Reel:
        case MapOp::Arch:
        case MapOp::Sphere: {
            // Small structures at random places, some over the rooms.
            CompletionFeed feed(map, events);
            const IntPoint p0 = pointOn(wall(a), c);
            const IntPoint p1{shifted(p0.x, int64_t(b % 1200) - 600), shifted(p0.y, int64_t(c % 1200) - 600)};
            GeneratorResult r;
            if (op == MapOp::Reel)
                r = buildReel(map, events, feed,
                              {int32_t(a % 4096) - 2048, int32_t(b % 20000), int32_t(c % 6),
                               int32_t(a % 300) + 1},
                              p0, p1);
            else if (op == MapOp::Arch)
                r = buildArch(map, events, feed,
                              {int32_t(a % 4096) - 2048, -8192, int32_t(c % 600), int32_t(b % 2048),
                               int32_t(a % 1024) - 512, int32_t(c % 6)},
                              p0, p1);
            else
                r = buildSphere(map, events, feed,
                                {0, -8192, int32_t(a % 7), int32_t(b % 4096) - 2048,
                                 int32_t(c % 2048), int32_t(b % 4)},
                                p0, p1);
            return r.piecesBuilt > 0;
        }
        case MapOp::Terrain: {
            static const std::vector<uint8_t> pixels = {0, 90, 200, 30, 255, 120, 60, 10, 180};
            TerrainPicture pic;
            pic.width = 3;
            pic.height = a % 5 == 0 ? 0 : 3;
            pic.pixels = pixels;
            for (int32_t i = 0; i < 256; ++i) pic.level[size_t(i)] = uint8_t(i);
            CompletionFeed feed(map, events);
            const IntPoint p0 = pointOn(wall(b), c);
            const int32_t cols = int32_t(a % 4), rows = int32_t(b % 3);
            const int32_t hitX = shifted(p0.x, int64_t(c % 1500) - 200);
            const auto tris = terrainTriangles(p0, hitX, cols, rows);
            return buildTerrainFromTile(map, events, feed, {cols, rows, int32_t(b % 16384)}, pic, p0,
                                        hitX, tris)
                       .sectorsBuilt > 0;
        }
        case MapOp::TriangleLoops: {
            CompletionFeed feed(map, events);
            const IntPoint p0 = pointOn(wall(a), b), p1 = pointOn(wall(c), a);
            bool any = false;
            for (int32_t s = 0; s < map.sectorCount; ++s)
                if (map.sectorSelected[s] != 0 &&
                    addTriangleLoop(map, events, feed, s, p0.x, p0.y, p1.x, p1.y, int32_t(c % 20000)))
                    any = true;
            return any;
        }
        case MapOp::TransformBySegments:
        case MapOp::WarpByParallelograms:
        case MapOp::WarpByQuads: {
            IntPoint p[8];
            uint32_t r = a;
            for (IntPoint& q : p) {
                r = r * 1664525u + 1013904223u + b;
                q = {int32_t(r % 1600) - 300, int32_t((r >> 12) % 1600) - 300};
            }
            if (c % 3 == 0) p[c % 8] = p[(c + 1) % 8];  // coincident points now and then
            HandleResult res;
            if (op == MapOp::TransformBySegments)
                res = transformBySegments(map, events, p[0], p[1], p[2], p[3]);
            else if (op == MapOp::WarpByParallelograms)
                res = warpByParallelograms(map, events, p, p + 3);
            else
                res = warpByQuads(map, events, p, p + 4);
            return res == HandleResult::Moved;
        }
        case MapOp::ArrayPaste: {
            ArrayParams p;
            p.pattern = uint8_t(a % 5);
            p.copyCount = a % 16 == 0 ? 2147483647 : int32_t(b % 5);
            for (size_t i = 0; i < p.steps.size(); ++i) p.steps[i] = int32_t((a >> (i % 24)) % 97) - 48;
            p.steps[13] = int32_t(c % 3);  // sectnum steps into and out of the map
            p.steps[20] = 0;               // lotag: the sequences tag objects there
            p.centerX = int32_t(b % 2000) - 500;
            p.centerY = int32_t(c % 2000) - 500;
            p.check = uint8_t(b % 2);
            p.radioA = uint8_t(c % 4);
            p.radioB = uint8_t(a % 4);
            p.rotationStep = int32_t(c % 72000);
            p.option1 = uint8_t(c % 2);
            p.option2 = uint8_t(a % 3 == 0);
            p.option3 = uint8_t(b % 3 == 0);
            p.option4 = uint8_t(c % 3 == 0);
            p.option5 = uint8_t(a % 2);
            p.option6 = uint8_t(b % 2);
            p.option7 = uint8_t(c % 2);
            p.paramA = int32_t(c % 300);
            p.paramB = int32_t(b % 500);
            p.paramC = int32_t(a % 7) - 3;
            p.paramD = int32_t(b % 3) * 100;
            p.angleCenter = int32_t(a % 36000);
            p.angleRange = int32_t(b % 9000);
            Random random{a ^ b};
            const ArrayResult r = arrayPasteTool(map, m.clip, events, p, random);
            return !r.refused;
        }
        case MapOp::Count:
            break;
    }
    return true;
}

// Runs the operation as a command does: what writes the map inside a MapEdit, which commits
// what the operation did and rolls back what it refused. False for a refused edit.
inline bool runMapOp(MapModel& m, MapOp op, uint32_t a, uint32_t b, uint32_t c, bool exactIndices) {
    if (!writesMap(op)) return applyMapOp(m, m.events, op, a, b, c, exactIndices);
    MapEdit edit(m.map, m.undo, m.events, isEdit(op) ? EditUndo::Snapshot : EditUndo::None);
    return edit.finish(applyMapOp(m, edit.events(), op, a, b, c, exactIndices));
}

}  // namespace korvel::test
