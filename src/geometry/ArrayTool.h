// The array tool: the selected sprites pasted again and again, every copy moved and changed by
// a pattern (increments, a turn about a centre, random places in a sector, a random walk or a
// curving path).
#pragma once

#include <array>
#include <cstdint>

#include "base/Random.h"
#include "map/MapClipboard.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

constexpr int32_t kArrayStepFields = 23;  // the sprite record's fields, in record order

struct ArrayParams {
    uint8_t pattern = 0;  // 0 increments, 1 turn about the centre, 2 scatter, 3 walk, 4 path
    int32_t copyCount = 1;  // objects in the result, the source included
    std::array<int32_t, kArrayStepFields> steps{};
    int32_t centerX = 0, centerY = 0, centerZ = 0;
    uint8_t check = 0;   // turn every copy sprite by sprite
    uint8_t radioA = 2;  // pattern 1 plane: 0 y-z, 1 x-z, 2 x-y
    uint8_t radioB = 2;  // pattern 1 angle per copy: step / (count - 1), step, step / count
    int32_t rotationStep = 0;  // hundredths of a degree
    uint8_t option1 = 0, option2 = 0, option3 = 0, option4 = 0, option5 = 0, option6 = 0,
            option7 = 0;
    int32_t paramA = 0, paramB = 0, paramC = 0, paramD = 0;
    int32_t angleCenter = 0, angleRange = 0;
};

struct ArrayResult {
    int32_t copiesMade = 0;
    bool noFreePlace = false;  // pattern 2 stopped early (606)
    bool refused = false;      // no room for the copies: nothing was made
};

// Makes copyCount - 1 copies of the selected sprites (sectors are deselected first; the
// clipboard ends holding the sprites). Copies times sprites beyond the map's room is refused
// before any copy; with no sprite selected nothing is copied. With option1 the centre moves
// with the x and y steps. Ends with message 607, or 606 when pattern 2 found no place.
ArrayResult arrayPasteTool(MapStore& map, MapClipboard& clip, MapEvents& events, ArrayParams& p,
                           Random& random);

}  // namespace korvel
