#include "map/ProgressScope.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/RecordingMapEvents.h"

namespace korvel::test {
namespace {

// A pass over `items` that gives up at item `failAt` by returning or by throwing.
bool pass(MapEvents& events, int32_t items, int32_t failAt, bool throws) {
    ProgressScope progress(events, items);
    for (int32_t i = 0; i < items; ++i) {
        if (i == failAt) {
            if (throws) throw std::runtime_error("refused");
            return false;
        }
        progress.step();
    }
    return true;
}

TEST(ProgressScopeTest, TheBarEndsHoweverThePassIsLeft) {
    struct Case {
        const char* name;
        int32_t failAt;
        bool throws;
        int32_t steps;
    } cases[] = {{"to the end", -1, false, 5},
                 {"returning early", 2, false, 2},
                 {"by an exception", 3, true, 3},
                 {"before any step", 0, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingMapEvents events;
        try {
            pass(events, 5, c.failAt, c.throws);
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(events.progressTotal, 5);
        EXPECT_EQ(events.progressSteps, c.steps);
        EXPECT_FALSE(events.progressOpen);
    }
}

}  // namespace
}  // namespace korvel::test
