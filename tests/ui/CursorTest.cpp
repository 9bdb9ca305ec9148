#include "ui/Cursor.h"

#include <gtest/gtest.h>

#include "app/InputState.h"
#include "platform/HeadlessPlatform.h"
#include "support/DrawFixtures.h"
#include "support/TempFolder.h"
#include "ui/Skin.h"

namespace korvel {
namespace {

using test::DrawRig;
using test::PixelSet;

// A transparent skin with one marker byte at the lower left corner of every cursor picture, so
// that each drawn picture sets exactly one pixel.
struct Marker {
    int32_t sx, sy;
    uint8_t value;
};
constexpr Marker kArrowM{0, 488, 11}, kPlainM{18, 487, 12}, kMoveM{18, 461, 13},
    kRotateM{18, 441, 14}, kScaleM{18, 415, 15}, kAddM{44, 476, 16}, kToggleM{44, 464, 17},
    kBusyM{44, 488, 18}, kBeamM{0, 470, 19}, kDragM{0, 452, 20}, kHorizontalM{18, 405, 21},
    kVerticalM{0, 426, 22};

std::unique_ptr<Skin> markerSkin() {
    auto skin = std::make_unique<Skin>();
    std::fill(skin->skin.begin(), skin->skin.end(), kSkinTransparent);
    for (const Marker& m : {kArrowM, kPlainM, kMoveM, kRotateM, kScaleM, kAddM, kToggleM, kBusyM,
                            kBeamM, kDragM, kHorizontalM, kVerticalM})
        skin->skin[m.sy * kSkinSize + m.sx] = m.value;
    return skin;
}

struct CursorRig {
    DrawRig pixels;
    std::unique_ptr<Skin> skin = markerSkin();
    TempFolder dir;
    HeadlessPlatform platform{dir.path()};
    InputState input;
    CursorState cursor;
    CursorOptions options;
    MapCursorInputs map;
    int32_t dragStart = 0;

