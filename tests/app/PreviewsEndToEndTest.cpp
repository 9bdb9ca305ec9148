// What the plan view shows of work in progress, end to end: whole frames of the loop driven by
// the headless platform's pointer and keys, the frames and the map read off afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/FrameLoop.h"
#include "support/TwoRoomsRig.h"
#include "support/MapInvariants.h"
#include "ui/Languages.h"

namespace korvel {
namespace {

constexpr int kLeftButton = 1, kShift = 16, kSpace = 32, kPad0 = 96, kPadPoint = 110;

// Grid snapping off so that points land where the pointer is; no help popups over the view.
// Map point (x, y) shows at column 400 + x, row 300 - y.
struct Rooms : test::TwoRoomsRig {
    Rooms() {
        ed->settings.snapToGrid = 0;
        ed->settings.showTips = 0;
        ed->settings.smoothLines = 0;  // lines in their own colour, not blended into the map
        frame();
    }
    void pointAtFrame(int32_t x, int32_t y) { platform->setPointer(x, 599 - y); }
    void press(int vk) {
        key(vk, true);
        key(vk, false);
    }
    uint8_t pixel(int32_t x, int32_t y) const { return platform->framePixel(x, y); }
    std::string message(int32_t n, const std::string& value) const {
        return getMessage(n, ed->langs, value);
    }
};

bool inMapView(int32_t x, int32_t y) {
    return x >= 2 && x <= 797 && y >= 130 && y <= 581;
}

// A pixel of the colour within one pixel of (x, y).
bool colourNear(const Rooms& r, int32_t x, int32_t y, uint8_t colour) {
    for (int32_t dy = -1; dy <= 1; ++dy)
        for (int32_t dx = -1; dx <= 1; ++dx)
            if (r.pixel(x + dx, y + dy) == colour) return true;
    return false;
}

// Pixels of the colour in the box of columns x0..x1 and rows y0..y1.
int32_t countColour(const Rooms& r, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t colour) {
    int32_t n = 0;
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x) n += r.pixel(x, y) == colour;
    return n;
}

TEST(PreviewsEndToEnd, TheRoundedStarFromItsButtonShowsItsFilletsAndRadiusThenBuildsTheRoom) {
    Rooms r;
    r.ed->tool.selectionMode = SelectionMode::BooleanTarget;
    r.frame();
    const auto& buttons = r.ed->toolbar.toolbarButtons;
    const auto star = std::find_if(buttons.begin(), buttons.end(), [](const ToolbarButton& b) {
        return b.code == 158 && b.context == int32_t(SelectionMode::BooleanTarget);
    });
    ASSERT_NE(star, buttons.end());
    r.pointAtFrame(star->x + 2, star->y + 2);
    r.frame();
    r.press(kLeftButton);
    ASSERT_EQ(r.ed->tool.currentTool, Tool::CurveShape);
    r.ed->tool.toolDetail = 5;
    r.ed->tool.toolSecDetail = 2;

    // Centre, inner corner, outer corner, outer fillet distance; the pointer then sets the
    // inner one.
    const std::vector<std::pair<int32_t, int32_t>> placed = {
        {-200, -80}, {-200, -130}, {-200, 40}, {-200, -10}};
    for (const auto& [x, y] : placed) {
        r.pointAtMap(x, y);
        r.frame();
        r.press(kSpace);
    }
    ASSERT_EQ(r.ed->drawVertices.toolPointCount, 4);
    for (int32_t i = 0; i < 4; ++i)
        EXPECT_EQ(std::make_pair(r.ed->drawVertices.toolPointsX[i], r.ed->drawVertices.toolPointsY[i]),
                  placed[size_t(i)]);
    const int32_t mouseX = -200 + 30, mouseY = -80;
    r.pointAtMap(mouseX, mouseY);
    for (int i = 0; i < 60; ++i) r.frame();  // the presses' sparks die away

    const OverlayLists& o = r.ed->overlays;
    const int32_t n = 5, s = 2;
    ASSERT_EQ(o.overlayPointCount, 1 + n * (2 * s + 3));
    EXPECT_EQ(o.toolPreviewDegenerate, 0);
    EXPECT_EQ(r.ed->app.cursorLabel, r.message(264, "30"));

    const uint8_t overlay = r.ed->colorSettings.colorToolOverlay;
    const int32_t px = 400 + mouseX, py = 300 - mouseY;
    const int32_t width = 5 * int32_t(r.ed->app.cursorLabel.size());
    // Away from the pointer and its read-out, every arc point's square mark and every outline
    // line through its middle.
    const auto shown = [&](int32_t x, int32_t y) {
        return inMapView(x, y) && !(x >= px - 12 && x <= px + width + 6 && std::abs(y - py) <= 12);
    };
    int32_t marks = 0, lines = 0;
    for (int32_t i = 0; i < o.overlayPointCount; ++i) {
        const int32_t x = 400 + o.overlayPoints[i].x, y = 300 - o.overlayPoints[i].y;
        if (!shown(x, y)) continue;
        EXPECT_EQ(r.pixel(x - 2, y), overlay) << "mark " << i;
        EXPECT_EQ(r.pixel(x + 2, y), overlay) << "mark " << i;
        ++marks;
    }
    for (int32_t i = 0; i < o.overlayLineCount; ++i) {
        const OverlayLine& l = o.overlayLines[i];
        if (l.kind != uint8_t(OverlayLineKind::Outline)) continue;
        // Stored y is the map y negated, so the row is 300 + stored y.
        const int32_t x = 400 + int32_t(std::floor((double(l.x1) + l.x2) / 2));
        const int32_t y = 300 + int32_t(std::floor((double(l.y1) + l.y2) / 2));
        if (!shown(x, y)) continue;
        EXPECT_TRUE(colourNear(r, x, y, overlay)) << "outline line " << i;
        ++lines;
    }
    EXPECT_GT(marks, 20);
    EXPECT_GT(lines, 20);
    // The read-out beside the pointer: outlined text, whose dark outline colour nothing else in
    // this frame uses.
    const uint8_t dark = uint8_t(overlay - 5);
    const int32_t nearPointer = countColour(r, px + 1, py - 10, px + width + 3, py + 10, dark);
    EXPECT_GT(nearPointer, 10);
    EXPECT_EQ(countColour(r, 0, 128, 799, 583, dark), nearPointer);

    // The fifth press builds the star as a new room: the outline without the inner fillets'
    // centres.
    const int32_t rooms = r.ed->map.sectorCount, previewed = o.overlayPointCount;
    r.press(kSpace);
    ASSERT_EQ(r.ed->map.sectorCount, rooms + 1);
    EXPECT_EQ(r.ed->map.sectors[rooms].wallnum, previewed - 1 - n);
    EXPECT_EQ(test::checkMapInvariants(r.ed->map), std::vector<std::string>{});
}

// (x, y) turned about (cx, cy) as a drag upwards turns it.
std::pair<double, double> turned(double x, double y, double cx, double cy, double degrees) {
    const double a = degrees * 3.14159265358979 / 180, dx = x - cx, dy = y - cy;
    return {cx + dx * std::cos(a) - dy * std::sin(a), cy + dx * std::sin(a) + dy * std::cos(a)};
}

TEST(PreviewsEndToEnd, AShiftRotateDragShowsTheRoomTurnedBySteppedAnglesUntilTheRelease) {
    Rooms r;
    r.ed->tool.selectionMode = SelectionMode::Sectors;
    r.ed->tool.dragKind = DragKind::Rotate;
    const auto before = r.corners(0);
    r.pointAtMap(96, 96);
    r.frame();
    r.key(kLeftButton, true);
    ASSERT_EQ(r.ed->map.sectorSelected[0], 1);
    r.key(kShift, true);  // once the press has picked the room
    r.pointAtMap(96, 96 - 23);  // 23 pixels up: one step of 22.5 degrees
    r.frame();

    EXPECT_EQ(r.ed->app.cursorLabel, r.message(274, "22.5"));
    EXPECT_EQ(r.corners(0), before) << "the map waits for the release";
    // The room's four walls in the drag preview, each turned about the pressed point.
    const OverlayLists& o = r.ed->overlays;
    std::set<std::pair<int32_t, int32_t>> starts;
    for (int32_t i = 0; i < o.overlayLineCount; ++i)
        starts.insert({o.overlayLines[i].x1, -o.overlayLines[i].y1});
    const uint8_t overlay = r.ed->colorSettings.colorToolOverlay;
    for (const auto& [x, y] : before) {
        const auto [tx, ty] = turned(x, y, 96, 96, 22.5);
        const auto near = std::find_if(starts.begin(), starts.end(), [tx = tx, ty = ty](const auto& p) {
            return std::abs(p.first - tx) <= 1 && std::abs(p.second - ty) <= 1;
        });
        EXPECT_NE(near, starts.end()) << "corner " << x << "," << y;
        const int32_t col = 400 + int32_t(std::lround(tx)), row = 300 - int32_t(std::lround(ty));
        if (inMapView(col, row)) EXPECT_TRUE(colourNear(r, col, row, overlay)) << x << "," << y;
    }
    // Halfway along the turned left wall, which the unturned room does not cross.
    const auto [ax, ay] = turned(0, 0, 96, 96, 22.5);
    const auto [bx, by] = turned(0, 256, 96, 96, 22.5);
    EXPECT_TRUE(colourNear(r, 400 + int32_t(std::lround((ax + bx) / 2)),
                           300 - int32_t(std::lround((ay + by) / 2)), overlay));

    r.key(kLeftButton, false);
    r.key(kShift, false);
    const auto after = r.corners(0);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        const auto [tx, ty] = turned(before[i].first, before[i].second, 96, 96, 22.5);
        EXPECT_NEAR(after[i].first, tx, 1) << "wall " << i;
        EXPECT_NEAR(after[i].second, ty, 1) << "wall " << i;
    }
    EXPECT_EQ(test::checkMapInvariants(r.ed->map), std::vector<std::string>{});
}

