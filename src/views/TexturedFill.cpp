#include "views/TexturedFill.h"

namespace korvel {

// Not built yet: the sector layer draws its flat fill in its place.
void fillSectorsTextured(PlanFrame&, int32_t) {}

}  // namespace korvel
