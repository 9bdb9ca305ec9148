#include "support/MapInvariants.h"

#include <cstring>
#include <sstream>
#include <type_traits>
#include <vector>

namespace korvel::test {

namespace {

struct Report {
    std::vector<std::string> lines;
    template <typename... T>
    void add(const T&... parts) {
        std::ostringstream out;
        (out << ... << parts);
        lines.push_back(out.str());
    }
};

bool isWallOf(const MapStore& map, int32_t w) {
    return w >= 0 && w < map.wallCount;
}

void checkCounts(const MapStore& map, Report& r) {
    if (map.sectorCount < 0 || map.sectorCount > kMaxSectors)
        r.add("sectorCount ", map.sectorCount);
    if (map.wallCount < 0 || map.wallCount > kMaxWalls) r.add("wallCount ", map.wallCount);
    if (map.spriteCount < 0 || map.spriteCount > kMaxSprites)
        r.add("spriteCount ", map.spriteCount);
}

// Returns false when the ranges are too broken for the ring and link checks to make sense.
bool checkRanges(const MapStore& map, Report& r) {
    int32_t expected = 0;
    bool ok = true;
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        const SectorRecord& sec = map.sectors[s];
        if (sec.wallptr != expected) {
            r.add("sector ", s, ": wallptr ", sec.wallptr, ", its walls should start at ",
                  expected);
            ok = false;
        }
        if (sec.wallnum < 1) {
            r.add("sector ", s, ": wallnum ", sec.wallnum);
            ok = false;
        }
        expected = sec.wallptr + (sec.wallnum > 0 ? sec.wallnum : 0);
    }
    if (expected != map.wallCount) {
        r.add("the sectors' walls end at ", expected, " but wallCount is ", map.wallCount);
        ok = false;
    }
    return ok;
}

void checkRings(const MapStore& map, Report& r) {
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        const int32_t first = map.sectors[s].wallptr;
        const int32_t end = first + map.sectors[s].wallnum;
        int32_t loopStart = first;
        for (int32_t w = first; w < end; ++w) {
            const int32_t p = map.walls[w].point2;
            if (p == w + 1 && w + 1 < end) continue;
            if (p != loopStart)
                r.add("sector ", s, ": wall ", w, " has point2 ", p, ", expected ", w + 1,
                      " or the loop start ", loopStart);
            else if (w == loopStart)
                r.add("sector ", s, ": wall ", w, " is a loop of its own");
            loopStart = w + 1;
        }
    }
}

void checkWallSectors(const MapStore& map, Report& r) {
    for (int32_t s = 0; s < map.sectorCount; ++s)
        for (int32_t w = map.sectors[s].wallptr;
             w < map.sectors[s].wallptr + map.sectors[s].wallnum; ++w)
            if (isWallOf(map, w) && map.wallSector[w] != s)
                r.add("wallSector[", w, "] is ", map.wallSector[w], ", its sector is ", s);
}

void checkLinks(const MapStore& map, Report& r) {
    for (int32_t w = 0; w < map.wallCount; ++w) {
        const WallRecord& a = map.walls[w];
        if (a.nextwall == -1) {
            if (a.nextsector != -1)
                r.add("wall ", w, ": nextsector ", a.nextsector, " without nextwall");
            continue;
        }
        const int32_t t = a.nextwall;
        if (!isWallOf(map, t) || t == w) {
            r.add("wall ", w, ": nextwall ", t, " names no other wall");
            continue;
        }
        const WallRecord& b = map.walls[t];
        if (b.nextwall != w) r.add("wall ", w, " -> ", t, " but wall ", t, " -> ", b.nextwall);
        if (a.nextsector != map.wallSector[t])
            r.add("wall ", w, ": nextsector ", a.nextsector, ", its twin ", t, " is in sector ",
                  map.wallSector[t]);
        if (!isWallOf(map, a.point2) || !isWallOf(map, b.point2)) continue;
        const WallRecord& aEnd = map.walls[a.point2];
        const WallRecord& bEnd = map.walls[b.point2];
        if (a.x != bEnd.x || a.y != bEnd.y || aEnd.x != b.x || aEnd.y != b.y)
            r.add("wall ", w, " and its twin ", t, " do not run between the same points");
    }
}

void checkSprites(const MapStore& map, Report& r) {
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        const int32_t s = map.sprites[k].sectnum;
        if (s < -1 || s >= map.sectorCount) r.add("sprite ", k, ": sectnum ", s);
    }
}

template <typename Flags>
void checkFlags(const char* name, const Flags& flags, int32_t count, int32_t selected, Report& r) {
    int32_t set = 0;
    for (int32_t i = 0; i < count; ++i)
        if (flags[i]) ++set;
    if (set != selected) r.add(name, ": ", set, " flags set, the count says ", selected);
    static const uint8_t zeros[kMaxWalls] = {};
    const uint8_t* above = flags.data() + count;
    const size_t rest = size_t(Flags::size() - count);
    if (std::memcmp(above, zeros, rest) != 0)
        for (size_t i = 0; i < rest; ++i)
            if (above[i]) {
                r.add(name, "[", count + int32_t(i), "] set above the count ", count);
                break;
            }
}

template <typename A>
bool sameArray(const A& a, const A& b) {
    return std::memcmp(a.data(), b.data(), size_t(A::size()) * sizeof(a[0])) == 0;
}

}  // namespace

