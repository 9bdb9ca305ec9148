// The dark panels drawn over the map views as their last layers: the attribute clipboard while
// its key is held, and the animated help popup that grows to the size of its topic and then
// shows the topic's hints.
#pragma once

#include <cstdint>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Editor;
struct AttributeClipboard;
struct Fonts;
struct Languages;
struct TileStore;

// Darkens the rectangle (columns x1..x2, rows y1..y2, clipped to the map view) and frames it.
void drawDarkPanel(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// What the clipboard holds: a title, one line per attribute (those the kind does not use dim)
// and the copied tile; frame's parity alternates the tile's dither.
void drawAttributeClipboardPanel(const Canvas& cv, const Fonts& fonts, const Languages& langs,
                                 const TileStore& tiles, const AttributeClipboard& clip,
                                 bool pasteHeinum, int32_t frame);
void drawAttributeClipboardPanel(Editor& ed, int32_t frame);

// The popup's rectangle for a topic at an opening step (32 or more: fully open).
struct HelpRect {
    int32_t x1, y1, x2, y2;
    bool operator==(const HelpRect&) const = default;
};
HelpRect helpPopupRect(int32_t topic, int32_t step);

// Draws the popup while it is open and tips are shown, advancing its opening by one step.
void drawHelpPanel(Editor& ed);

}  // namespace korvel
