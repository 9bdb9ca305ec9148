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

}  // namespace korvel::test
