#include "editing/ViewNavigation.h"

namespace korvel {

// Arrives with view navigation; until then the views stand still.
void stepViewMotion(Editor&) {}

// Arrives with view navigation; until then nothing glides.
void stepViewGlide(Editor&) {}

}  // namespace korvel
