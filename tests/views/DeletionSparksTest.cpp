#include "views/DeletionSparks.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvel::test {
namespace {

TEST(DeletionSparksTest, PointsLandOnTheViewTheirTransformGivesInsideTheMapArea) {
    ViewState view;  // plan view: origin 0, 16 units per pixel
    view.sideViewSubjectKind = SideViewSubjectKind::Wall;
    view.sideViewX2 = 1000;
    view.sideViewScale = 4;
    view.sideViewOriginX = -800;
    struct Case {
        bool side;
        int32_t x, y, z;
        std::optional<int32_t> sx, sy;
    } const cases[] = {
        {false, 160, -1600, 0, 410, 400},          // (160 / 16 + 400, 1600 / 16 + 300)
        {false, 160, 10000, 0, std::nullopt, {}},  // below the map area
        {false, -6400, 0, 0, 0, 300},              // the first column
        {false, 6400, 0, 0, std::nullopt, {}},     // one past the last
        {true, 300, 50, -1600, 275, 325},          // along the section line
        {true, 300, 50, 16 * 4 * 200, std::nullopt, {}},
    };
    for (const Case& c : cases) {
        const auto p =
            c.side ? sideSparkPoint(view, c.x, c.y, c.z) : planSparkPoint(view, c.x, c.y);
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << "," << c.z);
        ASSERT_EQ(p.has_value(), c.sx.has_value());
        if (!p) continue;
        EXPECT_EQ(p->x, *c.sx);
        EXPECT_EQ(p->y, *c.sy);
    }
    // A point subject puts every sprite on the centre column.
    view.sideViewSubjectKind = SideViewSubjectKind::Point;
    EXPECT_EQ(sideSparkPoint(view, 300, 50, 0)->x, 400);
}

TEST(DeletionSparksTest, AWallGetsASparkPerSixPixelsUpToTheCap) {
    ViewState view;
    struct Case {
        float zoom;
        int32_t x2;
        size_t sparks;
    } const cases[] = {{16, 960, 11}, {16, 0, 1}, {1, 1 << 30, 1025}};
    for (const Case& c : cases) {
        view.viewZoom = c.zoom;
        std::vector<SparkPoint> points;
        forEachWallSpark(view, 0, 0, c.x2, 0, [&](SparkPoint p) { points.push_back(p); });
        ASSERT_EQ(points.size(), c.sparks) << c.x2;
        EXPECT_EQ(points[0].x, 400);
        EXPECT_EQ(points[0].y, 300);
    }
    // From the first end towards the second, rounded to the nearest pixel.
    view.viewZoom = 16;
    std::vector<SparkPoint> points;
    forEachWallSpark(view, 0, 0, 960, 0, [&](SparkPoint p) { points.push_back(p); });
    EXPECT_EQ(points[1].x, 405);
    EXPECT_EQ(points[10].x, 455);
}

}  // namespace
}  // namespace korvel::test
