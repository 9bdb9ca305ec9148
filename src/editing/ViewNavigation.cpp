#include "editing/ViewNavigation.h"

namespace korvel {

// Arrives with view navigation; until then the views stand still.
void stepViewMotion(ViewState&, ViewMotionState&, Page, const InputState&, int32_t,
                    const std::function<void(const char*)>&) {}

// Arrives with view navigation; until then nothing glides.
void stepViewGlide(ViewState&, ViewMotionState&, int32_t) {}

}  // namespace korvel
