// The static panels of the tool dialogs and the special view pages: wall lighting, the sparks
// toy, the generator setups, the profile editor, the terrain setup and the script editor.
#pragma once

#include <array>
#include <cstdint>

namespace korvel {

struct PanelContext;

void drawWallLightingPanel(const PanelContext& pc, uint8_t lightDirectional);
void drawSparksToyPanel(const PanelContext& pc);

// The picture of one spark: 65 x 65, entry (i, j) at 65 i + j; 255 transparent, 1..11 a shade.
using SparkShadeImage = std::array<uint8_t, 65 * 65>;
void buildSparkShadeImage(SparkShadeImage& image);

// Pages 19, 20 and 21.
void drawGeneratorPanel(const PanelContext& pc, int32_t page);
void drawProfileEditorPanel(const PanelContext& pc, bool revolve);
void drawTerrainSetupPanel(const PanelContext& pc);
void drawScriptEditorPanel(const PanelContext& pc);

}  // namespace korvel
