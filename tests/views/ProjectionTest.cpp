#include "views/Projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvel::test {
namespace {

TEST(ProjectionTest, PlanPointsLandWhereTheStoredViewPutsThem) {
    struct Case {
        float zoom, originX, originY;
        double x, y;
        int32_t column, row;
    } cases[] = {
        {1, 0, 0, 0, 0, 400, 300},
        {1, 0, 0, 100, 50, 500, 250},
        {2, -20, 10, 100, 50, 440, 280},
        {0.5f, 100, -100, -50, -20, 500, 140},
        {4, 0, 0, -3, 3, 399, 299},  // floors, not truncation, on both axes
        {16, -4000, 4000, 4000, 4000, 400, 300},
    };
    for (const Case& c : cases) {
        const PlanProjection view(ViewState{c.originX, c.originY, c.zoom});
        SCOPED_TRACE(::testing::Message() << c.zoom << " " << c.x << "," << c.y);
        EXPECT_EQ(view.column(c.x), c.column);
        EXPECT_EQ(view.row(c.y), c.row);
        EXPECT_EQ(view.centredColumn(c.x), c.column);
        EXPECT_EQ(view.centredRow(c.y), c.row);
        // And back, to within a pixel's worth of map units.
        EXPECT_NEAR(view.mapX(c.column), c.x, c.zoom);
        EXPECT_NEAR(-view.negatedMapY(c.row), c.y, c.zoom);
    }
}

// Far from the map origin the forms part by a pixel: the painters move the origin to the corner
// in single precision, sparks floor the distance from the centre. Both stay as they were.
TEST(ProjectionTest, EachFormKeepsItsOwnRounding) {
    struct Case {
        float zoom, originX;
        double x;
        int32_t painted, centred;
    } cases[] = {
        {0x1.ac475ep-4f, 0x1.2c810cp+16f, -76928, 409, 410},
        {0x1.545a1ep-2f, -0x1.8461fp+17f, 198924, 617, 616},
        {0x1.cb3f88p-4f, -0x1.06669p+16f, 67174, 395, 394},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        const PlanProjection view(ViewState{c.originX, c.originX, c.zoom});
        EXPECT_EQ(view.cornerX, double(c.originX + c.zoom * 400.0f));
        EXPECT_EQ(view.column(c.x), c.painted);
        EXPECT_EQ(view.centredColumn(c.x), c.centred);
        // Rows mirror columns: y = -x with originY = originX.
        EXPECT_EQ(view.centredRow(-c.x), c.centred - 100);
    }
    // The nearest pixel rounds after the centre is added; the double form adds it in map units.
    const PlanProjection view(ViewState{0.25f, 0.25f, 0.5f});
    EXPECT_EQ(view.nearestColumn(0), 401);  // 0.5 + 400 + 0.5
    EXPECT_EQ(view.nearestRow(0.5), 300);   // -0.5 + 300 + 0.5
    EXPECT_DOUBLE_EQ(view.screenX(10), 420.5);
    EXPECT_DOUBLE_EQ(view.screenY(10), 280.5);
    EXPECT_DOUBLE_EQ(view.pixels(12), 24);
}

TEST(ProjectionTest, ABrokenViewGivesPixelZeroNotAFault) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const ViewState& v : {ViewState{nan, nan, 1}, ViewState{0, 0, 0}, ViewState{inf, -inf, 1},
                               ViewState{3e38f, 3e38f, 1e-30f}}) {
        const PlanProjection view(v);
        EXPECT_EQ(view.column(5), 0);
        EXPECT_EQ(view.row(5), 0);
        EXPECT_EQ(view.centredColumn(5), 400);
        EXPECT_EQ(view.centredRow(5), 300);
    }
}

TEST(ProjectionTest, SideColumnsRunAlongTheSectionLine) {
    ViewState v;
    v.sideViewX1 = 0;
    v.sideViewY1 = 0;
    v.sideViewX2 = 1000;
    v.sideViewY2 = 0;
    v.sideViewScale = 2;
    v.sideViewOriginX = -500;
    v.sideViewOriginZ = 100;
    struct Case {
        SideViewSubjectKind kind;
        int32_t x, y, column;
    } cases[] = {
        {SideViewSubjectKind::Wall, 300, 50, 300},  // about 301 along
        {SideViewSubjectKind::Section, 1000, 0, 650},
        {SideViewSubjectKind::Section, -200, 0, 150},  // behind the start counts as the start
        {SideViewSubjectKind::Point, 300, 50, 400},    // one column for a point or a sprite
        {SideViewSubjectKind::Sprite, 1000, 0, 400},
    };
    for (const Case& c : cases) {
        v.sideViewSubjectKind = c.kind;
        const SideProjection view(v);
        SCOPED_TRACE(::testing::Message() << int(c.kind) << " " << c.x << "," << c.y);
        EXPECT_EQ(view.pointColumn(c.x, c.y), c.column);
    }
    const SideProjection view(v);
    // Heights: 16 units a pixel at scale 1, up the screen.
    EXPECT_EQ(view.centredRow(0), 350);
    EXPECT_EQ(view.centredRow(-3200), 450);
    EXPECT_EQ(view.centredRow(1), 349);  // floors
}

}  // namespace
}  // namespace korvel::test
