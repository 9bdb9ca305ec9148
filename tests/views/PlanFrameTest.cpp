#include "views/PlanFrame.h"

#include <gtest/gtest.h>

#include "support/PlanViewRig.h"

namespace korvel::test {
namespace {

TEST(PlanFrameTest, LabelBoxesAreCutAtTheSidesOfTheMapView) {
    struct Case {
        const char* name;
        int32_t ax, ay;
        const char* text;
        int32_t left, right;  // box columns in its top row; left > right: no box
        int32_t rows;         // box rows inside the map view
        bool ink;             // any text pixel
    } cases[] = {
        {"inside", 400, 300, "2,7", 393, 408, 8, true},
        {"cut on the left", 2, 300, "12345", 0, 15, 8, true},
        {"cut on the right", 795, 300, "123", 788, 799, 8, true},
        {"starting at 799", 801, 300, "12", 796, 799, 8, true},
        {"starting at 800: nothing", 807, 300, "1", 1, 0, 0, false},
        {"empty text: nothing", 400, 300, "", 1, 0, 0, false},
        {"cut at the bottom row", 400, 130, "2,7", 393, 408, 6, true},
        {"far away", -2000000000, 300, "1", 1, 0, 0, false},
    };
    for (const Case& c : cases) {
        PlanViewRig rig;
        rig.paint();
        const PlanFrame pf = rig.frame();
        drawLabelBox(pf, c.text, c.ax, c.ay, 9);
        SCOPED_TRACE(c.name);
        int32_t left = 800, right = -1, rows = 0, ink = 0;
        for (int32_t y = kMapViewBottom; y <= kMapViewTop; ++y) {
            bool boxRow = false;
            for (int32_t x = 0; x < 800; ++x) {
                if (rig.px(x, y) == 9) boxRow = true;
                if (rig.px(x, y) == 0) ++ink;
                if (y == c.ay + 3 && rig.px(x, y) == 9) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
            rows += boxRow;
        }
        if (c.left <= c.right) {
            EXPECT_EQ(left, c.left);
            EXPECT_EQ(right, c.right);
        } else {
            EXPECT_EQ(right, -1);
        }
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(ink > 0, c.ink);
        EXPECT_TRUE(rig.onlyMapViewTouched());
    }
}

}  // namespace
}  // namespace korvel::test
