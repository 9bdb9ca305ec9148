// The start-up log (coloured text lines written straight onto the screen and shown at once while
// the data loads) and the progress bar that long batch operations fill as they advance.
#pragma once

#include <cstdint>
#include <string>

#include "ui/FrameBuffer.h"

namespace korvel {

class Platform;
struct Fonts;
struct InputState;

struct BootLogState {
    int32_t bootLogLine = 0;     // line of the next log entry, 0..48; never reset
    uint8_t stepByStepBoot = 0;  // each log line waits for a new press of Space
    uint8_t progressShown = 0;   // a batch operation with a progress bar is running
    int32_t progressTotal = 0;
    int32_t progressDone = 0;
    int32_t progressDrawnWidth = 0;  // bar width drawn so far, minus one
    uint8_t presentPending = 0;      // a log line is drawn but not yet on screen
    uint8_t presentedOnce = 0;
    uint32_t lastPresentTick = 0;    // platform ticks of the last present
};

// Writes one line with a dark shadow at the next of the 49 log lines (the 50th goes over the
// first), presents the screen and lets the platform process its events once. Lines that come
// faster than one frame interval after the last present wait for the next present (a display
// that waits for its vertical blank would otherwise hold start-up back a frame per line);
// showBootLog presents the last of them. In step-by-step mode every line is presented, then it
// waits until Space is released and pressed again, or the window is closed.
void bootLog(BootLogState& log, const Canvas& cv, const Fonts& fonts, const InputState& input,
             Platform& platform, const std::string& text, uint8_t colour);
// Presents the log lines drawn since the last present, if any.
void showBootLog(BootLogState& log, const Canvas& cv, Platform& platform);

// The empty bar in the middle of the screen; resets the count done. Only while progressShown.
void drawProgressFrame(BootLogState& log, const Canvas& cv, Platform& platform);
// Extends the bar to progressDone of progressTotal, in steps of at least 9 pixels. Only while
// progressShown; a total below 1 draws nothing and a count past the total fills the bar.
void updateProgressBar(BootLogState& log, const Canvas& cv, Platform& platform);

}  // namespace korvel
