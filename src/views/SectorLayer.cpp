#include "views/SectorLayer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "app/Settings.h"
#include "base/ValueConv.h"
#include "editing/HoverState.h"
#include "ui/ColorSettings.h"
#include "views/PlanViewState.h"
#include "views/TexturedFill.h"

namespace korvel {

namespace {

// The sector's walls that exist: its range cut to the wall array, so that a damaged wallptr or
// wallnum neither reads outside it nor repeats a wall.
struct WallSpan {
    int32_t first = 0, end = 0;
};
WallSpan wallSpan(const MapStore& map, int32_t s) {
    const SectorRecord& sec = map.sectors[s];
    const int64_t first = std::max<int64_t>(sec.wallptr, 0);
    const int64_t end = std::min<int64_t>(int64_t(sec.wallptr) + sec.wallnum, map.wallCount);
    if (first >= end) return {};
    return {int32_t(first), int32_t(end)};
}

struct ScreenBox {
    int32_t minX = 16777216, minY = 16777216, maxX = -16777216, maxY = -16777216;
};
ScreenBox startPointBox(const PlanViewState& st, const WallSpan& span) {
    ScreenBox b;
    for (int32_t w = span.first; w < span.end; ++w) {
        b.minX = std::min(b.minX, st.wallScreenX[w]);
        b.maxX = std::max(b.maxX, st.wallScreenX[w]);
        b.minY = std::min(b.minY, st.wallScreenY[w]);
        b.maxY = std::max(b.maxY, st.wallScreenY[w]);
    }
    return b;
}

// Sedgewick's 1986 gaps 1, 5, 19, 41, 109, ...: 9 * 4^i - 9 * 2^i + 1 and
// 4^(i + 2) - 3 * 2^(i + 2) + 1 interleaved, as far as any crossing list needs.
constexpr std::array<int32_t, 20> kShellGaps = [] {
    std::array<int32_t, 20> gaps{};
    for (int i = 0; i < 10; ++i) {
        const int64_t p4 = int64_t(1) << (2 * i), p2 = int64_t(1) << i;
        gaps[2 * i] = int32_t(9 * p4 - 9 * p2 + 1);
        gaps[2 * i + 1] = int32_t(16 * p4 - 12 * p2 + 1);
    }
    return gaps;
}();
static_assert(kShellGaps[19] > 3 * (kMaxWalls + 1));

void shellSort(int32_t* v, int32_t n) {
    int32_t k = 0;
    while (3 * kShellGaps[k] < n) ++k;
    for (; k >= 0; --k) {
        const int32_t gap = kShellGaps[k];
        for (int32_t i = gap; i < n; ++i) {
            const int32_t x = v[i];
            int32_t j = i;
            for (; j >= gap && v[j - gap] > x; j -= gap) v[j] = v[j - gap];
            v[j] = x;
        }
    }
}

}  // namespace

void drawSectorLayer(PlanFrame& pf, int32_t frameNumber) {
    pf.lists.labelCount = 0;
    if (pf.settings.sectorsFull) fillSectorsTextured(pf, frameNumber);
    // The textured fill paints nothing of its own yet, so the flat fill and its labels are
    // drawn in both modes.
    if (pf.settings.wallTags && double(pf.settings.tagDrawLimit) > pf.view.zoom)
        collectSectorTagLabels(pf, frameNumber);
    fillSelectedSectors(pf, frameNumber);
}

void collectSectorTagLabels(PlanFrame& pf, int32_t) {
    const MapStore& map = pf.map;
    PlanViewState& st = pf.lists;
    const uint8_t oneSided = pf.colours.colorWallOneSided;
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        if (map.sectorIgnored[s] != 0) continue;
        const SectorRecord& sec = map.sectors[s];
        if (sec.lotag == 0 && sec.hitag == 0) continue;
        const ScreenBox b = startPointBox(st, wallSpan(map, s));
        if (b.maxX < 0 || b.minX > kScreenRight || b.maxY < kMapViewBottom || b.minY > kMapViewTop)
            continue;
        if (st.labelCount >= kMaxSectors) return;
        PlanLabel& label = st.labels[st.labelCount++];
        label.x = int32_t((int64_t(b.minX) + b.maxX) / 2);
        label.y = int32_t((int64_t(b.minY) + b.maxY) / 2);
        label.colour = s == pf.hover.hoveredSector ? oneSided : uint8_t(oneSided - 2);
        label.text = unsignedInt16ToString(sec.hitag);
        label.text += ',';
        label.text += unsignedInt16ToString(sec.lotag);
    }
}