TEST(PreviewsEndToEnd, HoldingTheKeypadPointAndZeroShowsTheClipboardPanelAndTheCrosshair) {
    Rooms r;
    r.ed->attributes.attributeClipboard.kind = AttributeClipboardKind::Wall;
    const int32_t cx = 500, cy = 400;  // frame column and row of the pointer
    r.pointAtFrame(cx, cy);
    r.frame();
    r.frame();
    std::vector<uint8_t> plain(800 * 600);
    for (int32_t y = 0; y < 600; ++y)
        for (int32_t x = 0; x < 800; ++x) plain[size_t(y * 800 + x)] = r.pixel(x, y);
    const auto was = [&](int32_t x, int32_t y) { return plain[size_t(y * 800 + x)]; };
    const auto& blend = r.ed->colorTables.blendTable;

    r.key(kPadPoint, true);
    r.key(kPad0, true);
    r.frame();
    // The panel's frame columns and bottom and top rows, and its darkened inside.
    for (int32_t y : {192, 300, 576}) {
        EXPECT_EQ(r.pixel(8, y), 20) << y;
        EXPECT_EQ(r.pixel(264, y), 20) << y;
    }
    for (int32_t x : {9, 100, 263}) {
        EXPECT_EQ(r.pixel(x, 192), 20) << x;
        EXPECT_EQ(r.pixel(x, 576), 20) << x;
    }
    EXPECT_EQ(r.pixel(250, 220), blend[size_t(was(250, 220)) * 256 + 16]);
    // The crosshair tints the pointer's column and row across the view, and leaves the gap
    // around the pointer as it was (the cursor's own cross covers 12 pixels each way, all but
    // the two next to its centre).
    int32_t tinted = 0;
    for (int32_t y : {128, 200, cy - 16, cy + 16, 583}) {
        EXPECT_EQ(r.pixel(cx, y), blend[116 * 256 + size_t(was(cx, y))]) << "row " << y;
        tinted += r.pixel(cx, y) != was(cx, y);
    }
    for (int32_t x : {0, 300, cx - 16, cx + 16, 799}) {
        EXPECT_EQ(r.pixel(x, cy), blend[116 * 256 + size_t(was(x, cy))]) << "column " << x;
        tinted += r.pixel(x, cy) != was(x, cy);
    }
    EXPECT_GT(tinted, 5);
    for (int32_t d : {-2, -1, 1, 2}) {
        EXPECT_EQ(r.pixel(cx, cy + d), was(cx, cy + d)) << d;
        EXPECT_EQ(r.pixel(cx + d, cy), was(cx + d, cy)) << d;
    }

    r.key(kPadPoint, false);
    r.key(kPad0, false);
    EXPECT_EQ(r.pixel(8, 300), was(8, 300));
    EXPECT_EQ(r.pixel(cx, 580), was(cx, 580));
}

}  // namespace
}  // namespace korvel
