// The per-frame painters of the help viewer, the tile picker, the generator pages and the array
// dialog, drawn onto a screen cleared to one colour and checked by pixel probes.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "app/EditorCanvas.h"
#include "app/Startup.h"
#include "base/Mainm.h"
#include "pages/ArchSetup.h"
#include "pages/ArrayTool.h"
#include "pages/HelpViewer.h"
#include "pages/ReelSetup.h"
#include "pages/SphereSetup.h"
#include "pages/TilePicker.h"
#include "support/EditorRig.h"
#include "support/TileFixtures.h"
#include "ui/Raster.h"
#include "ui/HelpText.h"

namespace korvel {
namespace {

constexpr uint8_t kClear = 7;
constexpr int32_t kPreview = 50;

struct PainterRig : test::EditorRig {
    PainterRig() {
        EXPECT_TRUE(startup(*ed));
        ed->colorSettings.colorUiPreviewLine = kPreview;
        ed->settings.smoothLines = 0;
        clear();
    }
    void clear() { std::fill(ed->frameBuffer.screen.begin(), ed->frameBuffer.screen.end(), kClear); }
    uint8_t at(int32_t x, int32_t y) { return screenView(ed->frameBuffer).at(x, y); }
    Canvas cv() { return canvasOf(*ed); }
    // Bounds of the pixels that are not clear inside columns x0..x1.
    struct Box {
        int32_t left = INT32_MAX, right = INT32_MIN, bottom = INT32_MAX, top = INT32_MIN;
        int32_t count = 0;
    };
    Box inked(int32_t x0, int32_t x1) {
        Box b;
        for (int32_t y = 0; y < 600; ++y)
            for (int32_t x = x0; x <= x1; ++x)
                if (at(x, y) != kClear) {
                    b.left = std::min(b.left, x), b.right = std::max(b.right, x);
                    b.bottom = std::min(b.bottom, y), b.top = std::max(b.top, y);
                    ++b.count;
                }
        return b;
    }
    bool blank() { return inked(0, 799).count == 0; }
};

// --- Help viewer ---

TEST(DocumentViewer, ThumbFollowsTheScrollInsideItsTrack) {
    PainterRig r;
    struct Case {
        int32_t height, scroll, bottom, top;
    } cases[] = {
        {257, 0, 153, 528},           // 375 rows, its top at the top of the track
        {257, 1, 151, 526},           // the largest scroll: lower edge on row 151
        {1000, 0, 432, 528},          // 96 rows
        {1000, 744, 151, 247},        // scrolled to the end
        {1000, -50, 432, 528},        // offsets outside the topic are drawn as its ends
        {1000, INT32_MAX, 151, 247},
        {INT32_MAX, INT32_MAX, 151, 151},
    };
    for (const Case& c : cases) {
        const DocumentThumb t = documentThumb(c.height, c.scroll);
        EXPECT_EQ(t.bottom, c.bottom) << c.height << " " << c.scroll;
        EXPECT_EQ(t.top, c.top) << c.height << " " << c.scroll;
        r.clear();
        r.ed->help.documentHeight = c.height;
        r.ed->help.documentScroll = c.scroll;
        drawDocumentViewer(*r.ed);
        if (c.top - c.bottom > 4) EXPECT_EQ(r.at(785, (c.bottom + c.top) / 2), 78) << c.height;
        EXPECT_NE(r.at(785, c.bottom), kClear);
        EXPECT_NE(r.at(785, c.top), kClear);
        if (c.top - c.bottom < 4) continue;  // the skinned border of a sliver is not probed
        if (c.bottom > 151) EXPECT_EQ(r.at(785, c.bottom - 1), kClear);
        if (c.top < 528) EXPECT_EQ(r.at(785, c.top + 1), kClear);
    }
}

TEST(DocumentViewer, ArrowsShowTheirStateAndAFittingTopicHasNoThumb) {
    PainterRig r;
    const auto frame = [&](int32_t height, int32_t hovered) {
        r.clear();
        r.ed->help.documentHeight = height;
        r.ed->help.documentScroll = 0;
        r.ed->app.hoveredWidget = hovered;
        drawDocumentViewer(*r.ed);
        return r.ed->frameBuffer.screen;
    };
    const auto skinAt = [&](int32_t sx, int32_t sy) { return r.ed->skin.skin[size_t(sy) * 512 + size_t(sx)]; };
    // Fitting: the disabled arrows whatever is hovered, nothing on the track.
    EXPECT_EQ(frame(256, 0), frame(256, 14001));
    EXPECT_EQ(frame(256, 0), frame(256, 14002));
    EXPECT_EQ(r.at(780, 140), skinAt(140, 366));
    EXPECT_EQ(r.at(780, 533), skinAt(140, 381));
    for (int32_t y = 151; y <= 528; ++y) ASSERT_EQ(r.at(785, y), kClear) << y;
    // Taller: only the hovered arrow is drawn, in its hot look.
    frame(257, 14001);
    EXPECT_EQ(r.at(780, 140), skinAt(140, 411));
    EXPECT_EQ(r.at(780, 533), kClear);
    frame(257, 14002);
    EXPECT_EQ(r.at(780, 533), skinAt(140, 426));
    EXPECT_EQ(r.at(780, 140), kClear);
}

TEST(DocumentViewer, RedrawRepaintsTheWindowAndKeepsTheOffsetInsideAShortenedTopic) {
    PainterRig r;
    Editor& ed = *r.ed;
    std::vector<int32_t> scrolls;
    // A topic of 300 rows whose drawing marks a pixel of the background.
    ed.calls.renderHelpTopic = [&](Editor& e) {
        scrolls.push_back(e.help.documentScroll);
        e.help.documentHeight = 300;
        e.frameBuffer.background[size_t(300) * 800 + 100] = 1;
    };
    std::fill(ed.frameBuffer.viewBackdrop.begin(), ed.frameBuffer.viewBackdrop.end(), 40);
    std::fill(ed.frameBuffer.background.begin(), ed.frameBuffer.background.end(), 3);
    ed.help.documentScroll = 30;
    redrawDocumentPage(ed);
    EXPECT_EQ(scrolls, (std::vector<int32_t>{30}));
    const uint8_t tinted = ed.colorTables.blendTable[size_t(ed.colorSettings.colorUiAls) * 256 + 40];
    const auto bg = [&](int32_t x, int32_t y) { return ed.frameBuffer.background[size_t(y) * 800 + size_t(x)]; };
    EXPECT_EQ(bg(100, 300), 1);
    EXPECT_EQ(bg(200, 300), tinted);
    EXPECT_EQ(bg(4, 300), 40);    // backdrop beside the window
    EXPECT_EQ(bg(4, 547), 40);    // the last row copied
    EXPECT_EQ(bg(4, 548), 3);     // the page label's rows are kept
    EXPECT_EQ(bg(4, 127), 3);
    // The topic has become shorter than the offset: drawn again at its end.
    scrolls.clear();
    ed.help.documentScroll = 200;
    redrawDocumentPage(ed);
    EXPECT_EQ(scrolls, (std::vector<int32_t>{200, 44}));
    EXPECT_EQ(ed.help.documentScroll, 44);
}

TEST(DocumentViewer, APageBeyondTheLastTopicShowsTheMissingTopicFromTheTop) {
    PainterRig r;
    Editor& ed = *r.ed;
    for (const int32_t page : {99999, INT32_MAX, INT32_MIN}) {
        ed.help.documentPage = page;
        ed.help.documentScroll = 5000;
        redrawDocumentPage(ed);
        EXPECT_EQ(ed.help.documentHeight, 0) << page;
        EXPECT_EQ(ed.help.documentScroll, 0) << page;
        drawDocumentViewer(ed);
    }
}

// --- Tile picker ---

TEST(TilePicker, TilesScaleByWholeFactorsToTheirCell) {
    struct Case {
        int32_t w, h, s, k;
        bool shrunk;
        int32_t width, height;
    } cases[] = {
        {16, 16, 32, 2, false, 32, 32}, {16, 16, 64, 4, false, 64, 64},
        {1, 1, 32, 8, false, 8, 8},     {1, 1, 64, 8, false, 8, 8},
        {5, 33, 32, 2, true, 2, 16},
        {100, 20, 32, 4, true, 25, 5},  {100, 20, 64, 2, true, 50, 10},
        {64, 64, 64, 1, false, 64, 64}, {64, 64, 32, 2, true, 32, 32},
        {32767, 1, 32, 993, true, 32, 0}, {1, 32767, 64, 505, true, 0, 64},
        {32767, 200, 64, 505, true, 64, 0},
    };
    for (const Case& c : cases) {
        const TileScale sc = tileScale(c.w, c.h, c.s);
        EXPECT_EQ(sc.k, c.k) << c.w << "x" << c.h << " in " << c.s;
        EXPECT_EQ(sc.shrunk, c.shrunk) << c.w << "x" << c.h;
        EXPECT_LE(sc.width, c.s);
        EXPECT_LE(sc.height, c.s);
        if (c.width <= c.s) EXPECT_EQ(sc.width, c.width) << c.w << "x" << c.h;
        if (c.height <= c.s) EXPECT_EQ(sc.height, c.height) << c.w << "x" << c.h;
    }
}

TEST(TilePicker, TheGridScrollsByWholeRowsToTheCursor) {
    const TileGrid large = tileGrid(false), small = tileGrid(true);
    struct Case {
        TileGrid g;
        int32_t cursor, top, expected;
    } cases[] = {
        {large, 83, 0, 0},      {large, 84, 0, 1},      {large, 200, 0, 10},
        {large, 5, 3, 0},       {large, 40, 3, 3},      {large, 35, 3, 2},
        {small, 336, 0, 1},     {small, 335, 0, 0},     {small, 23, 2, 0},
        {large, -5, 4, 0},      {large, INT32_MIN, INT32_MAX, 0},
        {large, INT32_MAX, INT32_MIN, INT32_MAX / 12 - 6},
        {small, INT32_MAX, INT32_MAX, INT32_MAX / 24},
        {small, 0, INT32_MIN, -13},
    };
    for (const Case& c : cases)
        EXPECT_EQ(followTileCursor(c.cursor, c.top, c.g), c.expected) << c.cursor << " " << c.top;
}

struct PickerRig : PainterRig {
    PickerRig() {
        test::installFixtureTiles(ed->tiles);
        test::installFixtureColours(ed->colorTables);
        // A 2 x 2 tile of game colours 255 and 9, column after column.
        test::addTile(ed->tiles, 10, 2, 2, {255, 9, 255, 9});
        auto& list = ed->tileCatalog.tileList;
        std::fill(list.begin(), list.end(), -1);
        list[0] = test::kTile8x8;
        list[1] = 10;
        ed->tileCatalog.tileUseCounts[0] = 32768;
        ed->tileCatalog.tileUseCounts[1] = 3;
        ed->settings.smallImages = 0;
        ed->pages.tilePicker = {};
        ed->pages.tilePicker.tilePickerCursor = 5;  // an empty cell
    }
    void frame(int32_t n) {
        clear();
        ed->loop.frameNumber = n;
        drawTilePicker(*ed);
    }
};

TEST(TilePicker, ThumbnailsStandUprightInTheColumnCheckerboard) {
    PickerRig r;
    // The 8 x 8 tile, eight times enlarged, fills the top left large cell: rows 516..579.
    for (const int32_t n : {0, 1}) {
        r.frame(n);
        struct Probe {
            int32_t c, row;
        } probes[] = {{0, 0}, {25, 17}, {63, 56}, {7, 40}};
        for (const Probe& p : probes) {
            const uint8_t texel = test::fixtureTexel(test::kTile8x8, p.c / 8, 7 - p.row / 8);
            const uint8_t expected = (n + p.c) % 2 == 0 ? uint8_t(texel ^ 1) : texel;
            EXPECT_EQ(r.at(16 + p.c, 516 + p.row), expected) << n << " " << p.c << "," << p.row;
        }
    }
    // Cells from the end marker on stay empty, count and all.
    for (int32_t x = 16 + 128; x < 16 + 768; ++x) ASSERT_EQ(r.at(x, 540), kClear) << x;
    for (int32_t y = 132; y < 516; ++y) ASSERT_EQ(r.at(40, y), kClear) << y;
}

TEST(TilePicker, ColourTwoFiftyFiveIsClearOnlyInThumbMode) {
    PickerRig r;
    // The 2 x 2 tile in the second cell, enlarged 8 times: its top row is colour 255.
    for (const uint8_t mode : {0, 1}) {
        r.ed->pages.tilePicker.tileThumbMode = mode;
        r.frame(0);
        const uint8_t top = r.at(80 + 10, 572), bottom = r.at(80 + 10, 566);
        EXPECT_EQ(bottom, uint8_t(9 ^ 1)) << int(mode);
        if (mode) EXPECT_EQ(top, kClear);
        else EXPECT_EQ(top, uint8_t(255 ^ 1));
    }
}

TEST(TilePicker, CountsFillTheCellsTopRowsWhole) {
    PickerRig r;
    r.frame(0);
    // "32768" in the 4x6 font: five boxes of 5 x 6 over rows 574..579 from column 16.
    int32_t ink = 0, paper = 0;
    for (int32_t y = 574; y <= 579; ++y)
        for (int32_t x = 16; x < 41; ++x) {
            const uint8_t c = r.at(x, y);
            ASSERT_TRUE(c == 83 || c == 0) << x << "," << y << " " << int(c);
            (c == 83 ? ink : paper)++;
        }
    EXPECT_GT(ink, 10);
    EXPECT_GT(paper, 10);
    EXPECT_EQ(r.at(25, 573), test::fixtureTexel(test::kTile8x8, 1, 0));  // below them the thumbnail
    // Every tile shown: no counts.
    r.ed->pages.tilePicker.tilePickerShowAll = 1;
    r.ed->pages.tilePicker.tilePickerTopRow = 0;
    r.frame(0);
    EXPECT_NE(r.at(17, 578), 83);
}

TEST(TilePicker, TheCursorRowsPulseAndSwapEveryFrame) {
    PickerRig r;
    for (const int32_t n : {0, 1, 100, 101}) {
        r.ed->pages.tilePicker.tilePickerCursor = 5;
        r.frame(n);
        const std::vector<uint8_t> plain = r.ed->frameBuffer.screen;
        r.ed->pages.tilePicker.tilePickerCursor = 0;
        r.frame(n);
        const uint8_t v = uint8_t(std::nearbyint(std::sin(n / 4.0) * 4 + 18));
        EXPECT_GE(v, 14);
        EXPECT_LE(v, 22);
        for (int32_t y = 132; y < 600; ++y)
            for (int32_t x = 0; x < 800; ++x) {
                const bool filled = x >= 16 && x < 80 && y >= 516 && y < 580 && (y - 516) % 2 == n % 2;
                ASSERT_EQ(r.at(x, y), filled ? v : plain[size_t(y) * 800 + size_t(x)])
                    << n << " " << x << "," << y;
            }
    }
}

TEST(TilePicker, HostileCursorsListsAndTilesDrawInsideTheGrid) {
    PickerRig r;
    test::addTile(r.ed->tiles, 11, 32767, 1, std::vector<uint8_t>(32767, 3));
    test::addTile(r.ed->tiles, 12, 1, 32767, std::vector<uint8_t>(32767, 4));
    auto& list = r.ed->tileCatalog.tileList;
    list[2] = 11, list[3] = 12, list[4] = INT32_MAX, list[5] = INT32_MIN, list[15360] = 1;
    const int32_t values[] = {INT32_MIN, -1, 0, 15359, 15360, INT32_MAX};
    for (const uint8_t all : {0, 1})
        for (const uint8_t small : {0, 1})
            for (const int32_t cursor : values)
                for (const int32_t top : values) {
                    r.ed->pages.tilePicker.tilePickerShowAll = all;
                    r.ed->settings.smallImages = small;
                    r.ed->pages.tilePicker.tilePickerCursor = cursor;
                    r.ed->pages.tilePicker.tilePickerTopRow = top;
                    r.frame(7);
                    const TileGrid g = tileGrid(small);
                    const int64_t t = r.ed->pages.tilePicker.tilePickerTopRow;
                    const int64_t c = std::max(cursor, 0);
                    EXPECT_LE(t * g.columns, c);
                    EXPECT_GT((t + g.rows) * g.columns, c);
                    EXPECT_EQ(r.ed->pages.tilePicker.tilePickerCursor, cursor);
                    const PainterRig::Box b = r.inked(0, 799);
                    if (b.count) {
                        EXPECT_GE(b.left, 16);
                        EXPECT_GE(b.bottom, 132);
                        EXPECT_LE(b.top, 131 + 448);
                    }
                }
}

// --- Generator previews ---

TEST(GeneratorPreviews, ReelEllipseRadiiFollowTheRatio) {
    PainterRig r;
    struct Case {
        int32_t ratio, top, left;  // the plan's highest row and leftmost column
    } cases[] = {{5000, 336, 504}, {10000, 384, 504}, {20000, 384, 552}};
    for (const Case& c : cases) {
        r.clear();
        paintReelPreview(r.cv(), {0, c.ratio, 16, 2048}, kPreview);
        const PainterRig::Box plan = r.inked(400, 799);
        // Sloped edges may end a pixel beyond their end points (the raster's own rounding).
        EXPECT_NEAR(plan.top, c.top, 1) << c.ratio;
        EXPECT_NEAR(plan.bottom, 576 - c.top, 1) << c.ratio;
        EXPECT_NEAR(plan.left, c.left, 1) << c.ratio;
        EXPECT_NEAR(plan.right, 1200 - c.left, 1) << c.ratio;
        EXPECT_EQ(r.at(600, c.top - 2), 8) << c.ratio;
        EXPECT_EQ(r.at(600, c.top + 2), kClear) << c.ratio;
        EXPECT_EQ(r.at(600, 300), 8) << c.ratio;  // the middle chord
    }
    // N = 1: two verticals at the ends and a plan of two edges with point chords.
    r.clear();
    paintReelPreview(r.cv(), {0, 20000, 1, 2048}, kPreview);
    EXPECT_EQ(r.at(296, 300), kPreview);
    EXPECT_EQ(r.at(104, 300), kPreview);
    EXPECT_EQ(r.at(200, 300), kClear);
    EXPECT_EQ(r.at(200, 192), kPreview);  // the rails
    EXPECT_EQ(r.at(200, 384), kPreview);
    const PainterRig::Box plan = r.inked(400, 799);
    EXPECT_EQ(plan.bottom, 288);
    EXPECT_EQ(plan.top, 288);
    EXPECT_EQ(plan.left, 552);
    EXPECT_EQ(plan.right, 648);
    // Nothing without a positive count and ratio.
    for (const ReelSetupState& s : {ReelSetupState{0, 0, 16, 1}, ReelSetupState{0, 100, 0, 1},
                                    ReelSetupState{0, -5, INT32_MIN, 1}}) {
        r.clear();
        paintReelPreview(r.cv(), s, kPreview);
        EXPECT_TRUE(r.blank());
    }
}

TEST(GeneratorPreviews, ArchProfileFillsItsRowsOrWidensAboutItsMiddle) {
    PainterRig r;
    // Heights 0 to 100 apart; a width of 1 gives g = 15.36, of 100 g = 1536 > 96.
    struct Case {
        int32_t width, left, right;
        bool widened;
    } cases[] = {{1, 585, 615, false}, {100, 504, 696, true}};
    for (const Case& c : cases) {
        r.clear();
        ArchSetupState a{-40, -100, c.width, 30, 100, 4};
        paintArchPreview(r.cv(), a, kPreview);
        const PainterRig::Box prof = r.inked(400, 799);
        EXPECT_NEAR(prof.left, c.left, 1) << c.width;
        EXPECT_NEAR(prof.right, c.right, 1) << c.width;
        // The end edges stand upright at x(0) and x(N).
        EXPECT_GT(r.inked(c.right, c.right).count, 0) << c.width;
        EXPECT_GT(r.inked(c.left, c.left).count, 0) << c.width;
        if (c.widened) {
            EXPECT_GT(prof.bottom, 192);
            EXPECT_LT(prof.top, 384);
        } else {
            EXPECT_EQ(prof.bottom, 192);
            EXPECT_EQ(prof.top, 384);
        }
        EXPECT_EQ(r.at(200, 192), kPreview);  // the elevation beside it
    }
    // Four equal heights: nothing at all.
    r.clear();
    paintArchPreview(r.cv(), {-500, -500, 100, 0, 0, 8}, kPreview);
    EXPECT_TRUE(r.blank());
}

TEST(GeneratorPreviews, ASphereOfOneSideIsOneSpoke) {
    PainterRig r;
    paintSpherePreview(r.cv(), {16384, -16384, 1, -16384, 16384, 3, 1024}, kPreview);
    const PainterRig::Box plan = r.inked(0, 399);
    EXPECT_EQ(plan.left, 200);
    EXPECT_EQ(plan.right, 200);
    EXPECT_EQ(plan.bottom, 288);
    EXPECT_EQ(plan.top, 384);
    EXPECT_GT(r.inked(400, 799).count, 0);  // the profile
    // Equal heights: the plan alone.
    r.clear();
    paintSpherePreview(r.cv(), {0, 0, 8, 0, 0, 3, 1024}, kPreview);
    EXPECT_GT(r.inked(0, 399).count, 0);
    EXPECT_EQ(r.inked(400, 799).count, 0);
}

TEST(GeneratorPreviews, TheDomePlanMatchesItsSegmentsDrawnAsLines) {
    PainterRig r;
    for (const auto& [sides, rings] : {std::pair{3, 1}, {40, 7}, {512, 512}, {700, 900}}) {
        r.clear();
        paintSpherePreview(r.cv(), {0, 0, sides, 0, 0, rings, 1024}, kPreview);
        const std::vector<uint8_t> fast = r.ed->frameBuffer.screen;
        r.clear();
        const int32_t S = std::min(sides, 512), R = std::min(rings, 512);
        const auto x = [](double f, double a) { return int32_t(std::floor(200.5 + 96 * f * std::sin(a))); };
        const auto y = [](double f, double a) { return int32_t(std::floor(288.5 + 96 * f * std::cos(a))); };
        for (int32_t i = 0; i < S; ++i) {
            const double u = 2 * M_PI * i / S, v = 2 * M_PI * (i - 1) / S;
            drawLineUnclipped(r.cv(), 200, 288, x(1, u), y(1, u), kPreview);
            for (int32_t j = 0; j <= R; ++j) {
                const double f = std::sin(j * M_PI / (2 * R));
                drawLineUnclipped(r.cv(), x(f, v), y(f, v), x(f, u), y(f, u), kPreview);
            }
        }
        EXPECT_EQ(fast, r.ed->frameBuffer.screen) << sides << " " << rings;
    }
}

TEST(GeneratorPreviews, FieldsAtTheirLimitsDrawABoundedPicture) {
    PainterRig r;
    const int32_t values[] = {INT32_MIN, -1, 0, 1, 2, INT32_MAX};
    for (const int32_t a : values)
        for (const int32_t b : values) {
            r.clear();
            paintReelPreview(r.cv(), {a, b, 7, a}, kPreview);
            paintArchPreview(r.cv(), {a, b, 3, b, a, 5}, kPreview);
            paintArchPreview(r.cv(), {a, a, INT32_MAX, b, b, 2}, kPreview);
            paintSpherePreview(r.cv(), {a, b, 5, b, a, 3, a}, kPreview);
            paintSpherePreview(r.cv(), {b, a, 4, a, b, 2, INT32_MAX}, kPreview);
        }
    // Counts of 2^31 - 1 are drawn at the cap.
    paintReelPreview(r.cv(), {0, INT32_MAX, INT32_MAX, 0}, kPreview);
    paintArchPreview(r.cv(), {INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX}, kPreview);
    paintSpherePreview(r.cv(), {INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN},
                       kPreview);
}

// --- Array dialog ---

// Draws the angle disc and returns how many random numbers it took.
int32_t discDraws(PainterRig& r, int32_t centre, int32_t range) {
    r.clear();
    Random random{12345};
    drawArrayAngleDisc(r.cv(), random, centre, range);
    Random count{12345};
    for (int32_t n = 0; n < 10000; ++n) {
        if (count.randomState == random.randomState) return n;
        randomSingle(count);
    }
    return -1;
}

TEST(ArrayDialog, TheDiscDrawsOneRandomPerPaintedPixel) {
    PainterRig r;
    int32_t wholeDisc = 0;
    for (int32_t y = 320; y <= 400; ++y)
        for (int32_t x = 660; x <= 740; ++x) wholeDisc += distLong(x, y, 700, 360) < 40;
    struct Case {
        int32_t centre, range, draws;
    } cases[] = {
        {0, 0, 40},                 // the pixels straight to the right, the centre among them
        {0, 36000, 40},             // a whole turn reduces to no range
        {9000, 0, 39},              // straight down, without the centre
        {0, 18000, wholeDisc},      {4500, 35999, wholeDisc}, {0, -1, wholeDisc},
        {INT32_MAX, INT32_MIN, -2}, {INT32_MIN, INT32_MAX, -2},
    };
    for (const Case& c : cases) {
        const int32_t draws = discDraws(r, c.centre, c.range);
        if (c.draws >= 0) EXPECT_EQ(draws, c.draws) << c.centre << " " << c.range;
        else EXPECT_GE(draws, 0);
    }
    // A painted pixel 30 from the centre, away from the radii and the rim: 210 or 211.
    discDraws(r, 0, 18000);
    EXPECT_TRUE(r.at(700, 390) == 210 || r.at(700, 390) == 211) << int(r.at(700, 390));
    EXPECT_TRUE(r.at(703, 360) == 209 || r.at(703, 360) == 210);
    int32_t rim = 0;
    for (int32_t y = 318; y <= 402; ++y)
        for (int32_t x = 658; x <= 742; ++x) rim += r.at(x, y) == 0 && std::abs(distLong(x, y, 700, 360) - 40) <= 1;
    EXPECT_GT(rim, 150);
    EXPECT_EQ(r.at(661, 360), 212);  // both radii end at 180 degrees
    EXPECT_EQ(hundredthsTo65536(36000), 0);
    EXPECT_EQ(hundredthsTo65536(-1), 65534);
}

TEST(ArrayDialog, TheFocusedIncrementBlinksItsCaretAndTakesTheMouse) {
    PainterRig r;
    Editor& ed = *r.ed;
    ed.pages.arrayTool.arraySteps[2] = -15;  // row 2 at y = 480, caret at x = 204 + 24
    ed.app.focusedField = 105;
    ed.app.hoveredWidget = 13012;
    const int32_t ink = ed.colorSettings.colorUiTextBoxText;
    for (const int32_t t : {199, 200, 399, 400}) {
        r.clear();
        ed.app.panelHasMouse = 0;
        ed.input.frameTime = t;
        drawSpriteArrayDialog(ed);
        EXPECT_EQ(ed.app.panelHasMouse, 1) << t;
        EXPECT_EQ(ed.pages.scriptEditor.exprXText, "-15");
        EXPECT_EQ(r.at(228, 485) == ink, t % 400 < 200) << t;
    }
    // The hovered row's handle in its hot look, the others plain.
    const auto skinAt = [&](int32_t sx, int32_t sy) { return ed.skin.skin[size_t(sy) * 512 + size_t(sx)]; };
    for (int32_t i = 0; i < 15; ++i) {
        EXPECT_EQ(r.at(295 + i, 478 + 7), skinAt(80 + i, 460 + 7));
        EXPECT_EQ(r.at(295 + i, 494 + 7), skinAt(80 + i, 475 + 7));
    }
    // No field focused: the mouse stays free.
    ed.app.focusedField = -1;
    ed.app.panelHasMouse = 0;
    drawSpriteArrayDialog(ed);
    EXPECT_EQ(ed.app.panelHasMouse, 0);
}

TEST(PagePainters, OnlyTheDiscDrawsRandomNumbers) {
    PainterRig r;
    Editor& ed = *r.ed;
    ed.calls.renderHelpTopic = [](Editor&) {};
    ed.pages.arrayTool.arrayPattern = 3;
    ed.pages.arrayTool.arrayOption6 = 0;
    void (*painters[])(Editor&) = {drawDocumentViewer, drawTilePicker, drawReelToolPage,
                                   drawArchToolPage, drawSphereToolPage, drawSpriteArrayDialog};
    for (auto paint : painters) {
        const uint32_t before = ed.random.randomState;
        paint(ed);
        EXPECT_EQ(ed.random.randomState, before);
    }
    ed.pages.arrayTool.arrayOption6 = 1;
    const uint32_t before = ed.random.randomState;
    drawSpriteArrayDialog(ed);
    EXPECT_NE(ed.random.randomState, before);
}

}  // namespace
}  // namespace korvel
