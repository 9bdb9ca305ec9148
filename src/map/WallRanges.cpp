#include "map/WallRanges.h"

namespace korvel {

void fillOverlappingWallOwners(int32_t sectorCount, int32_t wallCount,
                               const std::function<WallRange(int32_t)>& rangeOf, int16_t* owners) {
    // next[w] leads to the first wall at or after w that no later sector has taken yet, with the
    // paths halved on the way, so going from the last sector back touches each wall once.
    std::vector<int32_t> next(size_t(wallCount) + 1);
    for (int32_t w = 0; w <= wallCount; ++w) next[size_t(w)] = w;
    auto untaken = [&](int32_t w) {
        while (next[size_t(w)] != w) {
            next[size_t(w)] = next[size_t(next[size_t(w)])];
            w = next[size_t(w)];
        }
        return w;
    };
    for (int32_t s = sectorCount - 1; s >= 0; --s) {
        const WallRange r = rangeOf(s);
        if (r.last < r.first || r.first < 0 || r.last >= wallCount) continue;
        for (int32_t w = untaken(r.first); w <= r.last; w = untaken(w + 1)) {
            owners[w] = int16_t(s);
            next[size_t(w)] = w + 1;
        }
    }
}

void findSoundSectors(const SectorRecord* sectors, int32_t sectorCount, const WallRecord* walls,
                      int32_t wallCount, std::vector<uint8_t>& sound) {
    sound.assign(size_t(sectorCount > 0 ? sectorCount : 0), 0);
    if (sectorCount <= 0 || wallCount <= 0) return;
    auto inside = [&](const SectorRecord& sec) {
        return sec.wallptr >= 0 && sec.wallnum >= 1 &&
               int32_t(sec.wallptr) + sec.wallnum <= wallCount;
    };
    // How many ranges hold each wall, then how many walls up to each point are shared: a range
    // shares a wall exactly when its stretch of that count is not empty.
    std::vector<int32_t> claims(size_t(wallCount) + 1, 0);
    for (int32_t s = 0; s < sectorCount; ++s) {
        const SectorRecord& sec = sectors[s];
        if (!inside(sec)) continue;
        ++claims[size_t(sec.wallptr)];
        --claims[size_t(sec.wallptr + sec.wallnum)];
    }
    std::vector<int32_t> sharedBefore(size_t(wallCount) + 1, 0);
    int32_t holding = 0;
    for (int32_t w = 0; w < wallCount; ++w) {
        holding += claims[size_t(w)];
        sharedBefore[size_t(w) + 1] = sharedBefore[size_t(w)] + (holding > 1 ? 1 : 0);
    }
    // The ranges that are left do not overlap, so checking their rings visits each wall once.
    for (int32_t s = 0; s < sectorCount; ++s) {
        const SectorRecord& sec = sectors[s];
        if (!inside(sec)) continue;
        const int32_t first = sec.wallptr, end = first + sec.wallnum;
        if (sharedBefore[size_t(end)] != sharedBefore[size_t(first)]) continue;
        bool closed = true;
        int32_t loopStart = first;
        for (int32_t w = first; w < end && closed; ++w) {
            const int32_t p = walls[w].point2;
            if (p == w + 1 && w + 1 < end) continue;
            closed = p == loopStart && w != loopStart;
            loopStart = w + 1;
        }
        sound[size_t(s)] = closed ? 1 : 0;
    }
}

}  // namespace korvel
