#include "pages/SparksToy.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void stepSparks(Editor&) {}

}  // namespace korvel
