#include "editing/CursorRules.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "app/Editor.h"

namespace korvel {

namespace {

bool within(int64_t v, int64_t lo, int64_t hi) {
    return v >= lo && v <= hi;
}

// Rows of value cells stacked downward 16 pixels apart, row 0 spanning top - 14 .. top.
bool overRows(int32_t y, int32_t top, int32_t rows) {
    for (int32_t i = 0; i < rows; ++i)
        if (within(y, top - 14 - 16 * i, top - 16 * i)) return true;
    return false;
}

bool overColumns(int32_t x, std::initializer_list<int32_t> lefts) {
    for (int32_t left : lefts)
        if (within(x, left, left + 94)) return true;
    return false;
}

enum class Subject : uint8_t { Sprites, Sectors, Walls, None };

Subject recordSubject(uint8_t s) {
    switch (s) {
        case 0:
        case 3:
            return Subject::Sprites;
        case 1:
        case 4:
            return Subject::Sectors;
        case 2:
        case 5:
            return Subject::Walls;
        default:
            return Subject::None;
    }
}

CursorShape byPage(const CursorScene& scene) {
    const int32_t x = scene.mouseX, y = scene.mouseY;
    const int32_t widget = scene.hoveredWidget;
    CursorShape shape = CursorShape::Arrow;
    switch (scene.page) {
        case Page::PlanView:
        case Page::SideView:
        case Page::View3D:
            if (within(y, kMapViewBottom, kMapViewTop)) shape = CursorShape::MapCross;
            if (scene.page == Page::SideView && scene.sideViewPadButton >= 1)
                shape = CursorShape::Arrow;
            break;
        case Page::RecordEditor: {
            bool beam = false;
            switch (recordSubject(scene.recordEditorSubject)) {
                case Subject::Sprites:
                    beam = overColumns(x, {100, 220}) && overRows(y, 524, 23);
                    break;
                case Subject::Sectors:
                    beam = overColumns(x, {200, 320}) && overRows(y, 524, 23);
                    break;
                case Subject::Walls:
                    beam = overColumns(x, {150, 270}) && overRows(y, 524, 17);
                    break;
                case Subject::None:
                    break;
            }
            if (beam) shape = CursorShape::TextBeam;
            if (within(widget, 2010, 2069)) shape = CursorShape::ValueDrag;
            break;
        }
        case Page::Search:
            if (overColumns(x, {200, 320}) &&
                overRows(y, 500, scene.searchObjectKind == 1 ? 17 : 23))
                shape = CursorShape::TextBeam;
            if (within(widget, 12010, 12069)) shape = CursorShape::ValueDrag;
            break;
        case Page::ArrayTool:
            if (overColumns(x, {200}) && overRows(y, 524, 23)) shape = CursorShape::TextBeam;
            if (within(widget, 13010, 13032)) shape = CursorShape::ValueDrag;
            break;
        case Page::TileFilter:
            if ((within(y, 318, 332) && (within(x, 68, 138) || within(x, 204, 274))) ||
                (within(y, 298, 312) && within(x, 68, 790)))
                shape = CursorShape::TextBeam;
            break;
        case Page::ImageExport:
            if (within(y, 342, 356) && within(x, 128, 792)) shape = CursorShape::TextBeam;
            break;
        case Page::ScriptEditor:
            if ((within(y, 536, 550) && within(x, 8, 155) && !scene.demoRunning) ||
                (within(y, 138, 525) && within(x, 166, 774)))
                shape = CursorShape::TextBeam;
            break;
        default:
            break;
    }
    return shape;
}

// A screen coordinate taken to the nearest integer (halves to even), or none when the value is
// too far from the screen to matter.
std::optional<int64_t> nearestPixel(double v) {
    if (!(std::fabs(v) <= 1e9)) return std::nullopt;
    return int64_t(std::nearbyint(v));
}

bool overPropertyBox(const CursorScene& scene) {
    const DispatchState& d = scene.dispatch;
    const PlanProjection& view = scene.view;
    if (!(view.zoom > 0)) return false;
    const auto x0 = nearestPixel(view.screenX(d.propertyBoxX));
    const auto y0 = nearestPixel(view.screenY(d.propertyBoxY));
    if (!x0 || !y0) return false;
    const int64_t height = d.propertyBoxKind == PropertyBoxKind::Wall ? 90 : 114;
    const int64_t x = scene.mouseX, y = scene.mouseY;
    const bool inBox = x >= *x0 && x <= *x0 + 255 && y >= *y0 && y <= *y0 + height;
    const bool inCorner = x <= *x0 + 12 && y <= *y0 + 12;
    return inBox && !inCorner;
}

}  // namespace

CursorChoice chooseCursor(const CursorScene& scene) {
    CursorChoice choice;
    choice.shape = byPage(scene);
    const int32_t x = scene.mouseX, y = scene.mouseY;

    const WidgetState& w = scene.widgets;
    const int32_t fields = std::min(w.valueFieldCount, kValueFieldCapacity);
    for (int32_t i = 0; i < fields; ++i) {
        const WidgetValueField& f = w.valueFields[i];
        if (within(x, f.x, f.x + 94) && within(y, f.y, f.y + 14) && scene.fieldShown(i))
            choice.shape = CursorShape::TextBeam;
    }

    const MenuState& m = scene.menus;
    if (m.openMenu != 0 && insideMenuBox(m, x, y)) {
        choice.shape = CursorShape::Arrow;
        choice.menuHasMouse = true;
    }

    if (scene.dispatch.propertyBoxKind != PropertyBoxKind::None && overPropertyBox(scene)) {
        choice.shape = CursorShape::Arrow;
        choice.propertyBoxShown = true;
    }
    return choice;
}

void chooseCursorShape(Editor& ed) {
    chooseCursorShape(ed, [&ed](int32_t i) { return valueFieldVisible(ed, i); });
}

void chooseCursorShape(Editor& ed, const std::function<bool(int32_t index)>& fieldShown) {
    const CursorScene scene{ed.app.currentPage,
                            ed.input.mouseX,
                            ed.input.mouseY,
                            ed.app.hoveredWidget,
                            ed.app.sideViewPadButton,
                            ed.pages.recordEditor.recordEditorSubject,
                            ed.pages.search.searchObjectKind,
                            ed.demo.demoFrameIndex != -1,
                            ed.widgets,
                            fieldShown,
                            ed.menus,
                            ed.dispatch,
                            PlanProjection(ed.view)};
    const CursorChoice choice = chooseCursor(scene);
    ed.menus.menuHasMouse = choice.menuHasMouse;
    ed.dispatch.propertyBoxShown = choice.propertyBoxShown;
    ed.cursor.cursorShape = choice.shape;
}

uint8_t cursorColorFor(CursorShape shape, bool snapToGrid) {
    if (shape != CursorShape::MapCross) return 72;
    return snapToGrid ? 84 : 240;
}

}  // namespace korvel
