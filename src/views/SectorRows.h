// The row scan both sector fills share: a sector's walls that exist, the box of their projected
// start points, and for every row of that box the sorted columns where its walls cross the row.
#pragma once

#include <algorithm>
#include <cstdint>

#include "base/Mainm.h"
#include "ui/FrameBuffer.h"
#include "views/PlanFrame.h"
#include "views/PlanViewState.h"

namespace korvel {

// The sector's walls that exist: its range cut to the wall array, so that a damaged wallptr or
// wallnum neither reads outside it nor repeats a wall (a range of 32767 walls past the end costs
// nothing).
struct WallSpan {
    int32_t first = 0, end = 0;
};
WallSpan wallSpan(const MapStore& map, int32_t s);

// The screen box of a sector's wall start points; empty (and so outside) without walls.
struct ScreenBox {
    int32_t minX = 16777216, minY = 16777216, maxX = -16777216, maxY = -16777216;

    // Wholly left, right, below or above the map view.
    bool outsideMapView() const {
        return maxX < 0 || minX > kScreenRight || maxY < kMapViewBottom || minY > kMapViewTop;
    }
    ScreenBox clippedToMapView() const {
        return {std::max(minX, 0), std::max(minY, kMapViewBottom), std::min(maxX, kScreenRight),
                std::min(maxY, kMapViewTop)};
    }
};
// The box of the sector's wall start points (over its wallSpan). Needs the frame's wall points
// (projectWallPoints); projects the sector's own when its points may span part of the view,
// else the sector lies outside it and its box is empty.
ScreenBox startPointBox(PlanFrame& pf, int32_t sector);

// wallSlopes' entry for a wall that crosses no row.
constexpr float kHorizontalWall = 2.0e9f;

// Sets wallSlopes for the walls of the span and lists in fillEdges, by first row, those that
// cross rows of the clipped box; a wall covers the rows from its lower end up to, not including,
// its upper end, so that a vertex where the ring passes on counts once. Gives the edge count.
// Reads the frame's wall points and ends (projectWallPoints).
int32_t prepareSectorEdges(PlanViewState& st, WallSpan span, const ScreenBox& clip);

// Sorts (column << 16 | edge) keys. The scan hands them over in the previous row's order, which
// is nearly sorted: insertion sort while that holds, a full sort when it does not.
void sortCrossingKeys(uint32_t* keys, int32_t n);

// For every row of the clipped box whose crossings are even in number and not none, calls
// row(y, columns, n) with the crossing columns sorted ascending and clamped to the box.
template <typename RowFn>
void scanSectorRows(PlanViewState& st, int32_t edgeCount, const ScreenBox& clip, RowFn&& row) {
    const FillEdge* edges = st.fillEdges.data();
    uint32_t* keys = st.activeEdges.data();
    int32_t* cross = st.crossings.data();
    int32_t active = 0, next = 0;
    for (int32_t y = clip.minY; y <= clip.maxY; ++y) {
        int32_t n = 0;
        // The last two keys, which are all of a row of two crossings.
        uint32_t before = 0, last = 0;
        auto add = [&](int32_t e) {
            const FillEdge& f = edges[e];
            // A vertical edge keeps its column, which the sum below gives exactly.
            const int32_t c =
                f.slope == 0.0f ? f.xa : nearestInt((double(y) - f.ya) * double(f.slope) + f.xa);
            before = last;
            last = uint32_t(std::clamp(c, clip.minX, clip.maxX)) << 16 | uint32_t(e);
            keys[n++] = last;
        };
        for (int32_t i = 0; i < active; ++i) {
            const int32_t e = int32_t(keys[i] & 0xFFFF);
            if (edges[e].hi >= y) add(e);
        }
        for (; next < edgeCount && edges[next].lo <= y; ++next) add(next);
        active = n;
        if (n == 0 || (n & 1)) continue;
        if (n > 2) {
            sortCrossingKeys(keys, n);
            for (int32_t i = 0; i < n; ++i) cross[i] = int32_t(keys[i] >> 16);
            row(y, static_cast<const int32_t*>(cross), n);
            continue;
        }
        // Most rows of most sectors: the keys stay in whichever order they are.
        cross[0] = int32_t(std::min(before, last) >> 16);
        cross[1] = int32_t(std::max(before, last) >> 16);
        row(y, static_cast<const int32_t*>(cross), n);
        // Two vertical edges cross the rows that follow at the same columns, up to the row
        // where one of them ends or another edge starts: those rows take this row's crossings.
        const FillEdge &a = edges[before & 0xFFFF], &b = edges[last & 0xFFFF];
        if (a.slope != 0.0f || b.slope != 0.0f) continue;
        int32_t lastRow = std::min({a.hi, b.hi, clip.maxY});
        if (next < edgeCount) lastRow = std::min(lastRow, edges[next].lo - 1);
        while (y < lastRow) row(++y, static_cast<const int32_t*>(cross), n);
    }
}

}  // namespace korvel
