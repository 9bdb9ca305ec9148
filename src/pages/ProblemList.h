// The report list page and the statistics page, which share one painter: the problems a map
// check found, and the counts and the chart of the map statistics.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

struct ProblemListState {
    int32_t problemListOption = 1;
};

// Painter of the problem list and of the statistics page.
void drawReportPage(Editor& ed);

}  // namespace korvel
