#include "views/SectorRows.h"

namespace korvel {

WallSpan wallSpan(const MapStore& map, int32_t s) {
    const SectorRecord& sec = map.sectors[s];
    const int64_t first = std::max<int64_t>(sec.wallptr, 0);
    const int64_t end = std::min<int64_t>(int64_t(sec.wallptr) + sec.wallnum, map.wallCount);
    if (first >= end) return {};
    return {int32_t(first), int32_t(end)};
}

ScreenBox startPointBox(PlanFrame& pf, int32_t sector) {
    if (!projectSectorWalls(pf, sector)) return {};
    const SectorStartBox& b = pf.lists.sectorBoxes[sector];
    return {b.minX, b.minY, b.maxX, b.maxY};
}

int32_t prepareSectorEdges(PlanViewState& st, WallSpan span, const ScreenBox& clip) {
    const int32_t* xs = st.wallScreenX.data();
    const int32_t* ys = st.wallScreenY.data();
    const uint16_t* ends = st.wallEnds.data();
    float* slopes = st.wallSlopes.data();
    FillEdge* edges = st.fillEdges.data();
    int32_t count = 0;
    for (int32_t w = span.first; w < span.end; ++w) {
        const int32_t xa = xs[w], ya = ys[w];
        const int32_t end = ends[w];
        const int32_t xb = xs[end], yb = ys[end];
        if (ya == yb) {
            slopes[w] = kHorizontalWall;
            continue;
        }
        const float slope = float(double(int64_t(xa) - xb) / double(int64_t(ya) - yb));
        slopes[w] = slope;
        const int32_t lo = std::max(std::min(ya, yb), clip.minY);
        const int32_t hi = std::min(std::max(ya, yb) - 1, clip.maxY);
        if (lo <= hi) edges[count++] = {lo, hi, xa, ya, slope};
    }
    const auto firstRow = [](const FillEdge& a, const FillEdge& b) { return a.lo < b.lo; };
    if (count > 16) {
        std::sort(edges, edges + count, firstRow);
        return count;
    }
    // The few edges of a small sector by insertion, which is what the sort does with so few,
    // without its calls.
    for (int32_t i = 1; i < count; ++i) {
        const FillEdge e = edges[i];
        int32_t j = i;
        for (; j > 0 && firstRow(e, edges[j - 1]); --j) edges[j] = edges[j - 1];
        edges[j] = e;
    }
    return count;
}

void sortCrossingKeys(uint32_t* keys, int32_t n) {
    // Beyond this many moves per key the order is far from the last row's: sort afresh.
    int64_t budget = 8 * int64_t(n);
    for (int32_t i = 1; i < n; ++i) {
        const uint32_t k = keys[i];
        int32_t j = i;
        for (; j > 0 && keys[j - 1] > k; --j) keys[j] = keys[j - 1];
        keys[j] = k;
        budget -= i - j;
        if (budget < 0) {
            std::sort(keys, keys + n);
            return;
        }
    }
}

}  // namespace korvel
