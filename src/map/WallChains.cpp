#include "map/WallChains.h"

namespace korvel {

void findWallChains(const WallRecord* records, int32_t walls, WallChains& out) {
    const size_t n = size_t(walls > 0 ? walls : 0);
    out.cycleLength.assign(n, 0);
    out.previous.assign(n, -1);
    out.stepsToLoopEnd.assign(n, kNoDistance);
    if (n == 0) return;
    auto loopEnd = [&](int32_t c) { return records[c].point2 != c + 1; };

    // Each wall is entered once: a path is followed until it meets a wall seen before; when
    // that wall is on the path itself, the path closes a cycle there.
    enum : uint8_t { Unseen, OnPath, Done };
    std::vector<uint8_t> state(n, Unseen);
    std::vector<int32_t> path;
    for (int32_t start = 0; start < walls; ++start) {
        if (state[size_t(start)] != Unseen) continue;
        path.clear();
        int32_t c = start;
        while (state[size_t(c)] == Unseen) {
            state[size_t(c)] = OnPath;
            path.push_back(c);
            c = chainNext(records, walls, c);
        }
        size_t tailEnd = path.size();  // walls of path before the cycle, if any
        if (state[size_t(c)] == OnPath) {
            size_t first = 0;
            while (path[first] != c) ++first;
            tailEnd = first;
            const int32_t len = int32_t(path.size() - first);
            for (size_t i = first; i < path.size(); ++i) {
                out.cycleLength[size_t(path[i])] = len;
                out.previous[size_t(path[i])] = path[i == first ? path.size() - 1 : i - 1];
            }
            // Around the cycle backwards twice: the second round reaches every wall from the
            // loop end after it.
            int32_t dist = kNoDistance;
            for (int32_t round = 0; round < 2; ++round)
                for (size_t i = path.size(); i-- > first;) {
                    const int32_t w = path[i];
                    if (loopEnd(w))
                        dist = 0;
                    else if (dist != kNoDistance)
                        ++dist;
                    out.stepsToLoopEnd[size_t(w)] = dist;
                }
        }
        // The tail hands on to a wall whose distance is settled.
        for (size_t i = tailEnd; i-- > 0;) {
            const int32_t w = path[i];
            const int32_t next = chainNext(records, walls, w);
            const int32_t d = out.stepsToLoopEnd[size_t(next)];
            out.stepsToLoopEnd[size_t(w)] = loopEnd(w) ? 0 : (d == kNoDistance ? d : d + 1);
        }
        for (const int32_t w : path) state[size_t(w)] = Done;
    }
}

}  // namespace korvel
