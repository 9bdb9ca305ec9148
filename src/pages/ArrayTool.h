// The array tool page: repeated pastes of the selected sprites along a pattern.
#pragma once

#include <array>
#include <cstdint>

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

// Painter of the page.
void drawSpriteArrayDialog(Editor& ed);

struct PanelContext;
// The static panel: the sprite rows, the pattern labels and the chosen pattern's description.
void drawArrayToolPanel(const PanelContext& pc, uint8_t arrayPattern);

}  // namespace korvel
