#include "editing/KeyboardDispatcher.h"

#include "app/Editor.h"
#include "commands/CommandTable.h"
#include "editing/InputDispatcher.h"

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

// Whether the chord fires this frame; a fired press is consumed, so no later binding of the
// frame sees it.
bool chordFires(Editor& ed, const KeyChord& chord) {
    const DispatchState& d = ed.dispatch;
    if (chord.key == 0 || !modifierAgrees(chord.ctrl, d.ctrlHeld) ||
        !modifierAgrees(chord.alt, d.altHeld) || !modifierAgrees(chord.shift, d.shiftHeld))
        return false;
    if (chord.yieldsToLiveView && onLiveView(ed)) return false;
    InputState& in = ed.input;
    if (chord.trigger == KeyTrigger::WentDown) return keyWentDown(in, chord.key);
    if (in.keyPressed[chord.key] == 0) return false;
    in.keyPressed[chord.key] = 0;
    return true;
}

}  // namespace

void processKeys(Editor& ed) {
    for (const CommandRow& row : commandTable()) {
        if (!row.hasHandler()) continue;
        for (const KeyChord& chord : row.chords)
            if (commandApplies(row, ed) && chordFires(ed, chord)) row.run(ed);
    }
}

}  // namespace korvel
