#include "ui/ScreenEffects.h"

namespace korvel {

// The screen effects arrive with their own change; until then the image stays as drawn.
void rotateScreenImage(Editor&, float) {}
void scrollScreenImage(Editor&, int32_t, int32_t) {}

void initSparks(Editor&) {}

}  // namespace korvel
