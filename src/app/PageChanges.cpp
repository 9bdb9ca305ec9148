#include "app/PageChanges.h"

#include <algorithm>

#include "app/Editor.h"
#include "commands/PageStack.h"
#include "views/ViewBackdrop.h"

namespace korvel {

// The rest of a page change (art, panels) arrives with its own change; until then a change
// keeps the page stack and entering a page prepares the backdrop of the view area and shows it
// in the background.
void onPageChanged(Editor& ed) {
    applyPagePushRule(ed);
    FrameBuffer& fb = ed.frameBuffer;
    prepareViewBackdrop(fb, ed.colorTables, ed.app.previousPage, ed.app.currentPage);
    const SurfaceView bg = backgroundView(fb);
    for (int32_t r = 0; r < kMapViewRows; ++r)
        std::copy_n(&fb.viewBackdrop[size_t(r) * kScreenWidth], kScreenWidth,
                    &bg.at(0, kMapViewBottom + r));
}

}  // namespace korvel
