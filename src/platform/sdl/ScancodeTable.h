// The one table from SDL's physical scancodes (and mouse buttons) to the Windows virtual-key
// numbers the program reads its keys by.
#pragma once

#include <SDL_scancode.h>

namespace korvel {

// The virtual key of a physical key (an SDL_Scancode), 0 for keys without one or out of range. The
// numeric pad follows NumLock as Windows does: digits and the decimal point while it is on, the
// cursor and editing keys while it is off.
int virtualKeyForScancode(int scancode, bool numLockOn);

// Mouse buttons as the virtual keys 1 (left), 2 (right), 4 (middle), 5 and 6 (extra buttons);
// 0 for any other button.
int virtualKeyForMouseButton(int sdlButton);

}  // namespace korvel
