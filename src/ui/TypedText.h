// Typed text: the characters of the keys pressed this frame, in the current keyboard layout.
#pragma once

#include <string>

namespace korvel {

struct InputState;

// Appends this frame's typed characters, in the layout the input names, to text (Backspace
// removes one) and consumes their key presses.
void readTypedText(InputState& input, std::string& text);

}  // namespace korvel
