// The exit: the configuration is written, then, when "efonexit" is on, one of seven transitions
// chosen by the random generator darkens the last picture, all but one of them down to black.
#pragma once

#include <cstdint>
#include <functional>

namespace korvel {

struct ColorTables;
struct Editor;
struct FrameBuffer;

constexpr int32_t kExitTransitions = 7;
// Steps of each transition.
int32_t exitTransitionSteps(int32_t k);

// Runs transition k (0..6) on the screen, calling afterStep after every step.
void runExitTransition(FrameBuffer& fb, const ColorTables& colors, int32_t k,
                       const std::function<void()>& afterStep);

// Writes the configuration and plays the transition: each step is presented, the window system
// gets its turn and the program sleeps frmdelay. Whether the configuration was written.
bool playExitTransition(Editor& ed);

}  // namespace korvel
