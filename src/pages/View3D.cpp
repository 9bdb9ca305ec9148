#include "pages/View3D.h"

#include <algorithm>
#include <string>

#include "app/Editor.h"
#include "base/MessageNumbers.h"
#include "view3d/Scene3d.h"
#include "view3d/View3dScene.h"

namespace korvel {

// The picture is rendered only when something changed; the last one is shown every frame.
void draw3DViewPage(Editor& ed) {
    View3DState& v = ed.pages.view3d;
    if (v.view3dValid == 0) {
        renderView3d(ed);
        ++v.view3dValid;
    }
    FrameBuffer& fb = ed.frameBuffer;
    const SurfaceView screen = screenView(fb);
    for (int32_t r = 0; r < kImageHeight3d; ++r)
        std::copy_n(&fb.preview3dImage[size_t(r) * kImageWidth3d], kImageWidth3d,
                    &screen.at(0, 134 + r));
    if (v.view3dState == 0 && v.scene) {
        const Scene3d& sc = *v.scene;
        if (sc.renderTriangleCount >= kSceneCapacity3d)
            static_cast<MapEvents&>(ed.events).statusMessage(kMsgFrame3dFull, {std::to_string(kSceneCapacity3d)});
        else
            static_cast<MapEvents&>(ed.events).statusMessage(kMsgTriangles3d, {std::to_string(sc.surfaceTriangleCount),
                                                      std::to_string(sc.renderTriangleCount),
                                                      std::to_string(sc.drawnTriangleCount)});
    }
}

}  // namespace korvel
