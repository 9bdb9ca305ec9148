// The array tool page: repeated pastes of the selected sprites along a pattern.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "ui/FrameBuffer.h"

#include "pages/RecordEditor.h"

namespace korvel {

struct Editor;

// Angles in hundredths of a degree.
struct ArrayToolState {
    int32_t arrayCopyCount = 16;
    int32_t arrayRotationStep = 36000;
    uint8_t arrayRadioA = 2, arrayRadioB = 2;
    uint8_t arrayOption1 = 1;
    uint8_t arrayOption2 = 0, arrayOption3 = 0, arrayOption4 = 0, arrayOption5 = 0;
    uint8_t arrayOption6 = 0, arrayOption7 = 0;
    int32_t arrayParamA = 0, arrayParamB = 0, arrayParamC = 0, arrayParamD = 0;
    int32_t arrayAngleCenter = 0, arrayAngleRange = 0;
    uint8_t arrayPattern = 0;
    uint8_t arrayCheck = 0;  // the check box under the pattern descriptions
    int32_t arrayCenterX = 0, arrayCenterY = 0, arrayCenterZ = 0;
    std::array<int32_t, kPropertyColumns> arraySteps{};
};

struct Fonts;
struct Random;
struct Skin;

// What the dialog's painter reads besides the page's own state.
struct ArrayDialogFrame {
    const Canvas& cv;
    const Skin& skin;
    const Fonts& fonts;
    Random& random;  // the disc's noise, one draw per painted pixel
    int32_t textColour = 0;
    int32_t focusedField = -1;
    int32_t hoveredWidget = 0;
    int32_t frameTime = 0;
};

// A 1/100-degree angle as a 65536-per-turn angle in 0..65535, floored from the exact value.
int32_t hundredthsTo65536(int32_t angle);

// The angle-range disc around (700, 360): the pixels within the range around the centre
// direction, the two bounding radii and the outline.
void drawArrayAngleDisc(const Canvas& cv, Random& random, int32_t angleCenter, int32_t angleRange);

// The pattern buttons, the check box, the 23 increments with their handles and the caret, and
// for scattering in a limited range the disc. Returns the focused increment's text, if one of
// them has the focus.
std::optional<std::string> paintArrayDialog(const ArrayDialogFrame& f, const ArrayToolState& a);
void drawSpriteArrayDialog(Editor& ed);

struct PanelContext;
// The static panel: the sprite rows, the pattern labels and the chosen pattern's description.
void drawArrayToolPanel(const PanelContext& pc, uint8_t arrayPattern);

}  // namespace korvel
