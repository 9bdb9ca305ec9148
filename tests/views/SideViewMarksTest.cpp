#include "views/SideViewMarks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/MessageNumbers.h"
#include "base/Random.h"
#include "support/LanguageFixture.h"
#include "support/SideViewRig.h"
#include "views/ViewMarks.h"

namespace korvel {
namespace {

using test::PlanColours;
using test::SideColours;
using test::SideViewRig;

TEST(SideViewMarks, MeasureGivesTheDistanceAndTheDirectionInTurnsOf2048) {
    struct Case {
        float along, heightZ;
        const char* want;
    };
    // Heights are map z: negative is up, and 16 z units make one unit of distance.
    const Case cases[] = {
        {100, 0, "100 units, direction 0"},      {0, -1600, "100 units, direction 1536"},
        {0, 1600, "100 units, direction 512"},   {-100, 0, "100 units, direction 1024"},
        {100, 1600, "141 units, direction 256"}, {100, 800, "111 units, direction 151.1"}};
    SideViewRig r;
    r.langs = test::languageWith({{kMsgMeasure, "&1 units, direction &2"}});
    const SideFrame sf = r.frame();
    for (const Case& c : cases)
        EXPECT_EQ(measureText(sf, c.along, c.heightZ), c.want) << c.along << ", " << c.heightZ;
}

TEST(SideViewMarks, MeasuringLineShowsOnASectionOnly) {
    for (const SideViewSubjectKind kind :
         {SideViewSubjectKind::Section, SideViewSubjectKind::Wall}) {
        SideViewRig r;
        r.view.sideViewSubjectKind = kind;
        r.view.sideViewSubject = -1;
        r.view.measureActive = 1;
        r.view.measureStartPos = 0;
        r.view.measureStartZ = -800;  // row 350
        r.hover.sideHitPos = 100;
        r.hover.hitPointZ = -800;
        r.paint();
        const bool section = kind == SideViewSubjectKind::Section;
        EXPECT_EQ(r.px(450, 350) == SideColours::measure, section);
        EXPECT_EQ(r.px(400, 352) == SideColours::measure, section) << "the start's square";
        EXPECT_TRUE(r.onlyMapViewTouched());
    }
}

// Where pixels of the overlay colour lie.
struct Box {
    int32_t left = 9999, right = -9999, bottom = 9999, top = -9999;
};
Box drawnBox(SideViewRig& r, uint8_t colour) {
    Box b;
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = 0; x < kScreenWidth; ++x)
            if (r.px(x, y) == colour) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.bottom = std::min(b.bottom, y);
                b.top = std::max(b.top, y);
            }
    return b;
}

TEST(SideViewMarks, PointerTextSitsBesideThePointerAndInsideTheView) {
    struct Case {
        const char* name;
        int32_t mouseX, mouseY;
        int32_t x0, y0;  // the text's corner: 5 columns per character, 7 rows
    };
    // "ABCD" is 20 columns wide.
    const Case cases[] = {
        {"left half, lower half: right of and above", 100, 200, 102, 202},
        {"right half, upper half: left of and below", 700, 500, 678, 492},
        {"at the right edge", 799, 200, 777, 202},
        {"at the top: below, inside", 300, 583, 302, 575},
        {"beyond the left edge", -50, 200, 0, 202},
        {"below the view", 100, 20, 102, 128},
        {"above the view", 700, 700, 678, 577},
    };
    for (const Case& c : cases) {
        SideViewRig r;
        r.app.cursorLabel = "ABCD";
        r.input.mouseX = c.mouseX;
        r.input.mouseY = c.mouseY;
        r.paint();
        const Box b = drawnBox(r, PlanColours::toolOverlay);
        ASSERT_LE(b.left, b.right) << c.name;
        EXPECT_GE(b.left, c.x0) << c.name;
        EXPECT_LE(b.right, c.x0 + 20) << c.name;
        EXPECT_GE(b.bottom, c.y0) << c.name;
        EXPECT_LE(b.top, c.y0 + 6) << c.name;
        EXPECT_TRUE(r.onlyMapViewTouched()) << c.name;
    }
    SideViewRig wide;
    wide.app.cursorLabel = std::string(160, 'A');  // 800 columns: not drawn
    wide.paint();
    EXPECT_GT(drawnBox(wide, PlanColours::toolOverlay).left, kScreenRight);
}

TEST(SideViewMarks, SnapMarkStaysOffTheBorderPixels) {
    struct Case {
        int32_t pos, z;  // column pos + 400, row 300 - z / 16
        bool drawn;
    };
    const Case cases[] = {{0, 0, true},      {-400, 0, false}, {399, 0, false},
                          {-399, 0, true},   {398, 0, true},   {0, 2752, false},
                          {0, -4528, false}, {0, 2736, true},  {0, -4512, true}};
    for (const Case& c : cases) {
        SideViewRig r;
        r.settings.snapToGrid = 1;
        r.hover.sideHitPos = c.pos;
        r.hover.hitPointZ = c.z;
        r.paint();
        const int32_t x = r.column(c.pos), y = r.row(c.z);
        const uint8_t centre = SideColours::guideLabel + 4;
        const bool inView = x >= 0 && x <= kScreenRight && y >= kMapViewBottom && y <= kMapViewTop;
        EXPECT_EQ(inView && r.px(x, y) == centre, c.drawn) << c.pos << ", " << c.z;
        if (c.drawn) {
            EXPECT_EQ(r.px(x - 1, y), SideColours::guideLabel);
            EXPECT_EQ(r.px(x, y + 1), SideColours::guideLabel);
        }
        EXPECT_TRUE(r.onlyMapViewTouched());
    }
}

