// The input dispatcher's own state: the modifier bytes every command reads, the synthetic click
// the keyboard leaves for it, the area-selection anchor, the keyboard-layout chord, the title
// drag and the plan view's property box.
#pragma once

#include <cstdint>

namespace korvel {

// Which kind of object the plan view's property box shows (propertyBoxKind).
enum class PropertyBoxKind : uint8_t { None = 0, Sector = 1, Wall = 2, Sprite = 3 };

struct DispatchState {
    // 1 while Shift, Ctrl or Alt is down this frame; commands read these, not the key table.
    uint8_t shiftHeld = 0;
    uint8_t ctrlHeld = 0;
    uint8_t altHeld = 0;

    // A click the keyboard asks for (a UI item slot, a menu command or a message-box answer),
    // performed by the next dispatch as a release and a press in one frame.
    uint8_t pendingClick = 0;
    int32_t pendingClickId = 0;
    // The button still held from a menu click does nothing until it is released.
    uint8_t ignoreMousePress = 0;
    // The undo state the undo button was last enabled for.
    uint8_t shownUndoState = 0;
    // Keyboard-layout chord: 0 idle, 1 both keys held, 2 used as a modifier of another key.
    uint8_t modifierChordState = 0;

    // Area selection: set while Alt is held; the anchor in map units (side view: position along
    // the section and height, with the map point in areaAnchorHitX, areaAnchorHitY).
    uint8_t areaSelectLatch = 0;
    int32_t areaAnchorX = 0, areaAnchorY = 0;
    int32_t areaAnchorHitX = 0, areaAnchorHitY = 0;

    // Where the mouse was when the title strip was grabbed.
    int32_t panelDragMouseX = 0, panelDragMouseY = 0;

    // The property box: the kind of its object and the object; the map point it is anchored at;
    // whether the mouse lies on it this frame (outside its close corner).
    PropertyBoxKind propertyBoxKind = PropertyBoxKind::None;
    int32_t propertyBoxObject = 0;
    int32_t propertyBoxX = 0, propertyBoxY = 0;
    uint8_t propertyBoxShown = 0;
};

}  // namespace korvel
