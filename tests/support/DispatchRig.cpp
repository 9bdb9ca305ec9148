#include "support/DispatchRig.h"

#include "app/InputSampling.h"
#include "editing/InputDispatcher.h"

namespace korvel::test {

DispatchRig::DispatchRig() : EditorRig("", false) {
    ed->loop.loopStartTick = 0;
}

void DispatchRig::pointAt(int32_t x, int32_t y) {
    platform->setPointer(x, 599 - y);
}

std::vector<std::string> DispatchRig::frame() {
    platform->clearPlayedSounds();
    sampleInput(*ed);
    processFrameInput(*ed);
    ed->app.previousPage = ed->app.currentPage;
    return platform->playedCues();
}

}  // namespace korvel::test
