#include "editing/InputDispatcher.h"

#include <string>

#include "app/Editor.h"
#include "app/InputSampling.h"
#include "commands/CommandTable.h"
#include "editing/CursorRules.h"
#include "editing/DragCommit.h"
#include "editing/HiddenStates.h"
#include "editing/HoverPicking.h"
#include "editing/KeyboardDispatcher.h"
#include "editing/MapPress.h"
#include "editing/MenuCommands.h"
#include "editing/SelectionInput.h"
#include "editing/TypedValues.h"
#include "editing/UiItemActions.h"
#include "editing/ValuePrompt.h"
#include "editing/ViewNavigation.h"
#include "editing/WindowChrome.h"
#include "pages/PageTable.h"
#include "pages/PanelMouse.h"
#include "views/ToolPreview.h"

namespace korvel {

namespace {

constexpr int kShiftKey = 16, kCtrlKey = 17, kAltKey = 18;
constexpr int kLeftShiftKey = 160, kRightShiftKey = 161;
constexpr int kLeftAltKey = 164, kRightAltKey = 165;

// The first and last menu commands.

bool onPage(const Editor& ed, Page page) {
    return ed.app.currentPage == page;
}

void clearFrameTexts(Editor& ed) {
    ed.app.tooltipText.clear();
    ed.app.cursorLabel.clear();
    if (ed.app.previousPage != ed.app.currentPage) ed.app.focusedField = -1;
}

void followUndoState(Editor& ed) {
    const auto undo = uint8_t(ed.map.undoState);
    DispatchState& d = ed.dispatch;
    if (d.shownUndoState != undo) {
        ed.toolbar.toolbarButtons[kUndoButtonSlot].enabled = undo;
        // A full rebuild already asked for includes the toolbar.
        if (ed.app.redrawRequest == 0) ed.app.redrawRequest = 1;
    }
    d.shownUndoState = undo;
}

void readModifiers(Editor& ed) {
    const InputState& in = ed.input;
    DispatchState& d = ed.dispatch;
    d.shiftHeld = keyHeld(in, kShiftKey) ? 1 : 0;
    d.ctrlHeld = keyHeld(in, kCtrlKey) ? 1 : 0;
    d.altHeld = keyHeld(in, kAltKey) ? 1 : 0;
}

void forgetHovers(HoverState& h) {
    h.hoveredVertex = -1;
    h.hoveredSprite = -1;
    h.hoveredSector = -1;
    h.hoveredWall = -1;
}

void hoverByPage(Editor& ed) {
    switch (hoverViewOf(ed.app.currentPage, ed.pages.view3d.view3dState, ed.cursor.cursorShape)) {
        case HoverView::Side:
            hoverSideView(ed);
            break;
        case HoverView::Plan:
            hoverPlanView(ed);
            break;
        case HoverView::None:
            break;
    }
}

// A toolbar element or menu item pressed, or the click the keyboard left pending.
void pressUiElement(Editor& ed) {
    ToolbarState& t = ed.toolbar;
    if (ed.dispatch.pendingClick) t.hoveredElement = ed.dispatch.pendingClickId;
    const int32_t e = t.hoveredElement;
    if (e >= kFirstMenuCommand && e <= kLastMenuCommand) {
        runMenuCommand(ed);
    } else if (e >= 0 && e < kToolbarSlots && t.toolbarButtons[size_t(e)].enabled) {
        if (!pressUiItem(ed, e)) ed.app.hoveredWidget = e;
        rebuildToolbar(ed);
    }
    if (ed.dispatch.pendingClick) t.hoveredElement = -1;
}

// Whether a key other than the chord's own went down this frame. The Alt keys count as typed
// keys, so without this a Shift held before Alt would never switch.
bool otherKeyWentDown(const InputState& in, int a, int b) {
    if (!in.keyPressedThisFrame) return false;
    const bool chordHasAlt = a == kAltKey || b == kAltKey;
    for (int k = 0; k < 256; ++k) {
        if (!keyWentDown(in, k) || isModifierKey(k) || k == a || k == b) continue;
        if (chordHasAlt && (k == kLeftAltKey || k == kRightAltKey)) continue;
        return true;
    }
    return false;
}

// Shift with Alt, Shift with Ctrl, or both Shift keys switch the typing layout, unless the
// chord was used as the modifier of another key.
void switchLayoutByChord(Editor& ed) {
    if (!languageHasSecondLayout(ed.langs)) return;
    int a = 0, b = 0;
    switch (ed.settings.layoutSwitchKeys) {
        case 0:
            a = kShiftKey, b = kAltKey;
            break;
        case 1:
            a = kShiftKey, b = kCtrlKey;
            break;
        case 2:
            a = kLeftShiftKey, b = kRightShiftKey;
            break;
        default:
            return;
    }
    const InputState& in = ed.input;
    const bool bothDown = keyHeld(in, a) && keyHeld(in, b);
    const bool bothUp = !keyHeld(in, a) && !keyHeld(in, b);
    uint8_t& state = ed.dispatch.modifierChordState;
    uint8_t& cyrillic = ed.input.cyrillicKeyboard;
    if (state == 0 && bothDown) state = 1;
    if (state == 1 && otherKeyWentDown(in, a, b)) state = 2;
    if (state == 1 && bothUp) {
        cyrillic = cyrillic ? 0 : 1;
        state = 0;
    }
    if (state == 2 && !bothDown) state = 0;
}

// Alt anchors an area selection where it goes down; letting it go selects, unless a key command
// used Alt as its modifier and so cleared the latch.
void areaSelectionByAlt(Editor& ed) {
    const InputState& in = ed.input;
    DispatchState& d = ed.dispatch;
    const HoverState& h = ed.hover;
    if (keyWentDown(in, kAltKey)) {
        if (onPage(ed, Page::PlanView)) {
            d.areaAnchorX = h.hitPointX;
            d.areaAnchorY = h.hitPointY;
            d.areaSelectLatch = 1;
        } else if (onPage(ed, Page::SideView)) {
            d.areaAnchorX = h.sideHitPos;
            d.areaAnchorY = h.hitPointZ;
            d.areaSelectLatch = 1;
            d.areaAnchorHitX = h.hitPointX;
            d.areaAnchorHitY = h.hitPointY;
        }
    }
    if (keyWentUp(in, kAltKey) && d.areaSelectLatch) {
        d.areaSelectLatch = 0;
        selectByArea(ed);
    }
}

}  // namespace

HoverView hoverViewOf(Page page, uint8_t view3dState, CursorShape cursor) {
    if (cursor != CursorShape::MapCross) return HoverView::None;
    if (page == Page::SideView) return HoverView::Side;
    if (page == Page::PlanView || (page == Page::View3D && view3dState >= 1))
        return HoverView::Plan;
    return HoverView::None;
}

bool languageHasSecondLayout(const Languages& langs) {
    const int32_t i = langs.currentLanguage;
    return i < langs.languageCount() && langs.languages[size_t(i)].pluralRule >= 1;
}

void processFrameInput(Editor& ed) {
    const InputState& in = ed.input;
    AppState& a = ed.app;
    DispatchState& d = ed.dispatch;
    const bool leftPressed = keyWentDown(in, kLeftButton);
    const bool leftReleased = keyWentUp(in, kLeftButton);

    clearFrameTexts(ed);
    followUndoState(ed);
    readModifiers(ed);
    hitTestToolbarAndMenu(ed);
    updateHiddenStates(ed.map, ed.settings);
    if (ed.cursor.cursorShape != CursorShape::Busy) chooseCursorShape(ed);
    ed.cursor.cursorColor = cursorColorFor(ed.cursor.cursorShape, ed.settings.snapToGrid != 0);

    // Releases act before this frame's hovers are rebuilt; a pending click acts as a release and
    // a press in the same frame.
    if (d.pendingClick) a.hoveredWidget = d.pendingClickId;
    if ((leftReleased || d.pendingClick) && a.hoveredWidget >= 1) {
        releaseWidget(ed);
        a.hoveredWidget = 0;
    }

    // The page is looked up where its handling runs: what ran before may have changed it.
    // The page is looked up where its handling runs: what ran before may have changed it.
    processPanelMouse(ed);
    if (const auto mouse = pageEntry(a.currentPage).mouse) mouse(ed);
    forgetHovers(ed.hover);
    hoverByPage(ed);
    updatePanelSubject(ed);

    if (leftPressed) {
        pressInMap(ed);
        pressWindowChrome(ed);
    }
    if (leftPressed || d.pendingClick) pressUiElement(ed);
    if (d.pendingClick) {
        a.hoveredWidget = 0;
        d.pendingClick = 0;
    }
    if (keyHeld(in, kLeftButton) && !d.ignoreMousePress) {
        dragToolHandles(ed);
        dragHeightSlider(ed.settings, in, d.ctrlHeld != 0, a.tooltipText);
        if (a.platform)
            dragWindowByTitle(a.hoveredWidget, d, in, ed.settings.fullScreen != 0, *a.platform);
    }
    buildToolPreview(ed);
    if (leftReleased) {
        d.ignoreMousePress = 0;
        commitDrag(ed);
    }

    switchLayoutByChord(ed);
    const int32_t elapsed = int32_t(uint32_t(in.frameTime) - uint32_t(ed.loop.prevFrameTime));
    stepViewMotion(ed.view, ed.viewMotion, a.currentPage, in, elapsed,
                   [&ed](const char* cue) { playSound(ed, cue); });
    if (ed.prompt.promptKind == 0) typeIntoFocusedField(ed);
    if (const auto keys = pageEntry(a.currentPage).keys) keys(ed);
    areaSelectionByAlt(ed);
    // Exactly one of the two takes the keys of the frame.
    if (ed.prompt.promptKind >= 1)
        valuePromptKeys(ed);
    else
        processKeys(ed);
    stepViewGlide(ed.view, ed.viewMotion, elapsed);
}

}  // namespace korvel
