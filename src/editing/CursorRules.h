// The pointer's shape and colour for the frame, chosen from the page and what lies under the
// mouse: the map cross over the map views, a text beam over typed values, the value-drag arrows,
// and the arrow over an open menu or the property box.
#pragma once

#include <cstdint>
#include <functional>

#include "app/AppState.h"
#include "ui/Cursor.h"
#include "views/Projection.h"

namespace korvel {

struct Editor;
struct WidgetState;
struct MenuState;
struct DispatchState;

// Where the pointer is and what lies under it, as far as its shape depends on them.
struct CursorScene {
    Page page = Page::PlanView;
    int32_t mouseX = 0, mouseY = 0;  // rows from the bottom
    int32_t hoveredWidget = 0;       // the widget held under the pressed mouse
    int32_t sideViewPadButton = 0;   // the side view's navigation-pad button under the mouse
    uint8_t recordEditorSubject = 0;
    uint8_t searchObjectKind = 0;
    bool demoRunning = false;  // the script editor takes no typed name then
    const WidgetState& widgets;
    const std::function<bool(int32_t index)>& fieldShown;  // value field i is shown on the page
    const MenuState& menus;
    const DispatchState& dispatch;  // the property box
    PlanProjection view;            // where the property box lies on the screen
};

struct CursorChoice {
    CursorShape shape = CursorShape::Arrow;
    bool menuHasMouse = false;      // the pointer lies in the open menu's box
    bool propertyBoxShown = false;  // ... or on the property box, outside its close corner
};

// The shape for the scene, and whether the open menu or the property box has the pointer.
CursorChoice chooseCursor(const CursorScene& scene);

// The dispatcher's entry: chooses for the editor's pointer and sets cursorShape, menuHasMouse
// and propertyBoxShown. A value field counts where fieldShown says it is shown; without it,
// where valueFieldVisible does.
void chooseCursorShape(Editor& ed, const std::function<bool(int32_t index)>& fieldShown);
void chooseCursorShape(Editor& ed);

// 84 for the map cross while snapping to the grid, 240 without; 72 for every other shape.
uint8_t cursorColorFor(CursorShape shape, bool snapToGrid);

}  // namespace korvel
