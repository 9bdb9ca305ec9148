#include "views/SideViewSlices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "map/GeometryQueries.h"
#include "support/MapBuilder.h"
#include "support/RandomMaps.h"
#include "views/ViewState.h"

namespace korvel {
namespace {

using test::MapBuilder;

struct Scene {
    std::unique_ptr<MapStore> ownedMap = std::make_unique<MapStore>();
    std::unique_ptr<ViewState> ownedView = std::make_unique<ViewState>();
    MapStore& map = *ownedMap;
    ViewState& view = *ownedView;
    MapBuilder build{map};

    void section(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        view.sideViewSubjectKind = SideViewSubjectKind::Section;
        view.sideViewX1 = x1, view.sideViewY1 = y1, view.sideViewX2 = x2, view.sideViewY2 = y2;
        buildSideViewSlices(map, view);
    }
    std::vector<SectionSlice> slices() const {
        return {view.sectionSlices.data(), view.sectionSlices.data() + view.sectionSliceCount};
    }
};

// The spans as "sector:start-end walls a/b" for readable failures.
std::string spans(const Scene& s) {
    std::string out;
    for (const SectionSlice& sl : s.slices())
        out += std::to_string(sl.sector) + ":" + std::to_string(sl.startPos) + "-" +
               std::to_string(sl.endPos) + " walls " + std::to_string(sl.startWall) + "/" +
               std::to_string(sl.endWall) + "; ";
    return out;
}

TEST(SideViewSlices, SpansOfSectionLinesByCase) {
    struct Case {
        const char* name;
        std::vector<std::vector<IntPoint>> sectors;
        IntPoint from, to;
        std::string want;
    };
    const std::vector<IntPoint> room = test::rect(0, 0, 100, 100);
    const std::vector<IntPoint> ell = {{0, 0},     {200, 0},   {200, 100},
                                       {100, 100}, {100, 200}, {0, 200}};
    const Case cases[] = {
        // Through two corners: each vertex counts once, for the wall that starts there.
        {"diagonal through two corners", {room}, {-50, -50}, {150, 150}, "0:70-212 walls 0/2; "},
        // From inside one room into its neighbour across the shared wall.
        {"from one room into the next",
         {room, test::rect(100, 0, 200, 100)},
         {10, 50},
         {190, 53},
         "0:0-90 walls -1/1; 1:90-180 walls 7/-1; "},
        // Touching the inner corner of an L from inside: one span, also when the corner is
        // the last wall met before the line's end.
        {"touching an inner corner", {ell}, {50, 150}, {150, 50}, "0:0-141 walls -1/-1; "},
        {"touching an inner corner, then leaving",
         {ell},
         {50, 150},
         {250, -50},
         "0:0-212 walls -1/1; "},
        {"outside every sector", {room}, {200, 200}, {300, 250}, ""},
        {"entering and leaving", {room}, {-20, 50}, {120, 50}, "0:20-120 walls 3/1; "},
    };
    for (const Case& c : cases) {
        Scene s;
        for (const auto& poly : c.sectors) s.build.addSector(poly);
        s.build.link();
        s.section(c.from.x, c.from.y, c.to.x, c.to.y);
        EXPECT_EQ(spans(s), c.want) << c.name;
    }
}

TEST(SideViewSlices, EndsCarryTheirPointsAndHeights) {
    Scene s;
    s.build.addRoom(0, 0, 100, 100);
    s.build.addRoom(100, 0, 200, 100);
    s.build.link();
    s.map.sectors[0].floorz = 4096;
    s.map.sectors[1].ceilingz = -8192;
    s.section(10, 50, 190, 53);
    ASSERT_EQ(s.view.sectionSliceCount, 2);
    const SectionSlice& a = s.view.sectionSlices[0];
    const SectionSlice& b = s.view.sectionSlices[1];
    EXPECT_EQ(a.startPointX, 10);
    EXPECT_EQ(a.startPointY, 50);
    EXPECT_EQ(a.floorZStart, 4096);
    EXPECT_EQ(a.floorZEnd, 4096);
    EXPECT_EQ(b.endPointX, 190);
    EXPECT_EQ(b.endPointY, 53);
    EXPECT_EQ(b.endPos, 180) << "the floored length of the line";
    EXPECT_EQ(b.ceilingZStart, -8192);
    EXPECT_EQ(a.endPointX, 100) << "the crossing of the shared wall";
    EXPECT_EQ(b.startPointX, a.endPointX);
    EXPECT_EQ(b.startPointY, a.endPointY);

    // A height edit reaches the slices without a rebuild; positions and walls stay.
    s.map.sectors[0].floorz = 2048;
    refreshSliceHeights(s.map, s.view);
    EXPECT_EQ(a.floorZStart, 2048);
    EXPECT_EQ(a.floorZEnd, 2048);
    EXPECT_EQ(a.endPos, 90);
}

TEST(SideViewSlices, SpritesShownAlongALineAndInAColumn) {
    struct Case {
        const char* name;
        SideViewSubjectKind kind;
        IntPoint from, to, sprite;
        bool shown;
    };
    using K = SideViewSubjectKind;
    const Case cases[] = {
        {"1.9 units off the line", K::Section, {0, 0}, {1000, 1}, {100, 2}, true},
        {"2.0 units off the line", K::Section, {0, 0}, {1000, 0}, {500, 2}, false},
        {"on the line, one past its end", K::Wall, {0, 0}, {1000, 0}, {1001, 0}, true},
        {"on the line, two past its end", K::Wall, {0, 0}, {1000, 0}, {1002, 0}, false},
        {"on the line, two before its start", K::Wall, {0, 0}, {1000, 0}, {-2, 0}, false},
        {"at the viewed point", K::Point, {50, 50}, {0, 0}, {50, 50}, true},
        {"one unit beside the viewed point", K::Sprite, {50, 50}, {0, 0}, {50, 51}, false},
    };
    for (const Case& c : cases) {
        Scene s;
        s.build.addRoom(-100, -100, 1100, 100);
        s.build.addSprite(c.sprite.x, c.sprite.y, 0, 0);
        s.view.sideViewSubjectKind = c.kind;
        s.view.sideViewX1 = c.from.x, s.view.sideViewY1 = c.from.y;
        s.view.sideViewX2 = c.to.x, s.view.sideViewY2 = c.to.y;
        buildSideViewSlices(s.map, s.view);
        EXPECT_EQ(s.view.sideViewSprites[0], c.shown ? 1 : 0) << c.name;
    }
}

TEST(SideViewSlices, APointPicksEveryStackedSectorHoldingIt) {
    Scene s;
    s.build.addRoom(0, 0, 100, 100);
    s.build.addRoom(0, 0, 100, 100);  // stacked on the first
    s.build.addRoom(200, 0, 300, 100);
    s.view.sideViewSubjectKind = SideViewSubjectKind::Point;
    s.view.sideViewX1 = 50, s.view.sideViewY1 = 50;
    s.view.sectionSliceCount = 7;  // left from an earlier section
    buildSideViewSlices(s.map, s.view);
    EXPECT_EQ(s.view.pickedSectors[0], 1);
    EXPECT_EQ(s.view.pickedSectors[1], 1);
    EXPECT_EQ(s.view.pickedSectors[2], 0);
    EXPECT_EQ(s.view.sectionSliceCount, 7) << "only a section rebuilds the slices";
}

// Random scenes: grids of rooms, holes with islands, concave stars, and random lines. Away
// from walls and slice ends a point of the line lies in a slice of d exactly when it lies in d.
TEST(SideViewSlices, SlicesAgreeWithPointInSectorOnRandomScenes) {
    std::mt19937 rng(2024);
    int32_t checkedPoints = 0;
    Scene s;
    for (int32_t scene = 0; scene < 300; ++scene) {
        clearMapRecords(s.map);
        resetMapState(s.map);
        test::buildRandomMap(s.map, rng);
        if (rng() % 2 == 0) {
            // A concave star around a random centre.
            const int32_t cx = int32_t(rng() % 1200) - 200, cy = int32_t(rng() % 1200) - 200;
            const int32_t points = 5 + int32_t(rng() % 4);
            std::vector<IntPoint> star;
            for (int32_t k = 0; k < 2 * points; ++k) {
                const double a = k * 3.141592653589793 / points;
                const double r = k % 2 == 0 ? 300 + rng() % 100 : 80 + rng() % 60;
                star.push_back({cx + int32_t(std::lround(r * std::cos(a))),
                                cy + int32_t(std::lround(r * std::sin(a)))});
            }
            s.build.addSector(star);
            s.build.link();
        }
        const auto coord = [&] { return int32_t(rng() % 2400) - 700; };
        const int32_t x1 = coord(), y1 = coord(), x2 = coord(), y2 = coord();
        if (x1 == x2 && y1 == y2) continue;
        s.section(x1, y1, x2, y2);

        const std::vector<SectionSlice> sl = s.slices();
        for (size_t i = 1; i < sl.size(); ++i) {
            ASSERT_LE(sl[i - 1].sector, sl[i].sector) << "scene " << scene;
            if (sl[i - 1].sector == sl[i].sector)
                ASSERT_LE(sl[i - 1].endPos, sl[i].startPos)
                    << "scene " << scene << ": " << spans(s);
        }
        for (const SectionSlice& a : sl) ASSERT_LE(a.startPos, a.endPos) << "scene " << scene;

        const double length = std::hypot(double(x2 - x1), double(y2 - y1));
        for (double p = 0; p <= length; p += 4) {
            const double px = x1 + (x2 - x1) * p / length, py = y1 + (y2 - y1) * p / length;
            bool nearEdge = false;
            for (int32_t w = 0; w < s.map.wallCount && !nearEdge; ++w) {
                const WallRecord& a = s.map.walls[w];
                const WallRecord& b = s.map.walls[a.point2];
                nearEdge = std::hypot(px - a.x, py - a.y) <= 2 ||
                           distToSegment(a.x, a.y, b.x, b.y, px, py) <= 2;
            }
            for (const SectionSlice& a : sl)
                nearEdge =
                    nearEdge || std::fabs(p - a.startPos) <= 2 || std::fabs(p - a.endPos) <= 2;
            if (nearEdge) continue;
            for (int32_t d = 0; d < s.map.sectorCount; ++d) {
                const bool inSlice = std::any_of(sl.begin(), sl.end(), [&](const SectionSlice& a) {
                    return a.sector == d && a.startPos <= p && p <= a.endPos;
                });
                ASSERT_EQ(inSlice, isPointInSector(s.map, px, py, d) == 2)
                    << "scene " << scene << ", sector " << d << ", position " << p << ", line ("
                    << x1 << ", " << y1 << ")-(" << x2 << ", " << y2 << "): " << spans(s);
                ++checkedPoints;
            }
        }
    }
    EXPECT_GT(checkedPoints, 10000);
}

// Hostile records: damaged wall ranges and rings give no crossings from the bad parts, and a
// list that would pass its capacity keeps its first slices.
TEST(SideViewSlices, DamagedSectorsAndTooManySpansStayInBounds) {
    Scene s;
    // A sawtooth of 32 teeth crossed 64 times, and 4095 sectors naming the same walls.
    std::vector<IntPoint> saw = {{0, 0}, {640, 0}};
    for (int32_t k = 32; k > 0; --k) {
        saw.push_back({k * 20, 100});
        saw.push_back({k * 20 - 10, 10});
    }
    s.build.addSector(saw);
    const SectorRecord first = s.map.sectors[0];
    s.map.sectorCount = kMaxSectors;
    for (int32_t d = 1; d < kMaxSectors; ++d) s.map.sectors[d] = first;
    s.map.sectors[7].wallptr = -5;     // before the walls
    s.map.sectors[8].wallnum = 30000;  // past them
    s.map.sectors[9].wallnum = -3;     // negative
    s.map.walls[5].point2 = 32000;     // a ring leading nowhere
    s.section(-5, 50, 700, 51);
    EXPECT_EQ(s.view.sectionSliceCount, kMaxSectionSlices);
    for (int32_t i = 0; i < s.view.sectionSliceCount; ++i) {
        const int32_t d = s.view.sectionSlices[i].sector;
        ASSERT_TRUE(d != 7 && d != 8 && d != 9) << "slice " << i;
    }
}

}  // namespace
}  // namespace korvel
