#include "app/PageChanges.h"

#include <algorithm>

#include "app/Editor.h"
#include "pages/ModePanel.h"
#include "view3d/View3dScene.h"
#include "views/ViewBackdrop.h"

namespace korvel {

// The rest of a page change (page stack, art, panels) arrives with its own change; until then
// entering a page prepares the backdrop of the view area and shows it in the background.
void onPageChanged(Editor& ed) {
    FrameBuffer& fb = ed.frameBuffer;
    prepareViewBackdrop(fb, ed.colorTables, ed.app.previousPage, ed.app.currentPage);
    const SurfaceView bg = backgroundView(fb);
    for (int32_t r = 0; r < kMapViewRows; ++r)
        std::copy_n(&fb.viewBackdrop[size_t(r) * kScreenWidth], kScreenWidth,
                    &bg.at(0, kMapViewBottom + r));
    drawModePanel(ed);
    // The live 3D page prepares its scene, except when the tile picker hands back to it.
    if (ed.app.currentPage == Page::View3D) {
        ed.pages.view3d.view3dValid = 0;
        if (ed.tiles.artLoaded == 0 && ed.app.platform) ed.calls.loadArtTiles(ed);
        if (ed.pages.view3d.view3dState == 0 && ed.app.previousPage != Page::TilePicker)
            build3dView(ed);
    }
}

}  // namespace korvel
