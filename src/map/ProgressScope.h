// The progress bar of a batch pass as a bracket: begun with the pass's total when the scope
// opens, ended however the pass is left, so that no later step outside a pass draws a bar.
#pragma once

#include <cstdint>

#include "map/MapEvents.h"

namespace korvel {

class ProgressScope {
public:
    ProgressScope(MapEvents& events, int32_t total) : events_(events) {
        events_.progressBegin(total);
    }
    ~ProgressScope() { events_.progressEnd(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    // One item of the pass is done.
    void step() { events_.progressStep(); }

private:
    MapEvents& events_;
};

}  // namespace korvel
