// The report list page and the statistics page, which share one painter: the problems a map
// check found, and the counts and the chart of the map statistics. Also the runs that fill them
// (the map check into the report list, the statistics with their pie) and the requests their
// panels make on entering.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "map/MapStatistics.h"

namespace korvel {

struct Editor;
struct Canvas;
struct Fonts;
struct Languages;
struct MessageLists;
struct Skin;

struct ProblemListState {
    int32_t problemListOption = 1;
    int32_t problemListScroll = 0;  // index of the first entry shown
    uint8_t problemListDirty = 0;   // the list must be drawn into the background again
    MapStatistics statistics;
};

// Painter of the problem list and of the statistics page.
void drawReportPage(Editor& ed);

// The report list's entries from problemListScroll on, drawn into the background.
void drawProblemEntries(const Canvas& cv, const Skin& skin, const Fonts& fonts,
                        const Languages& langs, const MessageLists& lists, int32_t scroll);
// The statistics page's bars, counts and free channels, drawn onto the screen.
void drawStatisticsPage(const Canvas& cv, const Skin& skin, const Fonts& fonts,
                        const Languages& langs, const MapStatistics& stats, int32_t sectorCount,
                        int32_t wallCount, int32_t spriteCount);
// The texts of the statistics column (column 400) with their rows, from the top.
struct StatisticsLine {
    int32_t row;
    std::string text;
};
std::vector<StatisticsLine> statisticsLines(const MapStatistics& stats, const Languages& langs);
// The file size as a percentage of the largest map file: up to three decimals and "%".
std::string fileSizePercent(int32_t mapFileSize);

// Checks the map into the report list (emptied first) and asks for the list to be drawn.
void runMapCheck(Editor& ed);
// Computes the statistics and draws their pie into the background.
void runMapStatistics(Editor& ed);

// Entering the report page or the statistics page: the busy cursor and the request for the
// deferred action that fills the page.
void requestReportPageData(Editor& ed);

}  // namespace korvel
