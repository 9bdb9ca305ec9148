// The backdrop of the map view that dialog pages and the message box stand on: the picture of the
// map view just shown, dimmed through the interface tint or softly blurred, or nothing.
#pragma once

#include "pages/Page.h"

namespace korvel {

struct FrameBuffer;
struct ColorTables;

// viewBackdrop all colour 0.
void clearViewBuffer(FrameBuffer& fb);
// viewBackdrop := the map view of the screen, each pixel through the interface tint.
void copyViewThroughTable(FrameBuffer& fb, const ColorTables& ct);
// viewBackdrop := the map view of the screen, each pixel under a mix of its eight neighbours
// (colour 0 beyond the view's edges) through the blend table.
void smoothViewBuffer(FrameBuffer& fb, const ColorTables& ct);

// The backdrop a page change leaves: cleared on entering a map view, blurred on entering the
// message box, tinted on entering any other page from a map view or the message box, and kept
// between two other pages.
void prepareViewBackdrop(FrameBuffer& fb, const ColorTables& ct, Page left, Page entered);

}  // namespace korvel
