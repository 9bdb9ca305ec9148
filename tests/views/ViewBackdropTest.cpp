#include "views/ViewBackdrop.h"

#include <gtest/gtest.h>

#include "support/DrawFixtures.h"
#include "support/TileFixtures.h"

namespace korvel::test {
namespace {

// The screen all colour 9, the backdrop all 77; blend(j, k) = 31 j + 17 k + 5 (modulo 256) is
// k laid over j.
struct BackdropRig : DrawRig {
    BackdropRig() {
        installFixtureColours(*colors);  // uiTint: c + 100
        clear(9);
        std::fill(fb->viewBackdrop.begin(), fb->viewBackdrop.end(), uint8_t(77));
    }
    uint8_t backdrop(int32_t x, int32_t y) const {
        return fb->viewBackdrop[size_t(y - kMapViewBottom) * kScreenWidth + size_t(x)];
    }
};

TEST(ViewBackdropTest, TheBlurMixesTheNeighboursInPairsOverThePixel) {
    BackdropRig rig;
    // Around (100, 200): below-left 1, below 2, below-right 3, above 4, left 5, above-left 6,
    // right 7, above-right 8, the pixel 9. By hand: e = M(M(1, 2), M(3, 4)) = M(215, 117) = 23,
    // f = M(M(5, 6), M(7, 8)) = M(19, 177) = 155, g = M(23, 155) = 43, and 43 over 9 is 247,
    // M(a, b) being a laid over b twice.
    rig.px(99, 199) = 1, rig.px(100, 199) = 2, rig.px(101, 199) = 3, rig.px(100, 201) = 4;
    rig.px(99, 200) = 5, rig.px(99, 201) = 6, rig.px(101, 200) = 7, rig.px(101, 201) = 8;
    smoothViewBuffer(*rig.fb, *rig.colors);
    EXPECT_EQ(rig.backdrop(100, 200), 247);
    EXPECT_EQ(rig.backdrop(300, 300), 205);  // all neighbours 9
    EXPECT_TRUE(rig.guardsIntact());
}

TEST(ViewBackdropTest, BeyondTheMapViewTheBlurReadsColourZero) {
    BackdropRig rig;
    smoothViewBuffer(*rig.fb, *rig.colors);
    // The screen holds 9 beyond the view as well; the blur takes 0 there instead.
    EXPECT_EQ(rig.backdrop(0, kMapViewBottom), 182);  // nothing below, nothing to the left
    EXPECT_EQ(rig.backdrop(kScreenRight, kMapViewTop), 235);  // nothing above, nothing right
    EXPECT_EQ(rig.backdrop(400, kMapViewBottom + 1), 205);
}

TEST(ViewBackdropTest, TheTintAndTheClear) {
    BackdropRig rig;
    rig.px(10, kMapViewBottom) = 20;
    rig.px(799, kMapViewTop) = 30;
    copyViewThroughTable(*rig.fb, *rig.colors);
    EXPECT_EQ(rig.backdrop(10, kMapViewBottom), 120);
    EXPECT_EQ(rig.backdrop(799, kMapViewTop), 130);
    EXPECT_EQ(rig.backdrop(400, 300), 109);
    clearViewBuffer(*rig.fb);
    EXPECT_TRUE(std::all_of(rig.fb->viewBackdrop.begin(), rig.fb->viewBackdrop.end(),
                            [](uint8_t v) { return v == 0; }));
}

TEST(ViewBackdropTest, APageChangeClearsBlursTintsOrKeepsTheBackdrop) {
    enum Want { Clear, Blur, Tint, Keep };
    struct Case {
        Page left, entered;
        Want want;
    } cases[] = {
        {Page::GeneralOptions, Page::PlanView, Clear}, {Page::PlanView, Page::SideView, Clear},
        {Page::PlanView, Page::MessageBox, Blur},      {Page::Search, Page::MessageBox, Blur},
        {Page::PlanView, Page::GeneralOptions, Tint},  {Page::SideView, Page::Search, Tint},
        {Page::MessageBox, Page::GeneralOptions, Tint}, {Page::GeneralOptions, Page::Search, Keep},
        {Page::View3D, Page::TilePicker, Keep},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.left) << " to " << int(c.entered));
        BackdropRig rig;
        prepareViewBackdrop(*rig.fb, *rig.colors, c.left, c.entered);
        const uint8_t want[] = {0, 205, 109, 77};
        EXPECT_EQ(rig.backdrop(300, 300), want[c.want]);
    }
}

}  // namespace
}  // namespace korvel::test
