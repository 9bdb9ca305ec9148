// The profile editor's painter: counters, grid lines for a pan and zoom, the fill of sloped
// segments, handle highlights, the pan thumbs, and states no mouse would leave behind.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "pages/ProfileEditor.h"
#include "support/DrawFixtures.h"
#include "support/LanguageFixture.h"
#include "ui/Fonts.h"
#include "ui/Skin.h"
#include "ui/Text.h"

namespace korvel {
namespace {

constexpr uint8_t kClear = 3;

struct ProfileRig {
    test::DrawRig draw;
    Fonts fonts;
    Languages langs = test::languageWith({{1139, "S&1"}, {1140, "W&1"}, {1144, "Sel&1"}});
    Skin skin;
    std::unique_ptr<ProfileEditorState> p = std::make_unique<ProfileEditorState>();
    int32_t gridSpacing = 1 << 30;  // no grid lines in the pane unless a case asks
    int32_t hoveredWidget = 0;

    ProfileRig() { p->profileZoom = 1; }
    void paint() {
        draw.clear(kClear);
        paintProfileEditor({draw.canvas, fonts, langs, skin, gridSpacing, hoveredWidget}, *p);
    }
    uint8_t at(int32_t x, int32_t y) { return draw.px(x, y); }
    void segment(int32_t k, ContourSegment s) {
        p->contour[size_t(k)] = s;
        p->contourCount = std::max(p->contourCount, k + 1);
    }
    // Whether colour c appears within 4 pixels of (x, y).
    bool near(int32_t x, int32_t y, uint8_t c) {
        for (int32_t dy = -4; dy <= 4; ++dy)
            for (int32_t dx = -4; dx <= 4; ++dx)
                if (at(x + dx, y + dy) == c) return true;
        return false;
    }
    uint8_t blended(int32_t colour) { return draw.colors->blendTable[size_t(colour) * 256 + kClear]; }
};

TEST(ProfileEditorPainter, GridLinesCrossTheMultiplesOfTheStep) {
    struct Probe {
        int32_t x, y;
        uint8_t colour;
    };
    struct Case {
        int32_t zoom, spacing, panX, panY;
        std::vector<Probe> probes;
    };
    constexpr uint8_t G = 79, A = 75, C = kClear;
    const Case cases[] = {
        // Every 32 columns and rows from the axes.
        {16, 512, 0, 0,
         {{360, 460, G}, {424, 460, G}, {328, 460, G}, {361, 460, C}, {423, 460, C},
          {700, 443, G}, {700, 379, G}, {700, 444, C}, {392, 460, A}, {700, 411, A}}},
        {16, 512, 5, -3,
         {{355, 460, G}, {419, 460, G}, {360, 460, C}, {356, 460, C}, {700, 446, G},
          {700, 382, G}, {700, 443, C}, {387, 460, A}, {700, 414, A}}},
        // Zooms below 1 count as 1.
        {0, 100, 0, 0, {{292, 460, G}, {492, 460, G}, {293, 460, C}, {700, 311, G}, {700, 312, C}}},
        {-5, 100, 0, 0, {{292, 460, G}, {492, 460, G}, {293, 460, C}, {700, 511, G}, {700, 510, C}}},
        // Map positions beyond 32 bits: each column but the one after the axis crosses a step.
        {70000, 70001, 0, 0, {{394, 460, G}, {100, 460, G}, {393, 412, C}, {393, 460, G}}},
        {1 << 30, INT32_MAX, 2048, 2048, {}},
    };
    ProfileRig r;
    for (const Case& c : cases) {
        r.p->profileZoom = c.zoom, r.gridSpacing = c.spacing;
        r.p->profilePanX = c.panX, r.p->profilePanY = c.panY;
        r.paint();
        for (const Probe& pr : c.probes)
            EXPECT_EQ(r.at(pr.x, pr.y), pr.colour)
                << c.zoom << "/" << c.spacing << " at (" << pr.x << ", " << pr.y << ")";
    }
    // A zoom of a whole step or more, or a step of 0 or less, fills the pane.
    for (auto [zoom, spacing] : {std::pair{512, 512}, {16, 0}, {16, -64}, {0, 1}}) {
        r.p->profileZoom = zoom, r.gridSpacing = spacing;
        r.p->profilePanX = r.p->profilePanY = 0;
        r.paint();
        EXPECT_EQ(r.at(10, 305), 79) << zoom << "/" << spacing;
        EXPECT_EQ(r.at(774, 518), 79) << zoom << "/" << spacing;
        EXPECT_EQ(r.at(9, 305), kClear);
        EXPECT_EQ(r.at(10, 304), kClear);
        EXPECT_EQ(r.at(775, 518), kClear);
        EXPECT_EQ(r.at(774, 519), kClear);
    }
}

TEST(ProfileEditorPainter, SegmentsFillBetweenTheirEdges) {
    struct Probe {
        int32_t x, y;
        bool filled;
    };
    struct Case {
        const char* what;
        ContourSegment s;
        bool selected;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        // x 0..100 is column 392..492; z 0 row 411, -1600 row 511, 1600 row 311.
        {"rising floor", {0, 0, -1600, 100, 1600, -1600}, false,
         {{417, 385, false}, {417, 387, true}, {417, 510, true}, {417, 512, false},
          {480, 330, true}, {493, 400, false}, {391, 450, false}}},
        // A step of -99 x 4096 / 100, truncated: the fill starts at row 361 in column 442.
        {"uneven slope", {0, 0, -1600, 100, 1584, -1600}, true,
         {{442, 360, false}, {442, 363, true}, {442, 500, true}}},
        {"zA above zB", {0, -1600, 0, 100, -1600, 0}, false, {{417, 450, false}}},
        {"equal ends", {100, 0, -1600, 100, 1600, -1600}, false, {{493, 450, false}}},
        {"ends swapped", {100, 0, -1600, 0, 0, -1600}, false, {{417, 450, false}}},
        // Reaching far out of the pane: only the pane's part is filled.
        {"huge", {INT32_MIN, 0, -1600, INT32_MAX, 0, -1600}, false,
         {{10, 450, true}, {774, 450, true}, {9, 450, false}, {775, 450, false}}},
    };
    for (const Case& c : cases) {
        ProfileRig r;
        r.segment(0, c.s);
        r.p->contourSelected = c.selected ? 0 : -1;
        r.paint();
        const uint8_t fill = r.blended(c.selected ? 32 : 28);
        for (const Probe& pr : c.probes)
            if (pr.filled)
                EXPECT_EQ(r.at(pr.x, pr.y), fill) << c.what << " (" << pr.x << ", " << pr.y << ")";
            else
                EXPECT_NE(r.at(pr.x, pr.y), fill) << c.what << " (" << pr.x << ", " << pr.y << ")";
    }
    // Equal and swapped ends are still outlined: the edges in colour 5.
    ProfileRig r;
    r.segment(0, {100, 0, -1600, 100, 1600, -1600});
    r.segment(1, {-100, 0, -1600, -200, 0, -1600});
    r.paint();
    EXPECT_EQ(r.at(492, 450), 5);
    EXPECT_EQ(r.at(292, 450), 5);
    EXPECT_EQ(r.at(192, 450), 5);
}

TEST(ProfileEditorPainter, SegmentsOnTheSamePixelsAreEachBlendedAndOutlinedInTurn) {
    // A rises from row 411 to 311 over columns 392..492, its bottom at row 511; B shares A's
    // left edge, and its lower left corner marker (colour 0) lies on that edge at (392, 463).
    const ContourSegment a{0, 0, -1600, 100, 1600, -1600};
    const ContourSegment b{0, 0, -800, 100, 0, -800};
    ProfileRig blends;
    const auto blend = [&](int32_t colour, uint8_t under) {
        return blends.draw.colors->blendTable[size_t(colour) * 256 + under];
    };
    struct Case {
        const char* what;
        std::vector<ContourSegment> segments;
        int32_t selected;
        uint8_t fillAt480x330, edgeAt392x463;
    };
    const Case cases[] = {
        {"three alike", {a, a, a}, -1, blend(28, blend(28, blend(28, kClear))), 5},
        {"the middle one selected", {a, a, a}, 1, blend(28, blend(32, blend(28, kClear))), 5},
        {"A after B", {a, b, a}, -1, blend(28, blend(28, kClear)), 5},
        {"B last", {a, a, b}, -1, blend(28, blend(28, kClear)), 0},
    };
    for (const Case& c : cases) {
        ProfileRig r;
        for (size_t k = 0; k < c.segments.size(); ++k) r.segment(int32_t(k), c.segments[k]);
        r.p->contourSelected = c.selected;
        r.p->profileNearSlice = r.p->profileDragSlice = -1;
        r.paint();
        EXPECT_EQ(r.at(480, 330), c.fillAt480x330) << c.what;
        EXPECT_EQ(r.at(392, 463), c.edgeAt392x463) << c.what;
    }
}

TEST(ProfileEditorPainter, HoveredThenDraggedHandleIsHighlighted) {
    struct Case {
        int32_t nearSlice, nearHandle, dragSlice, dragHandle;
        bool hoverAtCorner, dragAtCorner, dragAtOther;
    };
    const Case cases[] = {
        {0, 4, 0, 5, true, false, true},
        {0, 4, 0, 4, false, true, false},  // both: the drag colour wins
        {9999, 4, 9999, 5, false, false, false},
        {0, 9999, -1, -1, false, false, false},
    };
    for (const Case& c : cases) {
        ProfileRig r;
        r.segment(0, {-100, 0, -1600, 100, 0, -1600});
        r.p->profileNearSlice = c.nearSlice, r.p->profileNearHandle = c.nearHandle;
        r.p->profileDragSlice = c.dragSlice, r.p->profileDragHandle = c.dragHandle;
        r.paint();
        // Handle 4 is the left zA corner at (292, 411), handle 5 the left zB corner (292, 511).
        EXPECT_EQ(r.near(292, 411, 68), c.hoverAtCorner) << &c - cases;
        EXPECT_EQ(r.near(292, 411, 8), c.dragAtCorner) << &c - cases;
        EXPECT_EQ(r.near(292, 511, 8), c.dragAtOther) << &c - cases;
        EXPECT_EQ(r.near(492, 411, 0), true) << &c - cases;  // an untouched corner
    }
}

TEST(ProfileEditorPainter, PanThumbsSitAlongTheirTracks) {
    struct Case {
        int32_t pan;
        int32_t left, right;   // horizontal thumb columns
        int32_t bottom, top;   // vertical thumb rows
    };
    const Case cases[] = {
        {-2048, 23, 160, 318, 327},
        {2048, 624, 761, 496, 505},
        {0, 323, 460, 407, 416},
        {INT32_MIN, 23, 160, 318, 327},
        {INT32_MAX, 624, 761, 496, 505},
    };
    for (const Case& c : cases) {
        ProfileRig r;
        r.p->profilePanX = r.p->profilePanY = c.pan;
        r.paint();
        EXPECT_NE(r.at(c.left, 295), kClear) << c.pan;
        EXPECT_NE(r.at(c.right, 295), kClear) << c.pan;
        EXPECT_EQ(r.at(c.left - 1, 295), kClear) << c.pan;
        EXPECT_EQ(r.at(c.right + 1, 295), kClear) << c.pan;
        EXPECT_EQ(r.at(c.left + 60, 295), 78) << c.pan;
        EXPECT_NE(r.at(784, c.bottom), kClear) << c.pan;
        EXPECT_NE(r.at(784, c.top), kClear) << c.pan;
        EXPECT_EQ(r.at(784, c.bottom - 1), kClear) << c.pan;
        EXPECT_EQ(r.at(784, c.top + 1), kClear) << c.pan;
    }
}

TEST(ProfileEditorPainter, CountersShowCountWidthAndSelection) {
    auto glyphs = [](std::vector<uint8_t>& sheet, int32_t width) {
        for (size_t i = 0; i < sheet.size(); ++i)
            sheet[i] = ((i % size_t(width)) * 7 + (i / size_t(width)) * 3) % 5 == 0 ? 255 : 0;
    };
    struct Case {
        std::vector<ContourSegment> segments;
        int32_t selected;
        std::string count, width, selection;
    };
    const Case cases[] = {
        {{}, -1, "0", "0", "-"},
        {{{-256, 0, 0, 256, 0, 0}, {300, 0, 0, 1000, 0, 0}}, 1, "2", "1256", "1"},
        {{{INT32_MIN, 0, 0, INT32_MAX, 0, 0}}, 7, "1", "4294967295", "7"},
    };
    Fonts font;
    glyphs(font.font7x11, 112);
    for (const Case& c : cases) {
        ProfileRig r, expected;  // the same picture, but drawn without text
        r.fonts = font;
        for (ProfileRig* rig : {&r, &expected}) {
            for (size_t k = 0; k < c.segments.size(); ++k)
                rig->segment(int32_t(k), c.segments[k]);
            rig->p->contourSelected = c.selected;
            rig->paint();
        }
        const Canvas& cv = expected.draw.canvas;
        drawText(cv, font, "S" + c.count, 8, 536, 0);
        drawText(cv, font, "W" + c.width, 308, 536, 0);
        drawText(cv, font, "Sel" + c.selection, 8, 234, 4);
        EXPECT_EQ(expected.draw.fb->screen, r.draw.fb->screen) << c.count;
    }
}

TEST(ProfileEditorPainter, StatesNoMouseLeavesAreDrawnWithinTheScreen) {
    struct Case {
        int32_t zoom, spacing, count, index;
        int32_t value;
    };
    const Case cases[] = {
        {0, 0, 5000, 9999, INT32_MAX},     {-5, 1 << 30, 4096, -2, INT32_MIN},
        {1, INT32_MAX, -7, 4095, INT32_MIN}, {INT32_MAX, 3, 3, 0, INT32_MAX},
        {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN, 0},
    };
    for (const Case& c : cases) {
        ProfileRig r;
        r.p->profileZoom = c.zoom, r.gridSpacing = c.spacing;
        r.p->profilePanX = c.value, r.p->profilePanY = c.value / 3;
        const int32_t other = c.value == INT32_MIN ? INT32_MAX : -c.value;
        for (int32_t k = 0; k < kContourCapacity; ++k)
            r.p->contour[size_t(k)] = {c.value, other, c.value, k % 2 ? c.value : other,
                                       c.value, other};
        r.p->contourCount = c.count;
        r.p->contourSelected = r.p->profileNearSlice = r.p->profileDragSlice = c.index;
        r.p->profileNearHandle = r.p->profileDragHandle = c.index;
        r.hoveredWidget = 22006 + (c.count & 7);
        r.paint();
        EXPECT_TRUE(r.draw.guardsIntact()) << c.zoom;
    }
}

}  // namespace
}  // namespace korvel
