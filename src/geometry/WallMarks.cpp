#include "geometry/WallMarks.h"

#include "map/GeometryQueries.h"

namespace korvel {

namespace {

constexpr int16_t kStarts = int16_t(WallMoveState::StartPoint);
constexpr int16_t kEnds = int16_t(WallMoveState::EndPoint);

// The twin of w when the pair is linked both ways, else -1.
int32_t linkedTwin(const MapStore& map, int32_t w) {
    const WallRecord& r = map.walls[w];
    if (r.nextsector < 0) return -1;
    const int32_t t = r.nextwall;
    if (!isWall(map, t) || t == w || map.walls[t].nextwall != w) return -1;
    return t;
}

// Marks the walls about the vertex at the start of v by the role in which the turn reaches
// them; a wall reached both as starting and as ending there gets both bits (BothPoints).
void markAboutVertex(MapStore& map, int32_t v) {
    auto mark = [&](int32_t w, int16_t role) {
        map.wallMoveState[w] = int16_t(map.wallMoveState[w] | role);
    };
    mark(v, kStarts);
    bool closed = false;
    int32_t cur = linkedTwin(map, v);
    if (cur >= 0) mark(cur, kEnds);
    // Forward: the wall after the twin starts at the point too; then its twin, and so on.
    for (int32_t step = 0; cur >= 0 && step <= map.wallCount; ++step) {
        const int32_t next = map.walls[cur].point2;
        if (!isWall(map, next)) break;
        if (next == v) {
            closed = true;
            break;
        }
        mark(next, kStarts);
        cur = linkedTwin(map, next);
        if (cur >= 0) mark(cur, kEnds);
    }
    if (closed) return;
    // Backward from v, for a vertex on an outer edge where the forward turn stopped.
    cur = v;
    for (int32_t step = 0; step <= map.wallCount; ++step) {
        const int32_t prev = getPrevWall(map, cur);
        if (prev == cur) break;
        mark(prev, kEnds);
        cur = linkedTwin(map, prev);
        if (cur < 0 || cur == v) break;
        mark(cur, kStarts);
    }
}

void clearMarks(MapStore& map) {
    map.wallMoveState.fill(0);
    map.movedWallCount = kAllWallsMarked;
}

}  // namespace

void findMovWalls(MapStore& map, int32_t wall) {
    clearMarks(map);
    if (isWall(map, wall)) markAboutVertex(map, wall);
}

void findMovingWallsByVertices(MapStore& map) {
    clearMarks(map);
    for (int32_t w = 0; w < map.wallCount; ++w) {
        const int16_t m = map.wallMoveState[w];
        if (map.vertexSelected[w] && (m == 0 || m == kEnds)) markAboutVertex(map, w);
    }
}

}  // namespace korvel
