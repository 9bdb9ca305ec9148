// The keyboard dispatcher: the hidden words, the 3D edit keys, the view bookmarks, the free 3D
// camera, the key commands of the command table, the views moved by held keys, and the toolbar
// buttons the keys press.
#pragma once

#include <cstdint>

#include "app/InputState.h"
#include "pages/Page.h"

namespace korvel {

struct CommandRow;
struct Editor;
struct KeyChord;

// Every frame no value prompt is open.
void processKeys(Editor& ed);

// The key commands alone: each row whose chord the frame's keys make fires, in table order; a
// press a chord takes is consumed, so no later chord of the frame sees it.
void fireKeyBindings(Editor& ed);

// Where and with what modifiers a chord is tried.
struct ChordContext {
    Page page = Page::PlanView;
    bool liveView = false;  // the 3D page showing the live view
    uint8_t ctrlHeld = 0, altHeld = 0, shiftHeld = 0;
};
// Whether the chord's key state is there this frame (a pressed chord does not consume here).
bool chordMatches(const KeyChord& chord, const ChordContext& where, const InputState& in);
// The first row of the table, with the chord of it, that the frame's keys fire where given;
// null when none does.
const CommandRow* firstFiringRow(const ChordContext& where, const InputState& in);

// Makes the last enabled toolbar element with this action code whose context holds (or any
// enabled one, when forced) the click the dispatcher performs next; nothing when none is.
void pressToolbarButton(Editor& ed, int32_t code, bool force);

// The hidden words' letters, 12, 14, 7 and 8 of them; each typed in full toggles a screen
// effect.
constexpr const char* kHiddenWords[4] = {"KORVELSWINGS", "SMEARTHESCREEN", "QUAKING", "BLENDING"};

}  // namespace korvel