TEST(SideViewMarks, CrosshairTintsItsColumnAndRowOutsideAGap) {
    SideViewRig r;
    test::fillSyntheticBlend(r.colorTables);
    r.input.keyStates[96] = -128;
    r.hover.sideMousePos = 0;
    r.hover.sideMouseZ = 0;  // column 400, row 300
    r.paint();
    const uint8_t tinted = r.colorTables.blendTable[116 * 256 + r.backdrop];
    ASSERT_NE(tinted, r.backdrop);
    struct Probe {
        int32_t x, y;
        bool tint;
    };
    const Probe probes[] = {{400, 308, true},  {400, 307, false}, {400, 292, true},
                            {400, 293, false}, {408, 300, false}, {392, 300, false},
                            {400, 583, true},  {400, 128, true},  {401, 200, false}};
    for (const Probe& p : probes) EXPECT_EQ(r.px(p.x, p.y) == tinted, p.tint) << p.x << ", " << p.y;
    // The row is the horizon's, drawn before; the crosshair tints it beside the gap.
    const uint8_t horizon = r.colorTables.blendTable[116 * 256 + PlanColours::service];
    EXPECT_EQ(r.px(408 + 0, 300), horizon);
    EXPECT_EQ(r.px(407, 300), PlanColours::service);
}

// The random values an area box from a to b draws.
uint32_t stateAfter(uint32_t seed, int32_t draws) {
    Random copy{seed};
    for (int32_t i = 0; i < draws; ++i) randomSingle(copy);
    return copy.randomState;
}

TEST(SideViewMarks, AreaBoxDrawsOneRandomValuePerPositionAlongEachEdgePair) {
    struct Case {
        const char* name;
        int32_t ax, ay, bx, by;
        int32_t draws;
    };
    const Case cases[] = {
        {"inside the view", 100, 200, 110, 205, 11 + 6},
        {"one column wide", 100, 200, 101, 260, 2 + 61},
        {"partly outside", -50, 200, 10, 700, 11 + 384},
        {"a row outside the view still draws", 100, 20, 110, 25, 11},
        {"no size", 100, 200, 100, 200, 0},
    };
    for (const Case& c : cases) {
        SideViewRig r;
        test::fillSyntheticBlend(r.colorTables);
        r.paint();
        r.random.randomState = 12345;
        const SideFrame sf = r.frame();
        drawAreaSelectBox(sf.cv, r.random, c.ax, c.ay, c.bx, c.by);
        EXPECT_EQ(r.random.randomState, stateAfter(12345, c.draws)) << c.name;
        EXPECT_TRUE(r.onlyMapViewTouched()) << c.name;
    }

    // A box one pixel wide has its two edges and no tinted inside; a wider one is tinted.
    SideViewRig r;
    test::fillSyntheticBlend(r.colorTables);
    const uint8_t inside = r.colorTables.blendTable[53 * 256 + r.backdrop];
    r.paint();
    SideFrame sf = r.frame();
    drawAreaSelectBox(sf.cv, r.random, 100, 200, 101, 260);
    drawAreaSelectBox(sf.cv, r.random, 300, 200, 310, 260);
    EXPECT_NE(r.px(100, 230), r.backdrop);
    EXPECT_NE(r.px(101, 230), r.backdrop);
    EXPECT_NE(r.px(100, 230), inside);
    EXPECT_EQ(r.px(305, 230), inside);
}

TEST(SideViewMarks, TwoRunsFromOneSeedPaintTheSameFrames) {
    std::vector<std::vector<uint8_t>> runs;
    for (int32_t run = 0; run < 2; ++run) {
        SideViewRig r;
        r.random.randomState = 777;
        r.build.addRoom(0, 0, 100, 100);
        r.viewSection(-50, 50, 150, 50);
        r.dispatch.areaSelectLatch = 1;
        r.dispatch.areaAnchorX = 10;
        r.dispatch.areaAnchorY = -200;
        r.hover.sideHitPos = 90;
        r.hover.hitPointZ = -1000;
        std::vector<uint8_t> frames;
        for (int32_t f = 0; f < 3; ++f) {
            r.paint(f * 16, f);
            frames.insert(frames.end(), r.frameBuffer.screen.begin(), r.frameBuffer.screen.end());
        }
        runs.push_back(frames);
        EXPECT_NE(r.random.randomState, 777u) << "the box draws from the generator";
    }
    EXPECT_EQ(runs[0], runs[1]);
}

}  // namespace
}  // namespace korvel
