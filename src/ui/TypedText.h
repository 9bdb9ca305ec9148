// Typed text: the characters of the keys pressed this frame, in the current keyboard layout.
#pragma once

#include <string>

namespace korvel {

struct Editor;

// Appends this frame's typed characters to text (Backspace removes one) and consumes their key
// presses.
void readTypedText(Editor& ed, std::string& text);

}  // namespace korvel
