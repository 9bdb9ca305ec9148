// Any bytes become a small map (counts, then the records as they lie in a map file) and a list
// of editing operations on it, among them the sector operations that build their sectors
// through the polygon tool (split, booleans, rips, linear cut, join of the selection). Whatever
// the records hold, every operation must finish without reading or writing outside the arrays.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "app/Editor.h"
#include "editing/DrawingTool.h"
#include "geometry/LinearCutter.h"
#include "geometry/SectorBooleans.h"
#include "geometry/SectorRips.h"
#include "geometry/SectorSplit.h"
#include "support/MapModelOps.h"

using namespace korvel;
using namespace korvel::test;

namespace {

constexpr int kFeedOps = 9;

// A point of the map: the start of a wall (index taken modulo the count), or the raw value.
IntPoint pointOf(const MapStore& map, uint16_t v) {
    if (map.wallCount > 0 && (v & 0x8000) == 0) {
        const WallRecord& w = map.walls[size_t(v % map.wallCount)];
        return {w.x, w.y};
    }
    return {int32_t(int16_t(v)) * 16, int32_t(int16_t(v >> 3)) * 16};
}

// The operations that feed the polygon tool run on the editor's map, a copy of the model's
// map that is copied back afterwards.
void runFeedOp(MapModel& m, Editor& ed, int op, uint16_t a, uint16_t b, uint16_t c) {
    static_cast<MapContent&>(ed.map) = m.map;
    ed.tool.currentTool = Tool::Idle;
    ed.drawVertices.toolPointCount = 0;
    DrawingToolFeed feed(ed);
    MapStore& map = ed.map;
    const int32_t sa = m.map.sectorCount > 0 ? a % (m.map.sectorCount + 1) : int16_t(a);
    const int32_t sb = m.map.sectorCount > 0 ? b % (m.map.sectorCount + 1) : int16_t(b);
    switch (op) {
        case 0: {
            // A path of one or two segments from the vertex of wall b to that of wall a.
            const int32_t wa = m.map.wallCount > 0 ? a % m.map.wallCount : 0;
            const int32_t wb = m.map.wallCount > 0 ? b % m.map.wallCount : 0;
            const IntPoint from = pointOf(map, uint16_t(wb)), to = pointOf(map, uint16_t(wa));
            const IntPoint mid = pointOf(map, c);
            const bool bent = c & 1;
            const int32_t xs[3] = {from.x, bent ? mid.x : to.x, to.x};
            const int32_t ys[3] = {from.y, bent ? mid.y : to.y, to.y};
            const SplitPath path{xs, ys, bent ? 2 : 1};
            if (allowSectorSplit(map, path, wa, wb, c & 2, c & 4) != SplitState::Refused)
                splitSector(map, ed.events, feed, path, wa, wb);
            break;
        }
        case 1: joinSectors(map, ed.events, feed, sa, sb); break;
        case 2: intersectSectors(map, ed.events, feed, sa, sb); break;
        case 3: subtractSectorsAB(map, ed.events, feed, sa, sb); break;
        case 4: subtractSectorsBA(map, ed.events, feed, sa, sb); break;
        case 5: ripSectors(map, ed.events, feed, sa, sb); break;
        case 6: {
            const IntPoint p = pointOf(map, a), q = pointOf(map, b);
            linearCutter(map, ed.events, feed, {p.x, p.y, q.x, q.y}, c & 1, c & 2);
            break;
        }
        case 7: joinSelectedSectors(map, ed.events, feed); break;
        default: multiSectorRip(map, ed.events, feed); break;
    }
    static_cast<MapContent&>(m.map) = static_cast<const MapContent&>(ed.map);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto model = std::make_unique<MapModel>();
    static auto editor = [] {
        auto ed = std::make_unique<Editor>();
        ed->app.currentPage = Page::PlanView;
        return ed;
    }();
    MapModel& m = *model;
    if (size < 3) return 0;
    resetMap(m.map, m.events);
    clearClipboard(m.clip);
    m.events.clear();

    size_t pos = 3;
    auto take = [&](void* out, size_t n) {
        const size_t have = pos < size ? (size - pos < n ? size - pos : n) : 0;
        std::memset(out, 0, n);
        if (have) std::memcpy(out, data + pos, have);
        pos += n;
    };
    m.map.sectorCount = data[0] % 17;
    m.map.wallCount = data[1] % 65;
    m.map.spriteCount = data[2] % 17;
    for (int32_t s = 0; s < m.map.sectorCount; ++s) take(&m.map.sectors[s], sizeof(SectorRecord));
    for (int32_t w = 0; w < m.map.wallCount; ++w) take(&m.map.walls[w], sizeof(WallRecord));
    for (int32_t k = 0; k < m.map.spriteCount; ++k) take(&m.map.sprites[k], sizeof(SpriteRecord));
    updateWallSectnums(m.map);

    for (int ops = 0; ops < 48 && pos + 7 <= size; ++ops) {
        const uint8_t op = data[pos];
        uint16_t args[3];
        std::memcpy(args, data + pos + 1, sizeof(args));
        pos += 7;
        // Every ninth op of the upper half feeds the polygon tool.
        if (op >= 128 && op % 9 == 0)
            runFeedOp(m, *editor, (op / 9) % kFeedOps, args[0], args[1], args[2]);
        else
            runMapOp(m, MapOp(op % uint8_t(MapOp::Count)), args[0], args[1], args[2], op >= 128);
    }
    return 0;
}