    CursorRig() { placeMouse(400, 300); }
    void placeMouse(int32_t x, int32_t y) {
        input.mouseX = input.prevMouseX = input.prevMouseX2 = x;
        input.mouseY = input.prevMouseY = input.prevMouseY2 = y;
        platform.setPointer(x, 599 - y);
    }
    PixelSet draw() {
        drawCursor(pixels.canvas, *skin, cursor, options, map, input, dragStart, platform);
        return test::changedPixels(screenView(*pixels.fb), 0);
    }
};

TEST(Cursor, QuadraticInterpolationPassesThroughItsThreePoints) {
    struct Case {
        int32_t p, q, r, t, out;
    };
    const Case cases[] = {{0, 100, 400, 0, 0},       {0, 100, 400, 256, 100},
                          {0, 100, 400, 512, 400},   {0, 100, 400, 384, 225},
                          {392, 400, 408, 384, 404}, {-50, 10, -50, 512, -50}};
    for (const Case& c : cases) EXPECT_EQ(quadInterp(c.p, c.q, c.r, c.t), c.out);
    quadInterp(INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX);  // no overflow
}

TEST(Cursor, EveryShapeSitsAtItsOffsetFromTheMouse) {
    struct Case {
        const char* name;
        CursorShape shape;
        DragKind dragKind;
        Marker marker;
        int32_t dx, dy;
    };
    const Case cases[] = {
        {"arrow", CursorShape::Arrow, DragKind::Free, kArrowM, 0, -23},
        {"busy", CursorShape::Busy, DragKind::Free, kBusyM, 0, -23},
        {"text beam", CursorShape::TextBeam, DragKind::Free, kBeamM, -3, -8},
        {"value drag", CursorShape::ValueDrag, DragKind::Free, kDragM, -8, -8},
        {"horizontal handle", CursorShape::HorizontalHandle, DragKind::Free, kHorizontalM, -12, -4},
        {"vertical handle", CursorShape::VerticalHandle, DragKind::Free, kVerticalM, -4, -12},
        {"map cross", CursorShape::MapCross, DragKind::Free, kPlainM, -12, -12},
        {"map cross, move", CursorShape::MapCross, DragKind::Move, kMoveM, -12, -12},
        {"map cross, rotate", CursorShape::MapCross, DragKind::Rotate, kRotateM, -12, -9},
        {"map cross, scale", CursorShape::MapCross, DragKind::Scale, kScaleM, -12, -12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CursorRig rig;
        rig.cursor = {c.shape, 72};
        rig.map.dragKind = c.dragKind;
        rig.map.draggedSprite = 0;  // a drag under way makes the cross follow dragKind
        EXPECT_EQ(rig.draw(), (PixelSet{{400 + c.dx, 300 + c.dy}}));
        EXPECT_EQ(rig.pixels.px(400 + c.dx, 300 + c.dy), c.marker.value + 72);
    }
}

TEST(Cursor, ShadowDarkensThePixelsUnderTheShapeThreePixelsRightAndDown) {
    CursorRig rig;
    rig.pixels.clear(50);
    rig.options.pointerShadow = true;
    rig.cursor.cursorShape = CursorShape::ValueDrag;
    drawCursor(rig.pixels.canvas, *rig.skin, rig.cursor, rig.options, rig.map, rig.input,
               rig.dragStart, rig.platform);
    EXPECT_EQ(rig.pixels.px(400 - 5, 300 - 11), rig.pixels.colors->blendTable[50]);
    EXPECT_EQ(rig.pixels.px(400 - 8, 300 - 8), kDragM.value);
    EXPECT_EQ(test::changedPixels(screenView(*rig.pixels.fb), 50).size(), 2u);
}

TEST(Cursor, TrailFollowsTheCurveThroughTheLastThreePositions) {
    CursorRig rig;
    rig.cursor = {CursorShape::Arrow, 5};
    // A move of 3 pixels: one copy, at the previous position, drawn solid.
    rig.options.pointerInterpolation = true;
    rig.input.prevMouseX2 = 394, rig.input.prevMouseX = 397, rig.input.mouseX = 400;
    EXPECT_EQ(rig.draw(), (PixelSet{{397, 277}}));
    EXPECT_EQ(rig.pixels.px(397, 277), kArrowM.value + 5);

    // A move of 8 pixels: copies at steps 0, 4 and 8 in translucency type 2, the last one at the
    // current position.
    rig.pixels.clear(0);
    rig.input.prevMouseX2 = 392, rig.input.prevMouseX = 400, rig.input.mouseX = 408;
    EXPECT_EQ(rig.draw(), (PixelSet{{400, 277}, {404, 277}, {408, 277}}));
    const uint8_t s = kArrowM.value + 5;
    EXPECT_EQ(rig.pixels.px(408, 277), rig.pixels.colors->blendTable[0 * 256 + s]);

    // Without the trail one picture is drawn however far the mouse moved.
    rig.pixels.clear(0);
    rig.options.pointerInterpolation = false;
    rig.input.prevMouseX2 = 0, rig.input.prevMouseX = 100, rig.input.mouseX = 408;
    EXPECT_EQ(rig.draw(), (PixelSet{{408, 277}}));
}

TEST(Cursor, MapCrossVariantFollowsTheEditingState) {
    struct Case {
        const char* name;
        std::function<void(MapCursorInputs&)> set;
        MapCursorVariant want;
    };
    using V = MapCursorVariant;
    const Case cases[] = {
        {"nothing going on", [](auto&) {}, V::Plain},
        {"hovering a selected sprite",
         [](auto& m) {
             m.hoveredSprite = 4, m.hoveredSpriteSelected = true, m.dragKind = DragKind::Move;
         },
         V::Move},
        {"hovering an unselected sprite",
         [](auto& m) { m.hoveredSprite = 4, m.dragKind = DragKind::Move; }, V::Plain},
        {"hovered selected vertex, rotate drag",
         [](auto& m) {
             m.selectionMode = SelectionMode::Vertices, m.hoveredVertex = 2,
             m.hoveredVertexSelected = true, m.dragKind = DragKind::Rotate;
         },
         V::Rotate},
        {"rotate and scale only on the plan view",
         [](auto& m) {
             m.selectionMode = SelectionMode::Vertices, m.hoveredVertex = 2,
             m.hoveredVertexSelected = true, m.dragKind = DragKind::Scale,
             m.currentPage = Page::SideView;
         },
         V::Plain},
        {"sector mode while the whole selection moves",
         [](auto& m) {
             m.selectionMode = SelectionMode::Sectors, m.hoveredSector = 1,
             m.movedWallCount = kAllWallsMarked, m.dragKind = DragKind::Scale;
         },
         V::Scale},
        {"loop mode, selected wall",
         [](auto& m) {
             m.selectionMode = SelectionMode::Loops, m.hoveredWall = 9,
             m.hoveredWallSelected = true, m.dragKind = DragKind::Move;
         },
         V::Move},
        {"both mode prefers the hovered vertex",
         [](auto& m) {
             m.selectionMode = SelectionMode::SpritesAndVertices, m.hoveredVertex = 1,
             m.hoveredSprite = 3, m.hoveredSpriteSelected = true, m.dragKind = DragKind::Move;
         },
         V::Plain},
        {"Ctrl with a selection",
         [](auto& m) {
             m.ctrlHeld = true, m.selectedSectorCount = 2, m.selectionMode = SelectionMode::Sectors,
             m.dragKind = DragKind::Move;
         },
         V::Move},
        {"Ctrl without a selection",
         [](auto& m) {
             m.ctrlHeld = true, m.selectionMode = SelectionMode::Sectors,
             m.dragKind = DragKind::Move;
         },
         V::Plain},
        {"a dragged sprite in both mode moves",
         [](auto& m) {
             m.selectionMode = SelectionMode::SpritesAndVertices, m.draggedSprite = 7,
             m.dragKind = DragKind::Rotate;
         },
         V::Move},
        {"Shift alone over a selected object",
         [](auto& m) {
             m.hoveredSprite = 4, m.hoveredSpriteSelected = true, m.shiftHeld = true,
             m.dragKind = DragKind::Move;
         },
         V::Plain},
        {"drawing tools keep the plain cross",
         [](auto& m) {
             m.currentTool = Tool::QuadWarp1, m.draggedSprite = 1, m.dragKind = DragKind::Move;
         },
         V::Plain},
        {"pages beyond the side view",
         [](auto& m) {
             m.currentPage = Page::RecordEditor, m.draggedSprite = 1, m.dragKind = DragKind::Move;
         },
         V::Plain},
        {"list of dragged walls rotates",
         [](auto& m) { m.movedWallCount = 3, m.dragKind = DragKind::Rotate; }, V::Rotate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MapCursorInputs in;
        c.set(in);
        EXPECT_EQ(mapCursorVariant(in), c.want);
    }
}

TEST(Cursor, AreaSelectionBadgesFollowTheModifiers) {
    struct Case {
        const char* name;
        bool shift, ctrl, latch;
        SelectionMode selectionMode;
        Page page;
        int badge;  // marker value at the badge position; 0 none
    };
    const Case cases[] = {
        {"Shift with the latch: add", true, false, true, SelectionMode::Sectors, Page::PlanView,
         kAddM.value},
        {"Ctrl with the latch: toggle", false, true, true, SelectionMode::Sectors, Page::SideView,
         kToggleM.value},
        {"Shift without the latch: toggle", true, false, false, SelectionMode::Sprites,
         Page::PlanView, kToggleM.value},
        {"both: toggle drawn over add", true, true, true, SelectionMode::Sprites, Page::PlanView,
         kToggleM.value},
        {"no badges in mode 5", true, false, true, SelectionMode::SpritesAndVertices,
         Page::PlanView, 0},
        {"no badges off the views", true, false, true, SelectionMode::Sprites, Page::RecordEditor,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CursorRig rig;
        rig.cursor = {CursorShape::MapCross, 72};
        rig.map.shiftHeld = c.shift, rig.map.ctrlHeld = c.ctrl, rig.map.areaSelectLatch = c.latch;
        rig.map.selectionMode = c.selectionMode, rig.map.currentPage = c.page;
        const PixelSet set = rig.draw();
        EXPECT_EQ(rig.pixels.px(402, 287), c.badge);  // badges take no colour offset
        EXPECT_EQ(set.size(), c.badge ? 2u : 1u);
    }
}

// A window shown at a third of the frame's size: a warped pointer lands on the nearest row the
// window can show.
class ThirdScalePlatform : public HeadlessPlatform {
public:
    using HeadlessPlatform::HeadlessPlatform;
    void warpPointer(int32_t x, int32_t y) override { HeadlessPlatform::warpPointer(x, y / 3 * 3); }
};

TEST(Cursor, ValueDragWrapsThePointerAndKeepsTheDraggedDistance) {
    struct Case {
        const char* name;
        int32_t mouseY;
        bool scaled;
        std::vector<PointerPos> warps;
        int32_t newMouseY;
    };
    const Case cases[] = {
        {"top row jumps to the bottom", 599, false, {{400, 598}}, 1},
        {"bottom row jumps to the top", 0, false, {{400, 1}}, 598},
        {"above the window", 640, false, {{400, 598}}, 1},
        {"inside the frame nothing moves", 300, false, {}, 300},
        // The new row follows from the sampled row alone, as a replay needs; where the window
        // puts the system pointer is read again by the next frame's sampling.
        {"scaled window, top row", 599, true, {{400, 597}}, 1},
        {"scaled window, bottom row", 0, true, {{400, 0}}, 598},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        std::unique_ptr<HeadlessPlatform> platform =
            c.scaled ? std::make_unique<ThirdScalePlatform>(dir.path())
                     : std::make_unique<HeadlessPlatform>(dir.path());
        DrawRig draw;
        auto skin = markerSkin();
        InputState input;
        input.mouseX = 400, input.mouseY = c.mouseY, input.prevMouseY = 123;
        platform->setPointer(400, 599 - c.mouseY);
        int32_t dragStart = 1000;
        const int32_t dragged = input.mouseY - dragStart;
        drawCursor(draw.canvas, *skin, {CursorShape::ValueDrag, 0}, {}, {}, input, dragStart,
                   *platform);
        ASSERT_EQ(platform->warps().size(), c.warps.size());
        for (size_t k = 0; k < c.warps.size(); ++k) {
            EXPECT_EQ(platform->warps()[k].x, c.warps[k].x);
            EXPECT_EQ(platform->warps()[k].y, c.warps[k].y);
        }
        EXPECT_EQ(input.mouseY, c.newMouseY);
        EXPECT_EQ(input.mouseY - dragStart, dragged);
        if (!c.warps.empty()) {
            EXPECT_EQ(input.prevMouseY, input.mouseY);
        }
    }
    // Full screen, as documented: a drag past the top lowers the start by 598.
    CursorRig rig;
    rig.placeMouse(300, 599);
    rig.dragStart = 0;
    rig.cursor.cursorShape = CursorShape::ValueDrag;
    rig.draw();
    EXPECT_EQ(rig.dragStart, -598);
    // Other shapes never move the pointer.
    rig.placeMouse(300, 599);
    rig.cursor.cursorShape = CursorShape::Arrow;
    rig.draw();
    EXPECT_EQ(rig.platform.warps().size(), 1u);
}

}  // namespace
}  // namespace korvel
