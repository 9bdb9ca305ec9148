// A test fixture holding one map model (map, undo snapshot, clipboard, view, recorded events)
// with a builder on its map and a check of the map invariants.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "support/MapBuilder.h"
#include "support/MapInvariants.h"
#include "support/MapModelOps.h"

namespace korvel::test {

class MapTest : public testing::Test {
protected:
    std::unique_ptr<MapModel> model = std::make_unique<MapModel>();
    MapModel& m = *model;
    MapStore& map = m.map;
    MapBuilder build{map};

    void expectValid() const { EXPECT_EQ(describeViolations(checkMapInvariants(map)), ""); }
};

}  // namespace korvel::test
