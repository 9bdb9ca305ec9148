#include "editing/TypedValues.h"

namespace korvel {

// Arrives with the typed values; until then no field takes keys.
void typeIntoFocusedField(Editor&) {}

}  // namespace korvel
