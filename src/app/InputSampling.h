// Input sampling at the start of every active frame: the states of the 256 virtual keys with a
// press on the frame a key goes down and auto-repeats while it is held, the frame time, and the
// pointer with the vertical axis flipped, locked to an axis while Q is held.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace korvel {

struct InputState;
struct Settings;
struct Editor;

constexpr int kAxisLockKey = 81;  // Q

// Keys that never count as a typed key: the mouse buttons, Cancel, Shift and Control (both
// sides) and 255. The Alt keys are not among them.
bool isModifierKey(int k);

// Sub-steps of one key's sampling, for live and replayed states alike: keeps the previous state,
// takes the new one and works out the press, the auto-repeat and keyPressedThisFrame.
void sampleKey(InputState& in, int k, int16_t state, int32_t repeatStart, int32_t repeatDelay);

// The pointer position (y counted downwards) locked to an axis through the anchor: the plain lock
// keeps the longer of the two motions (the vertical one on a tie); with the affine grid the
// motion is projected onto the nearer of the grid's two axes. An axis of length 0 is never
// chosen (the plain lock stands in when both are), and its length is taken without overflow.
PointerPos lockToAxis(PointerPos p, PointerPos anchor, const Settings& settings);

// Live sampling of one frame.
void sampleLiveInput(InputState& in, PointerPos& axisLockAnchor, const Settings& settings,
                     Platform& platform, uint32_t loopStartTick);

// The frame loop's sampling step: live input (appended to a demo being recorded), or the next
// frame of a demo being played.
void sampleInput(Editor& ed);

}  // namespace korvel
