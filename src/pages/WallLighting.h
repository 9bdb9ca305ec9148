// The wall lighting page, which shares its painter with the image export page: the light's
// direction or position and the shade range it gives the walls.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace korvel {

struct Editor;
struct Languages;
struct ViewState;

// Angles in hundredths of a degree.
struct WallLightingState {
    uint8_t lightDirectional = 1;
    int32_t lightAngle = 4500;
    uint8_t lightFalloffMode = 1;
    uint8_t lightDistanceFalloff = 1;
    uint8_t lightRelative = 0;
    int32_t lightX = 0, lightY = 0;
    int32_t lightShadeMin = 0, lightShadeMax = 20;
    // Work table of the lighting: entry b is 2^(-b/8) below 128 and 2^((255-b)/8) from 128 on.
    std::array<double, 256> shadeBrightness{};
};

// The export page's size line: the picture's size, or why there is none; with its colour.
std::string exportSizeLine(const ViewState& view, const Languages& langs, int32_t& colour);

// The apply button of the wall lighting page.
void applyWallLighting(Editor& ed);

// Painter of the wall lighting and of the image export page.
void drawLightingOrExportPage(Editor& ed);

}  // namespace korvel
