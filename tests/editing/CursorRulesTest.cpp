#include "editing/CursorRules.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "app/InputSampling.h"
#include "support/DispatchRig.h"

namespace korvel {
namespace {

using test::DispatchRig;
using C = CursorShape;

// The shape one frame of the dispatcher chooses for the pointer at (x, y) on page.
struct Frame : DispatchRig {
    CursorShape at(Page page, int32_t x, int32_t y) {
        ed->app.currentPage = ed->app.previousPage = page;
        pointAt(x, y);
        frame();
        return ed->cursor.cursorShape;
    }
    // The shape chosen for the pointer there with the value fields that fieldShown shows.
    CursorShape withFields(Page page, int32_t x, int32_t y,
                           const std::function<bool(int32_t)>& fieldShown) {
        ed->app.currentPage = ed->app.previousPage = page;
        pointAt(x, y);
        sampleInput(*ed);
        chooseCursorShape(*ed, fieldShown);
        return ed->cursor.cursorShape;
    }
};

TEST(CursorRules, ShapeByPageAndPosition) {
    struct Case {
        Page page;
        int32_t x, y;
        C expected;
        uint8_t subject = 6;     // recordEditorSubject
        uint8_t searchKind = 0;  // searchObjectKind
        int32_t demoFrame = -1;  // demoFrameIndex
        int32_t widget = 0;      // hoveredWidget
        int32_t padButton = 0;   // sideViewPadButton
    };
    const Case cases[] = {
        // The map views: the cross over rows 128..583 only.
        {Page::PlanView, 400, 127, C::Arrow},
        {Page::PlanView, 400, 128, C::MapCross},
        {Page::PlanView, 0, 583, C::MapCross},
        {Page::PlanView, 400, 584, C::Arrow},
        {Page::View3D, 400, 300, C::MapCross},
        {Page::SideView, 400, 300, C::MapCross},
        {Page::SideView, 400, 300, C::Arrow, 6, 0, -1, 0, 3},
        // Record editor: two value columns per kind, 16 rows apart from y 510..524 down.
        {Page::RecordEditor, 100, 524, C::TextBeam, 0},
        {Page::RecordEditor, 100, 510, C::TextBeam, 0},
        {Page::RecordEditor, 100, 509, C::Arrow, 0},
        {Page::RecordEditor, 194, 158, C::TextBeam, 3},
        {Page::RecordEditor, 194, 157, C::Arrow, 3},
        {Page::RecordEditor, 195, 520, C::Arrow, 0},
        {Page::RecordEditor, 314, 520, C::TextBeam, 0},
        {Page::RecordEditor, 200, 520, C::Arrow, 0},
        {Page::RecordEditor, 200, 520, C::TextBeam, 1},
        {Page::RecordEditor, 414, 158, C::TextBeam, 4},
        {Page::RecordEditor, 150, 254, C::TextBeam, 5},
        {Page::RecordEditor, 150, 252, C::Arrow, 2},  // walls have 17 rows
        {Page::RecordEditor, 100, 520, C::Arrow, 6},
        {Page::RecordEditor, 100, 520, C::ValueDrag, 0, 0, -1, 2010},
        {Page::RecordEditor, 700, 50, C::ValueDrag, 6, 0, -1, 2069},
        {Page::RecordEditor, 100, 520, C::TextBeam, 0, 0, -1, 2070},
        // Search: 17 rows for walls, 23 otherwise.
        {Page::Search, 200, 500, C::TextBeam},
        {Page::Search, 414, 230, C::TextBeam, 6, 1},
        {Page::Search, 200, 228, C::Arrow, 6, 1},
        {Page::Search, 200, 228, C::TextBeam, 6, 2},
        {Page::Search, 600, 300, C::ValueDrag, 6, 0, -1, 12069},
        // Array tool: one column.
        {Page::ArrayTool, 200, 510, C::TextBeam},
        {Page::ArrayTool, 320, 510, C::Arrow},
        {Page::ArrayTool, 600, 100, C::ValueDrag, 6, 0, -1, 13032},
        {Page::ArrayTool, 600, 100, C::Arrow, 6, 0, -1, 13033},
        // Tile filter, image export, script editor.
        {Page::TileFilter, 68, 318, C::TextBeam},
        {Page::TileFilter, 139, 318, C::Arrow},
        {Page::TileFilter, 274, 332, C::TextBeam},
        {Page::TileFilter, 790, 298, C::TextBeam},
        {Page::TileFilter, 791, 298, C::Arrow},
        {Page::ImageExport, 128, 342, C::TextBeam},
        {Page::ImageExport, 127, 342, C::Arrow},
        {Page::ScriptEditor, 8, 536, C::TextBeam},
        {Page::ScriptEditor, 8, 536, C::Arrow, 6, 0, 12},  // no name typing while a demo runs
        {Page::ScriptEditor, 166, 138, C::TextBeam},
        {Page::ScriptEditor, 775, 138, C::Arrow},
        // Every other page, and numbers that are no page.
        {Page::GeneralOptions, 400, 300, C::Arrow},
        {Page::MessageBox, 400, 300, C::Arrow},
        {Page(27), 400, 300, C::Arrow},
        {Page(-1), 400, 300, C::Arrow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "page " << int(c.page) << " at " << c.x << "," << c.y << " subject "
                     << int(c.subject) << " widget " << c.widget);
        Frame r;
        r.ed->pages.recordEditor.recordEditorSubject = c.subject;
        r.ed->pages.search.searchObjectKind = c.searchKind;
        r.ed->demo.demoFrameIndex = c.demoFrame;
        r.ed->app.hoveredWidget = c.widget;
        r.ed->app.sideViewPadButton = c.padButton;
        EXPECT_EQ(r.at(c.page, c.x, c.y), c.expected);
    }
}

TEST(CursorRules, ColourFollowsTheShapeAndTheSnap) {
    Frame r;
    r.ed->settings.snapToGrid = 1;
    r.at(Page::PlanView, 400, 300);
    EXPECT_EQ(r.ed->cursor.cursorColor, 84);
    r.ed->settings.snapToGrid = 0;
    r.at(Page::PlanView, 400, 300);
    EXPECT_EQ(r.ed->cursor.cursorColor, 240);
    r.at(Page::PlanView, 400, 20);
    EXPECT_EQ(r.ed->cursor.cursorColor, 72);
    r.at(Page::ScriptEditor, 400, 300);
    EXPECT_EQ(r.ed->cursor.cursorColor, 72);
}

TEST(CursorRules, ShownValueFieldsTakeTheTextBeamOnEveryPage) {
    Frame r;
    WidgetState& w = r.ed->widgets;
    w.valueFieldCount = 2;
    w.valueFields[0] = {300, 200, 3, Page::DisplayOptions, 1};
    w.valueFields[1] = {500, 200, 4, Page::DisplayOptions, 1};
    const auto first = [](int32_t i) { return i == 0; };
    EXPECT_EQ(r.withFields(Page::DisplayOptions, 300, 200, first), C::TextBeam);
    EXPECT_EQ(r.withFields(Page::DisplayOptions, 394, 214, first), C::TextBeam);
    EXPECT_EQ(r.withFields(Page::DisplayOptions, 395, 214, first), C::Arrow);
    EXPECT_EQ(r.withFields(Page::DisplayOptions, 300, 215, first), C::Arrow);
    EXPECT_EQ(r.withFields(Page::DisplayOptions, 500, 200, first), C::Arrow) << "a field not shown";
    // Over the map view as well, where the cross would be.
    EXPECT_EQ(r.withFields(Page::PlanView, 310, 205, first), C::TextBeam);
}

TEST(CursorRules, AnOpenMenuTakesTheMouseInsideItsBox) {
    Frame r;
    MenuState& m = r.ed->menus;
    m.openMenu = 2;
    m.menuBoxX = 100;
    m.menuBoxY = 300;
    m.menuBoxWidth = 200;
    m.menuBoxHeight = 180;
    struct Case {
        int32_t x, y;
        bool inside;
    };
    for (const Case& c : {Case{100, 300, true}, Case{300, 480, true}, Case{301, 400, false},
                          Case{200, 299, false}, Case{200, 481, false}}) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        const C shape = r.at(Page::PlanView, c.x, c.y);
        EXPECT_EQ(shape, c.inside ? C::Arrow : C::MapCross);
        EXPECT_EQ(m.menuHasMouse, c.inside ? 1 : 0);
    }
    m.openMenu = 0;
    EXPECT_EQ(r.at(Page::PlanView, 200, 400), C::MapCross);
    EXPECT_EQ(m.menuHasMouse, 0);
}

TEST(CursorRules, ThePropertyBoxTakesTheMouseOutsideItsCloseCorner) {
    struct Case {
        PropertyBoxKind kind;
        int32_t x, y;
        bool onBox;
    };
    using K = PropertyBoxKind;
    // Anchored at the map origin with the view centred on it: the box's corner is (400, 300).
    const Case cases[] = {
        {K::Sector, 413, 300, true},  {K::Sector, 412, 312, false}, {K::Sector, 400, 313, true},
        {K::Sector, 655, 414, true},  {K::Sector, 656, 350, false}, {K::Sector, 500, 415, false},
        {K::Sprite, 500, 414, true},  {K::Wall, 500, 390, true},    {K::Wall, 500, 391, false},
        {K::Sector, 399, 350, false}, {K::None, 500, 350, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.kind) << " at " << c.x << "," << c.y);
        Frame r;
        r.ed->view.viewOriginX = r.ed->view.viewOriginY = 0;
        r.ed->view.viewZoom = 16;
        r.ed->dispatch.propertyBoxKind = c.kind;
        const C shape = r.at(Page::PlanView, c.x, c.y);
        EXPECT_EQ(shape, c.onBox ? C::Arrow : C::MapCross);
        EXPECT_EQ(r.ed->dispatch.propertyBoxShown, c.onBox ? 1 : 0);
    }
    // The anchor moves with the view, and a view that is no number puts the box nowhere.
    Frame r;
    r.ed->dispatch.propertyBoxKind = PropertyBoxKind::Sector;
    r.ed->dispatch.propertyBoxX = 160;
    r.ed->view.viewZoom = 16;
    EXPECT_EQ(r.at(Page::PlanView, 420, 350), C::Arrow);
    EXPECT_EQ(r.at(Page::PlanView, 409, 350), C::MapCross);
    for (float zoom : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(), 1e-30f}) {
        r.ed->view.viewZoom = zoom;
        r.at(Page::PlanView, 420, 350);
        EXPECT_EQ(r.ed->dispatch.propertyBoxShown, 0) << zoom;
    }
}

}  // namespace
}  // namespace korvel
