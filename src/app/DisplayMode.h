// Display modes and window activation: the full-screen switch to 800x600 at 32 bits per pixel and
// back to the desktop's mode, and the activation hook through which losing the focus gives the
// desktop back (and idles the frame loop) and regaining it returns to full screen.
#pragma once

#include <cstdint>

namespace korvel {

class Platform;
struct Editor;

// 1 when the display now shows the mode, 0 when it was refused.
int32_t setDisplayMode(Platform& platform, int32_t width, int32_t height, int32_t bitsPerPixel,
                       int32_t frequency);
// Keeps the desktop's mode for restoring it later.
void getDisplayMode(Editor& ed);
// Start-up's attempt: full screen at refreshRate and the window maximised; whether it worked.
bool tryFullScreen(Editor& ed);
// Full screen later on; a refused switch opens message box 7 at once. Whether it worked.
bool enterFullScreen(Editor& ed);
void restoreDisplayMode(Editor& ed);

void OnAppActivate(Editor& ed);
void OnAppDeActivate(Editor& ed);
// Activation changes reach OnAppActivate and OnAppDeActivate from the next event pass on.
void hookWindow(Editor& ed);
void unhookWindow(Editor& ed);

}  // namespace korvel
