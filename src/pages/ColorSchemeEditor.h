// The colour-scheme editor page: the list of colour settings with the selected one pulsing in
// its colour's ramp, and the markers of that colour and of the interface colour offset.
#pragma once

#include <cstdint>

#include "ui/FrameBuffer.h"

namespace korvel {

struct ColorSettings;
struct Fonts;
struct Languages;

// The selected setting and the one in the list's first row.
struct ColorSchemeEditorState {
    int32_t colorEditorSelected = 0;
    int32_t colorEditorTop = 0;
};

// Per frame, over the page's static panel: the pulsing band of the selected setting, the names
// of the 29 listed settings, the marker of the selected colour in the palette grid and the marker
// of guiColor on the colour-offset strip.
void drawColorSchemeEditor(const Canvas& cv, const Fonts& fonts, const Languages& langs,
                           const ColorSettings& colors, const ColorSchemeEditorState& editor,
                           int32_t frameTime);

}  // namespace korvel
