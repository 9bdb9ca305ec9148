#include "editing/KeyboardDispatcher.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/Editor.h"
#include "commands/CommandTable.h"
#include "editing/InputDispatcher.h"
#include "platform/VirtualKeys.h"
#include "view3d/View3DKeys.h"

namespace korvel {

namespace {

// view3dState of the live, flown view.
constexpr uint8_t kLiveView = 0;

bool modifierAgrees(ModifierNeed need, uint8_t held) {
    switch (need) {
        case ModifierNeed::Up:
            return held == 0;
        case ModifierNeed::Down:
            return held != 0;
        case ModifierNeed::Either:
            return true;
    }
    return false;
}

bool onLiveView(const Editor& ed) {
    return ed.app.currentPage == Page::View3D && ed.pages.view3d.view3dState == kLiveView;
}

ChordContext contextOf(const Editor& ed) {
    const DispatchState& d = ed.dispatch;
    return {ed.app.currentPage, onLiveView(ed), d.ctrlHeld, d.altHeld, d.shiftHeld};
}

// --- Hidden words ---

void toggleHiddenEffect(AppState& a, int word) {
    switch (word) {
        case 0:
            a.screenSwingState = a.screenSwingState == -1 ? 0 : -1;
            a.screenSwingAngle = 0;
            break;
        case 1:
            a.screenSmearEffect = uint8_t(1 - a.screenSmearEffect);
            break;
        case 2:
            a.screenShakeEffect = uint8_t(1 - a.screenShakeEffect);
            break;
        default:
            a.frameBlend = uint8_t(1 - a.frameBlend);
            break;
    }
}

// Letters typed this frame, in key order, move each word on or start it again; the letters are
// left for the commands.
void typeHiddenWords(Editor& ed) {
    AppState& a = ed.app;
    int32_t* progress[4] = {&a.hiddenWord12Progress, &a.hiddenWord14Progress,
                            &a.hiddenWord7Progress, &a.hiddenWord8Progress};
    for (int key = 'A'; key <= 'Z'; ++key) {
        if (!ed.input.keyPressed[size_t(key)]) continue;
        for (int word = 0; word < 4; ++word) {
            const char* letters = kHiddenWords[word];
            const auto length = int32_t(std::strlen(letters));
            int32_t& p = *progress[word];
            if (p < 0 || p >= length || letters[p] != key) {
                p = 0;
                continue;
            }
            if (++p == length) {
                p = 0;
                toggleHiddenEffect(a, word);
            }
        }
    }
}

// --- View bookmarks ---

// A digit going down stores (with Ctrl) or recalls bookmark 0..9; either way the digit is
// taken, so the digit commands of the frame do not also run.
void bookmarkKeys(Editor& ed) {
    if (ed.app.currentPage != Page::PlanView || ed.bookmarks.bookmarkTool != 1) return;
    for (int32_t i = 0; i < kBookmarkCount; ++i) {
        const int key = '0' + i;
        if (!keyWentDown(ed.input, key)) continue;
        if (ed.dispatch.ctrlHeld) {
            storeBookmark(ed.bookmarks, i, ed.view, ed.map, ed.settings);
            playSound(ed, "beep3");
        } else if (recallBookmark(ed.bookmarks, i, ed.view, ed.viewMotion, ed.map, ed.settings)) {
            playSound(ed, "beep2");
        }
        ed.input.keyPressed[size_t(key)] = 0;
    }
}

// --- The free 3D camera ---

// Moves v towards 0 by d, and to 0 once within d.
void deadZone(double& v, double d) {
    if (v > d)
        v -= d;
    else if (v < -d)
        v += d;
    else
        v = 0;
}

void holdKeys(Editor& ed, View3DState& c) {
    const InputState& in = ed.input;
    const double k = ed.dispatch.shiftHeld ? 2 : 1;
    const auto held = [&](int key) { return keyHeld(in, key); };
    if (held('W')) c.forwardSpeed3d += 8 * k;
    if (held('S')) c.forwardSpeed3d -= 8 * k;
    if (held('A')) c.strafeSpeed3d -= 8 * k;
    if (held('D')) c.strafeSpeed3d += 8 * k;
    if (held(vk::Left)) c.turnSpeed3d -= 4;
    if (held(vk::Right)) c.turnSpeed3d += 4;
    if (held(vk::Space)) c.verticalSpeed3d -= 128 * k;
    if (held(vk::Ctrl)) c.verticalSpeed3d += 128 * k;
    if (held(vk::PageUp)) c.pitchSpeed3d -= 128;
    if (held(vk::PageDown)) c.pitchSpeed3d += 128;
    if (held(vk::Pad3)) c.tiltSpeed3d += 128 * k;
    if (held(vk::Pad1)) c.tiltSpeed3d -= 128 * k;
    if (held(vk::PadMultiply)) c.zoomSpeed3d += 8 * k;
    if (held(vk::PadDivide)) c.zoomSpeed3d -= 8 * k;
}

// Keypad plus and minus, or Shift with "=" and "-", set the picture's detail; the presses are
// taken, so the value commands of the frame do not also run.
void detailKeys(Editor& ed, View3DState& c) {
    InputState& in = ed.input;
    const bool shift = ed.dispatch.shiftHeld != 0;
    const auto take = [&](int key) {
        if (!in.keyPressed[size_t(key)]) return false;
        in.keyPressed[size_t(key)] = 0;
        return true;
    };
    bool finer = take(vk::PadPlus);
    if (shift && take(vk::Equals)) finer = true;
    bool coarser = take(vk::PadMinus);
    if (shift && take(vk::Minus)) coarser = true;
    if (finer) c.detailScale3d = std::min(c.detailScale3d + 0.05f, 1.0f);
    if (coarser) c.detailScale3d = std::max(c.detailScale3d - 0.05f, 0.3f);
    if (finer || coarser) c.view3dValid = 0;
}

// With the right button held the pointer turns and tilts the camera and is put back at the
// centre, so that a pointer at rest turns nothing.
void mouseLook(Editor& ed, View3DState& c) {
    const InputState& in = ed.input;
    if (!keyHeld(in, kRightButton)) return;
    const double pitchScale = c.mouseLook3dOption == 0 ? -12.8 : 12.8;
    c.camAngle += (in.mouseX - kViewCentreX) * 0.4;
    c.pitch3d =
        std::clamp(c.pitch3d + (in.mouseY - (kViewCentreY - 1)) * pitchScale, -15000.0, 15000.0);
    c.view3dValid = 0;
    if (ed.app.platform) ed.app.platform->warpPointer(kViewCentreX, kViewCentreY);
}

void integrateCamera(View3DState& c) {
    const double a = c.camAngle * 3.14159265358979 / 1024;
    const auto changed = [&c] { c.view3dValid = 0; };
    if (c.strafeSpeed3d != 0) {
        c.camX -= c.strafeSpeed3d * std::sin(a);
        c.camY += c.strafeSpeed3d * std::cos(a);
        changed();
    }
    if (c.forwardSpeed3d != 0) {
        c.camX += c.forwardSpeed3d * std::cos(a);
        c.camY += c.forwardSpeed3d * std::sin(a);
        changed();
    }
    if (c.verticalSpeed3d != 0) {
        c.camZ += c.verticalSpeed3d;
        changed();
    }
    if (c.turnSpeed3d != 0) {
        c.camAngle += c.turnSpeed3d;
        changed();
    }
    if (c.pitchSpeed3d != 0) {
        c.pitch3d = std::clamp(c.pitch3d + c.pitchSpeed3d, -15000.0, 15000.0);
        changed();
    }
    if (c.tiltSpeed3d != 0) {
        c.tilt3d += c.tiltSpeed3d;
        if (c.tilt3d > 65536) c.tilt3d -= 65536;
        if (c.tilt3d < 0) c.tilt3d += 65536;
        changed();
    }
    if (c.zoomSpeed3d != 0) {
        c.zoom3d = std::clamp(c.zoom3d + c.zoomSpeed3d, 250.0, 3200.0);
        changed();
    }
    for (double* v : {&c.strafeSpeed3d, &c.forwardSpeed3d, &c.verticalSpeed3d}) *v *= 0.95;
    for (double* v : {&c.turnSpeed3d, &c.pitchSpeed3d, &c.tiltSpeed3d, &c.zoomSpeed3d}) *v *= 0.9;
    deadZone(c.strafeSpeed3d, 1);
    deadZone(c.forwardSpeed3d, 1);
    deadZone(c.turnSpeed3d, 1);
    deadZone(c.verticalSpeed3d, 16);
    deadZone(c.pitchSpeed3d, 4);
    deadZone(c.tiltSpeed3d, 4);
    deadZone(c.zoomSpeed3d, 4);
}

void flyCamera(Editor& ed) {
    View3DState& c = ed.pages.view3d;
    holdKeys(ed, c);
    detailKeys(ed, c);
    mouseLook(ed, c);
    integrateCamera(c);
}

// --- Key bindings ---

bool chordFires(Editor& ed, const KeyChord& chord, const ChordContext& where) {
    if (!chordMatches(chord, where, ed.input)) return false;
    if (chord.trigger == KeyTrigger::Pressed) {
        ed.input.keyPressed[chord.key] = 0;
        if (chord.key2 != 0) ed.input.keyPressed[chord.key2] = 0;
    }
    return true;
}

void fire(Editor& ed, const CommandRow& row) {
    // Alt held as the modifier of a command must not also select by area when let go.
    ed.dispatch.areaSelectLatch = 0;
    if (row.pressesToolbar()) {
        for (uint8_t i = 0; i < row.presses.count; ++i)
            pressToolbarButton(ed, row.presses.codes[i], row.presses.forced);
        return;
    }
    row.run(ed);
}

bool isBound(const CommandRow& row) {
    return row.hasHandler() || row.pressesToolbar();
}

// --- Held keys move the views ---

void moveViewsByHeldKeys(Editor& ed) {
    if (ed.dispatch.ctrlHeld) return;
    const Page page = ed.app.currentPage;
    if (page != Page::PlanView && page != Page::SideView) return;
    const InputState& in = ed.input;
    const int32_t elapsed = int32_t(uint32_t(in.frameTime) - uint32_t(ed.loop.prevFrameTime));
    const auto step =
        float(motionTimeUnits(std::max(elapsed, 0)) * (ed.dispatch.shiftHeld ? 3 : 1));
    ViewMotionState& m = ed.viewMotion;
    const bool plan = page == Page::PlanView;
    float& vx = plan ? m.panVelocityX : m.sideViewVelX;
    float& vy = plan ? m.panVelocityY : m.sideViewVelZ;
    float& vz = plan ? m.zoomVelocity : m.sideViewZoomVel;
    if (keyHeld(in, vk::Left)) vx += step;
    if (keyHeld(in, vk::Right)) vx -= step;
    if (keyHeld(in, vk::Up)) vy -= step;
    if (keyHeld(in, vk::Down)) vy += step;
    if (keyHeld(in, 'A')) vz -= step;
    if (keyHeld(in, 'Z')) vz += step;
}

// The tile picker's cursor stays on a listed tile: inside the list and, unless every tile is
// shown, not on the end mark.
void keepTilePickerCursor(Editor& ed) {
    if (ed.app.currentPage != Page::TilePicker) return;
    TilePickerState& t = ed.pages.tilePicker;
    const std::vector<int32_t>& list = ed.tileCatalog.tileList;
    if (t.tilePickerCursor < 0) t.tilePickerCursor = 0;
    if (t.tilePickerShowAll || list.empty()) return;
    t.tilePickerCursor = std::min(t.tilePickerCursor, int32_t(list.size()) - 1);
    while (t.tilePickerCursor > 0 && list[size_t(t.tilePickerCursor)] == -1) --t.tilePickerCursor;
}

}  // namespace

bool chordMatches(const KeyChord& chord, const ChordContext& where, const InputState& in) {
    if (chord.key == 0 || !modifierAgrees(chord.ctrl, where.ctrlHeld) ||
        !modifierAgrees(chord.alt, where.altHeld) || !modifierAgrees(chord.shift, where.shiftHeld))
        return false;
    if (chord.yieldsToLiveView && where.liveView) return false;
    if (chord.liveViewFirst && !where.liveView) return false;
    if (chord.planViewOnly && where.page != Page::PlanView) return false;
    if (chord.trigger == KeyTrigger::WentDown)
        return keyWentDown(in, chord.key) && (chord.key2 == 0 || keyWentDown(in, chord.key2));
    return in.keyPressed[chord.key] != 0 && (chord.key2 == 0 || in.keyPressed[chord.key2] != 0);
}

const CommandRow* firstFiringRow(const ChordContext& where, const InputState& in) {
    for (const CommandRow& row : commandTable()) {
        if (!isBound(row) || !row.pages.has(where.page)) continue;
        for (const KeyChord& chord : row.chords)
            if (chordMatches(chord, where, in)) return &row;
    }
    return nullptr;
}

void fireKeyBindings(Editor& ed) {
    for (const CommandRow& row : commandTable()) {
        if (!isBound(row)) continue;
        // The live 3D view's rows ran before the dispatcher's own (process3DKeys).
        if (row.chords[0].liveViewFirst) continue;
        for (const KeyChord& chord : row.chords)
            // The page is looked at for every chord: a command may have changed it.
            if (commandApplies(row, ed) && chordFires(ed, chord, contextOf(ed))) fire(ed, row);
    }
}

void processKeys(Editor& ed) {
    typeHiddenWords(ed);
    const bool live = onLiveView(ed);
    if (live) process3DKeys(ed);
    bookmarkKeys(ed);
    if (live && !ed.dispatch.altHeld) flyCamera(ed);
    fireKeyBindings(ed);
    moveViewsByHeldKeys(ed);
    keepTilePickerCursor(ed);
}

void pressToolbarButton(Editor& ed, int32_t code, bool force) {
    const auto& buttons = ed.toolbar.toolbarButtons;
    for (int32_t i = 0; i < kToolbarSlots; ++i) {
        const ToolbarButton& b = buttons[size_t(i)];
        if (b.code != code || !b.enabled || b.context == kContextEmpty) continue;
        if (!force && !toolbarContextHolds(ed, b.context)) continue;
        ed.dispatch.pendingClickId = i;
        ed.dispatch.pendingClick = 1;
    }
}

}  // namespace korvel
