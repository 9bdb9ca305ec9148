// The vertical scroll bar of the lists (the report list, the file browser's two lists and the
// language list): inactive arrows while the whole list fits, else the thumb and pressed arrows.
#pragma once

#include <cstdint>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Skin;

struct ListScrollBar {
    int32_t x;            // left column; the bar is 15 pixels wide
    int32_t lowerArrowY;  // lowest row of the lower arrow (15 x 15)
    int32_t upperArrowY;  // lowest row of the upper arrow
    int32_t trackLength;  // L
    int32_t base;         // lowest row of the thumb track
    int32_t visible;      // V: entries the page shows
    int32_t lowerId, upperId;
};

constexpr ListScrollBar kReportListBar{780, 134, 540, 390, 149, 8, 3001, 3002};
constexpr ListScrollBar kBrowserFoldersBar{385, 135, 504, 353, 150, 32, 9001, 9002};
constexpr ListScrollBar kBrowserFilesBar{785, 135, 504, 353, 150, 32, 9003, 9004};
constexpr ListScrollBar kLanguageListBar{767, 174, 356, 166, 189, 16, 11002, 11003};

struct ThumbSpan {
    int32_t position;  // rows above the track's base
    int32_t length;
};

// The thumb of a list of `total` entries whose first shown entry is `first` (total > visible).
// It stays inside its track whatever `first` is.
ThumbSpan listThumb(const ListScrollBar& bar, int32_t total, int32_t first);

// Draws the bar onto the screen for this frame.
void drawListScrollBar(const Canvas& cv, const Skin& skin, const ListScrollBar& bar, int32_t total,
                       int32_t first, int32_t hoveredWidget);

}  // namespace korvel
