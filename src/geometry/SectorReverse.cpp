#include "geometry/SectorReverse.h"

namespace korvel {

// Reversing loops arrives with its own change; until then the loops keep their order.
void reverseSector(MapStore&, MapEvents&, int32_t) {}

}  // namespace korvel
