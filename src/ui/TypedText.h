// Typed text: the characters of the keys pressed this frame, in the current keyboard layout.
// There are no character messages from the window system: each virtual key that went down (or
// repeated) gives one Windows-1251 character by a fixed table, in the Latin (US) layout or the
// Cyrillic (Russian) one.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

struct InputState;

// The character of a virtual key in the layout the input names, with this frame's Shift; 0 for
// a key without one (Enter, Tab, Delete, arrows, function keys, ...). Backspace gives 8.
uint8_t keyToChar(const InputState& input, uint8_t key);

// Appends this frame's typed characters to text in ascending key order (Backspace removes the
// last one) and consumes their key presses; keys without a character are left for others.
void readTypedText(InputState& input, std::string& text);

}  // namespace korvel
