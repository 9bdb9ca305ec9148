// Services that page changes and deferred actions call and that come with the pages, the map
// check, the statistics and the scripts: the static panel of a page, the map check, the map
// statistics with their pie chart, and saving and running the current script.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

struct Editor;

// The static panel of currentPage into the background.
void drawModePanel(Editor& ed);
// Checks the map and fills the problem list.
void checkMap(Editor& ed);
// The statistics of the statistics page.
void computeMapStatistics(Editor& ed);
// A ring of radius r and thickness t at (cx, cy) in the background, split at angle a (65536 per
// turn) between colours c1 and c2.
void drawPieChart(Editor& ed, int32_t cx, int32_t cy, int32_t r, int32_t t, int32_t a, uint8_t c1,
                  uint8_t c2);
// Writes the current script to its file; mode 1 when leaving the script editor.
void saveScript(Editor& ed, int32_t mode);
// Compiles the named script and, with topLevel non-zero, runs it.
void runScript(Editor& ed, const std::string& name, int32_t topLevel);

}  // namespace korvel
