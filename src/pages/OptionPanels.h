// The static panels of the settings pages: display options, general options, the tile-list
// filter, the colour scheme editor and the map image export.
#pragma once

#include <cstdint>

namespace korvel {

struct PanelContext;

void drawDisplayOptionsPanel(const PanelContext& pc);
void drawGeneralOptionsPanel(const PanelContext& pc);
void drawTileFilterPanel(const PanelContext& pc);
void drawColorSchemePanel(const PanelContext& pc);
void drawImageExportPanel(const PanelContext& pc);

// The game colour column j (0..31) of the tile filter's swatch of colour class k (1..9) shows;
// -1 for a class outside 1..9.
int32_t swatchGameColour(int32_t k, int32_t j);

}  // namespace korvel
