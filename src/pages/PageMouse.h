// The pieces of the page mouse: the pointer of this frame, the generic scroll bar and the pages'
// own hit areas.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// The left button and the pointer this frame. A press: down now and up in the frame before; a
// repeat: the first press or an auto-repeat of the held button.
struct Pointer {
    int32_t x = 0, y = 0;
    bool held = false, wasHeld = false, repeat = false, shift = false;
    bool press() const { return held && !wasHeld; }
};
Pointer pointerOf(const Editor& ed);

// A scroll bar's thumb: its length and the run left for it to move in.
struct ThumbGeometry {
    int64_t length = 0, freeRun = 0;
};
ThumbGeometry thumbGeometry(int64_t length, int64_t total, int64_t visible);

struct ScrollBarGeometry {
    int32_t x = 0, y = 0, length = 0, visible = 0;
    bool vertical = true;
    int32_t id = 0;  // the down (or right) arrow; id + 1 the other arrow, id + 2 the thumb
};
// One frame of a table scroll bar over a list of `total` rows shown from `position`: the arrows
// and the thumb grabbed into `hovered` (with the grab offset), the steps on repeats and the
// thumb drag. Returns the new position; `dirty` is set when the list must be drawn again.
int32_t genericScrollBar(const ScrollBarGeometry& bar, int32_t total, int32_t position,
                         const Pointer& p, int32_t& hovered, int32_t& grab, bool& dirty);

// floor(v) kept within lo..hi, whatever v is (a drag far past the end of its bar).
int64_t floorWithin(double v, int64_t lo, int64_t hi);

// The current page's own hit areas, after the widget pass.
void pageHitAreas(Editor& ed, const Pointer& p);

}  // namespace korvel
