// The document viewer page: one help topic in a window of 256 rows, its page label and the
// scroll bar whose thumb shows where the window lies in the topic.
#pragma once

#include <cstdint>
#include <string>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Editor;
struct Fonts;
struct HelpState;
struct Skin;

constexpr int32_t kDocumentWindowRows = 256;

// Rows of the thumb, both ends inclusive: lower edge and the edge L rows above it.
struct DocumentThumb {
    int32_t bottom = 0, top = 0;
};

// The largest scroll offset the topic allows: 0 while it fits the window.
int32_t documentScrollLimit(int32_t documentHeight);
// Puts documentScroll back into 0 .. documentScrollLimit; true when it moved.
bool clampDocumentScroll(HelpState& help);
// The thumb of a topic taller than the window, kept inside its track (rows 151..528).
DocumentThumb documentThumb(int32_t documentHeight, int32_t documentScroll);

// The page label (into the background) and the scroll bar's arrows and thumb (onto the screen).
void paintDocumentViewer(const Canvas& cv, const Skin& skin, const Fonts& fonts,
                        const HelpState& help, int32_t hoveredWidget, const std::string& label);
void drawDocumentViewer(Editor& ed);

// The text window's backdrop, tint and scroll track, repainted into the background before the
// topic is drawn over them.
void repaintDocumentWindow(const Canvas& cv, const Skin& skin, uint8_t stripeColour);
// After a scroll: the window repainted and the topic drawn at the new offset. A topic that has
// become shorter than the offset (a language change) is drawn again at its last offset.
void redrawDocumentPage(Editor& ed);

}  // namespace korvel