std::vector<std::string> checkMapInvariants(const MapStore& map) {
    Report r;
    checkCounts(map, r);
    if (!r.lines.empty()) return r.lines;
    if (checkRanges(map, r)) {
        checkRings(map, r);
        checkWallSectors(map, r);
        checkLinks(map, r);
    }
    checkSprites(map, r);
    checkFlags("sectorSelected", map.sectorSelected, map.sectorCount, map.selectedSectorCount, r);
    checkFlags("wallSelected", map.wallSelected, map.wallCount, map.selectedWallCount, r);
    checkFlags("vertexSelected", map.vertexSelected, map.wallCount, map.selectedVertexCount, r);
    checkFlags("spriteSelected", map.spriteSelected, map.spriteCount, map.selectedSpriteCount, r);
    return r.lines;
}

namespace {

template <typename Kind, typename Records>
void tagKind(MapStore& map, Records Kind::*records, int32_t count, int32_t base) {
    for (int32_t i = 0; i < count; ++i) (map.*records)[i].lotag = int16_t(base + i);
}

template <typename Kind, typename Records>
void checkKindFollows(const char* kind, Records Kind::*records, int32_t beforeCount,
                      int32_t afterCount, const MapStore& before, const MapStore& after,
                      int32_t base, bool selectionCleared, Report& r) {
    auto tagAt = [&](int32_t i) { return int32_t((after.*records)[i].lotag) - base; };
    std::vector<int32_t> uses(size_t(beforeCount), 0);
    for (int32_t i = 0; i < afterCount; ++i)
        if (tagAt(i) >= 0 && tagAt(i) < beforeCount) ++uses[size_t(tagAt(i))];
    for (int32_t i = 0; i < afterCount; ++i) {
        const int32_t was = tagAt(i);
        if (was < 0 || was >= beforeCount || uses[size_t(was)] != 1) continue;
        forEachTable<Kind>([&](auto table, TableRole role, const char* name) {
            using Entry = std::remove_cvref_t<decltype((after.*table)[0])>;
            if constexpr (std::is_integral_v<Entry>) {
                if (role != TableRole::Flags) return;
                const int32_t now = (after.*table)[i], then = (before.*table)[was];
                if (now == then || (selectionCleared && now == 0)) return;
                r.add(name, "[", i, "] is ", now, ", but the ", kind, " came from ", was, " with ",
                      then);
            }
        });
    }
}

}  // namespace

void tagObjects(MapStore& map, int32_t base) {
    tagKind(map, &SectorTables::sectors, map.sectorCount, base);
    tagKind(map, &WallTables::walls, map.wallCount, base);
    tagKind(map, &SpriteTables::sprites, map.spriteCount, base);
}

std::vector<std::string> checkTablesFollowObjects(const MapStore& before, const MapStore& after,
                                                  int32_t base, bool selectionCleared) {
    Report r;
    checkKindFollows("sector", &SectorTables::sectors, before.sectorCount, after.sectorCount,
                     before, after, base, selectionCleared, r);
    checkKindFollows("wall", &WallTables::walls, before.wallCount, after.wallCount, before, after,
                     base, selectionCleared, r);
    checkKindFollows("sprite", &SpriteTables::sprites, before.spriteCount, after.spriteCount,
                     before, after, base, selectionCleared, r);
    return r.lines;
}

std::string describeViolations(const std::vector<std::string>& violations) {
    std::string out;
    for (size_t i = 0; i < violations.size() && i < 20; ++i) out += violations[i] + "\n";
    if (violations.size() > 20) out += "... " + std::to_string(violations.size() - 20) + " more\n";
    return out;
}

namespace {

// The names of the tables of the given roles that differ between a and b, whole arrays compared.
template <typename... Roles>
std::string tablesDiffering(const MapContent& a, const MapContent& b, Roles... roles) {
    std::string d;
    forEachObjectTable([&](auto table, TableRole role, const char* name) {
        if (((role == roles) || ...) && !sameArray(a.*table, b.*table))
            d += std::string(name) + " ";
    });
    return d;
}

std::string countsDiffering(const MapContent& a, const MapContent& b) {
    std::string d;
    if (a.sectorCount != b.sectorCount) d += "sectorCount ";
    if (a.wallCount != b.wallCount) d += "wallCount ";
    if (a.spriteCount != b.spriteCount) d += "spriteCount ";
    return d;
}

}  // namespace

std::string recordDifference(const MapStore& a, const MapStore& b) {
    return countsDiffering(a, b) + tablesDiffering(a, b, TableRole::Records);
}

std::string snapshotDifference(const MapStore& a, const MapStore& b) {
    std::string d =
        countsDiffering(a, b) + tablesDiffering(a, b, TableRole::Records, TableRole::Flags);
    if (a.selectedSectorCount != b.selectedSectorCount ||
        a.selectedWallCount != b.selectedWallCount ||
        a.selectedSpriteCount != b.selectedSpriteCount ||
        a.selectedVertexCount != b.selectedVertexCount ||
        a.selectedLoopCount != b.selectedLoopCount)
        d += "selection counts ";
    if (a.mapModified != b.mapModified) d += "mapModified ";
    return d;
}

std::string contentDifference(const MapContent& a, const MapContent& b) {
    std::string d = tablesDiffering(a, b, TableRole::Records, TableRole::Flags, TableRole::Working,
                                    TableRole::MoveMarks, TableRole::Derived);
    if (!(static_cast<const MapScalars&>(a) == static_cast<const MapScalars&>(b)))
        d += "single values ";
    return d;
}

}  // namespace korvel::test
