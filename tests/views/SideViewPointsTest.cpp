#include "views/SideViewPoints.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "editing/HoverState.h"
#include "views/Projection.h"
#include "views/ViewState.h"

namespace korvel {
namespace {

TEST(SideViewPoints, PositionsAlongTheLineBecomeMapPoints) {
    struct Case {
        int32_t x1, y1, x2, y2;
        int32_t mousePos, hitPos;
        int32_t mouseX, mouseY, hitX, hitY;
    } const cases[] = {
        {10, 20, 1010, 20, 300, 256, 310, 20, 266, 20},
        {0, 0, 300, 400, 250, 500, 150, 200, 300, 400},  // a 3-4-5 line
        {0, 0, 300, 400, -250, 0, -150, -200, 0, 0},     // before the start
        {100, 100, 0, 100, 1, 3, 99, 100, 97, 100},      // running backwards: floored
        {7, 7, 7, 7, 50, 60, 0, 0, 0, 0},                // no length: nothing to run along
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x1);
        auto owned = std::make_unique<ViewState>();
        ViewState& view = *owned;
        view.sideViewSubjectKind = SideViewSubjectKind::Section;
        view.sideViewX1 = c.x1, view.sideViewY1 = c.y1;
        view.sideViewX2 = c.x2, view.sideViewY2 = c.y2;
        HoverState h;
        h.sideMousePos = c.mousePos;
        h.sideHitPos = c.hitPos;
        mapPointsFromSideView(SideProjection(view), h);
        EXPECT_EQ(h.mouseMapX, c.mouseX);
        EXPECT_EQ(h.mouseMapY, c.mouseY);
        EXPECT_EQ(h.hitPointX, c.hitX);
        EXPECT_EQ(h.hitPointY, c.hitY);
    }
}

}  // namespace
}  // namespace korvel
