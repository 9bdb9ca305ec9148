#include "commands/PendingServices.h"

namespace korvel {

void updateSelectionLayerMask(Editor&) {}

}  // namespace korvel
