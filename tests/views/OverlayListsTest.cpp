#include "views/OverlayLists.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/DrawFixtures.h"

namespace korvel::test {
namespace {

TEST(OverlayListsTest, FullListsRefuseAndMarkThePreviewDegenerate) {
    auto lists = std::make_unique<OverlayLists>();
    for (int32_t i = 0; i < kOverlayCapacity; ++i) {
        ASSERT_TRUE(appendOverlayLine(*lists, i, 0, 0, 0, OverlayLineKind::Guide));
        ASSERT_TRUE(appendOverlayPoint(*lists, i, 1));
    }
    EXPECT_EQ(lists->toolPreviewDegenerate, 0);
    EXPECT_FALSE(appendOverlayLine(*lists, 1, 2, 3, 4, OverlayLineKind::Outline));
    EXPECT_EQ(lists->toolPreviewDegenerate, 1);
    EXPECT_EQ(lists->overlayLineCount, kOverlayCapacity);
    lists->toolPreviewDegenerate = 0;
    EXPECT_FALSE(appendOverlayPoint(*lists, 1, 2));
    EXPECT_EQ(lists->toolPreviewDegenerate, 1);
    EXPECT_EQ(lists->overlayPoints[kOverlayCapacity - 1].x, kOverlayCapacity - 1);

    resetOverlayLists(*lists);
    EXPECT_EQ(lists->overlayLineCount, 0);
    EXPECT_EQ(lists->overlayPointCount, 0);
    EXPECT_EQ(lists->toolPreviewDegenerate, 0);
    ASSERT_TRUE(appendOverlayLine(*lists, 1, 2, 3, 4, OverlayLineKind::RubberBand));
    EXPECT_EQ(lists->overlayLines[0].y2, 4);
    EXPECT_EQ(lists->overlayLines[0].kind, 2);
}

TEST(OverlayListsTest, ALineWithNegatedYMeetsThePointsOfItsEnds) {
    DrawRig draw;
    auto lists = std::make_unique<OverlayLists>();
    appendOverlayLine(*lists, 10, -20, 30, -40, OverlayLineKind::Outline);
    appendOverlayPoint(*lists, 10, 20);
    appendOverlayPoint(*lists, 30, 40);
    const PlanProjection view(ViewState{0, 0, 1});  // map (0, 0) at column 400, row 300
    drawOverlayListsPlanView(draw.canvas, *lists, view, 9);
    // The points' squares around (410, 280) and (430, 260); the line runs between their centres.
    EXPECT_EQ(draw.px(408, 278), 9);
    EXPECT_EQ(draw.px(432, 262), 9);
    EXPECT_EQ(draw.px(410, 280), 9);
    EXPECT_EQ(draw.px(420, 270), 9);
    EXPECT_EQ(draw.px(430, 260), 9);
    EXPECT_EQ(draw.px(420, 271), 0);
}

TEST(OverlayListsTest, TheKindIsTheDashStep) {
    auto lists = std::make_unique<OverlayLists>();
    appendOverlayLine(*lists, 0, -100, 40, -100, OverlayLineKind::Guide);
    appendOverlayLine(*lists, 0, -110, 40, -110, OverlayLineKind::Outline);
    const PlanProjection view(ViewState{0, 0, 1});
    DrawRig draw;
    drawOverlayListsPlanView(draw.canvas, *lists, view, 9);
    int32_t guide = 0, outline = 0;
    for (int32_t x = 400; x < 440; ++x) {
        guide += draw.px(x, 200) == 9;
        outline += draw.px(x, 190) == 9;
    }
    EXPECT_EQ(guide, 10);
    EXPECT_EQ(outline, 40);
    EXPECT_EQ(draw.px(404, 200), 9);
    EXPECT_EQ(draw.px(405, 200), 0);
}

}  // namespace
}  // namespace korvel::test