void fillSelectedSectors(PlanFrame& pf, int32_t) {
    const MapStore& map = pf.map;
    const uint8_t colour = pf.colours.colorSectorHighlight;
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        const bool fill = map.sectorSelected[s]
                              ? pf.blinkOn
                              : pf.settings.sectorHighlight && s == pf.hover.hoveredSector;
        if (fill) fillSectorFlat(pf, s, colour);
    }
}

void fillSectorFlat(PlanFrame& pf, int32_t sector, uint8_t colour) {
    const MapStore& map = pf.map;
    PlanViewState& st = pf.lists;
    if (!isSector(map, sector)) return;
    const WallSpan span = wallSpan(map, sector);
    const ScreenBox b = startPointBox(st, span);
    const int32_t x0 = std::max(b.minX, 0), x1 = std::min(b.maxX, kScreenRight);
    const int32_t y0 = std::max(b.minY, kMapViewBottom), y1 = std::min(b.maxY, kMapViewTop);
    if (x0 > x1 || y0 > y1) return;

    // The walls that cross rows of the box; a wall covers the rows from its lower end up to,
    // not including, its upper end, so a vertex where the ring passes on counts once.
    const int32_t* xs = st.wallScreenX.data();
    const int32_t* ys = st.wallScreenY.data();
    FillEdge* edges = st.fillEdges.data();
    int32_t edgeCount = 0;
    for (int32_t w = span.first; w < span.end; ++w) {
        const int32_t xa = xs[w], ya = ys[w];
        const int32_t end = clampWall(map, map.walls[w].point2);
        const int32_t xb = xs[end], yb = ys[end];
        if (ya == yb) continue;
        const int32_t lo = std::max(std::min(ya, yb), y0);
        const int32_t hi = std::min(std::max(ya, yb) - 1, y1);
        if (lo > hi) continue;
        const float slope = float(double(int64_t(xa) - xb) / double(int64_t(ya) - yb));
        edges[edgeCount++] = {lo, hi, xa, ya, slope};
    }
    std::sort(edges, edges + edgeCount,
              [](const FillEdge& a, const FillEdge& b) { return a.lo < b.lo; });

    const SurfaceView s = screenView(pf.cv.frame);
    int32_t* active = st.activeEdges.data();
    int32_t* cross = st.crossings.data();
    int32_t activeCount = 0, next = 0;
    for (int32_t y = y0; y <= y1; ++y) {
        while (next < edgeCount && edges[next].lo <= y) active[activeCount++] = next++;
        int32_t n = 0, kept = 0;
        for (int32_t i = 0; i < activeCount; ++i) {
            const FillEdge& e = edges[active[i]];
            if (e.hi < y) continue;
            active[kept++] = active[i];
            const int32_t c = nearestInt((double(y) - e.ya) * double(e.slope) + e.xa);
            cross[n++] = std::clamp(c, x0, x1);
        }
        activeCount = kept;
        if (n == 0 || (n & 1)) continue;
        shellSort(cross, n);
        uint8_t* row = &s.at(0, y);
        for (int32_t i = 0; i < n; i += 2)
            if (cross[i] < cross[i + 1])
                std::memset(row + cross[i], colour, size_t(cross[i + 1] - cross[i]));
    }
}

}  // namespace korvel
