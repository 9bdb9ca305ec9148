// Two rooms, (0, 0)-(256, 256) and (256, 0)-(512, 256), sharing a wall, loaded from a file into a
// started editor on the headless platform and shown at one unit per pixel with the map origin
// on the centre of the view. The firework show is over; no frame has run yet.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "support/EditorRig.h"

namespace korvel::test {

struct TwoRoomsRig : EditorRig {
    TwoRoomsRig();
    // The pointer on map point (x, y): column 400 + x, row 299 + y from the top (row 300 from
    // the bottom is y = 0).
    void pointAtMap(int32_t x, int32_t y);
    // Sector s's wall starts, in wall order.
    std::vector<std::pair<int32_t, int32_t>> corners(int32_t s) const;
};

}  // namespace korvel::test
