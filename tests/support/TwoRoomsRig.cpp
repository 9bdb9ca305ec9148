#include "support/TwoRoomsRig.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/MapFileCommands.h"
#include "app/Startup.h"
#include "map/MapFile.h"
#include "support/MapBuilder.h"

namespace korvel::test {

TwoRoomsRig::TwoRoomsRig() {
    EXPECT_TRUE(startup(*ed));
    auto map = std::make_unique<MapStore>();
    MapBuilder b(*map);
    b.addRoom(0, 0, 256, 256);
    b.addRoom(256, 0, 512, 256);
    b.link();
    loadMap(*ed, dir.write("rooms.map", serializeMap(*map)), false);
    EXPECT_EQ(ed->mapFile.mapLoadFailed, 0);
    ed->view.viewZoom = 1;
    ed->view.viewOriginX = 0;
    ed->view.viewOriginY = 0;
    ed->particles.screenEffectFrame = 200;
}

void TwoRoomsRig::pointAtMap(int32_t x, int32_t y) {
    platform->setPointer(400 + x, 299 + y);
}

std::vector<std::pair<int32_t, int32_t>> TwoRoomsRig::corners(int32_t s) const {
    std::vector<std::pair<int32_t, int32_t>> out;
    const MapStore& m = ed->map;
    for (int32_t w = m.sectors[s].wallptr; w < m.sectors[s].wallptr + m.sectors[s].wallnum; ++w)
        out.push_back({m.walls[w].x, m.walls[w].y});
    return out;
}

}  // namespace korvel::test
