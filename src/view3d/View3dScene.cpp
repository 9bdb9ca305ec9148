#include "view3d/View3dScene.h"

#include <string>

#include "app/Editor.h"
#include "base/MessageNumbers.h"
#include "map/ProgressScope.h"
#include "view3d/Cache3d.h"
#include "view3d/Frame3d.h"

namespace korvel {

Scene3d& scene3d(Editor& ed) {
    View3DState& v = ed.pages.view3d;
    if (!v.scene) v.scene = std::make_shared<Scene3d>();
    return *v.scene;
}

void build3dView(Editor& ed) {
    View3DState& v = ed.pages.view3d;
    v.pitch3d = 0;
    v.tilt3d = 0;
    v.zoom3d = 400;
    v.turnSpeed3d = v.pitchSpeed3d = v.tiltSpeed3d = 0;
    v.strafeSpeed3d = v.forwardSpeed3d = v.verticalSpeed3d = v.zoomSpeed3d = 0;
    Scene3d& sc = scene3d(ed);
    PrepareCounts3d counts;
    {
        ProgressScope progress(ed.events, ed.map.wallCount);
        counts = prepareScene3d(sc, SurfaceSource{ed.map, ed.tiles}, v.camAngle,
                                [&progress] { progress.step(); });
    }
    static_cast<MapEvents&>(ed.events).statusMessage(kMsgPreparing3d,
                            {"0", std::to_string(counts.completed), std::to_string(counts.givenUp),
                             "0"});
    if (sc.cacheFull)
        static_cast<MapEvents&>(ed.events).statusMessage(kMsgScene3dFull, {std::to_string(kSceneCapacity3d)});
    v.view3dValid = 0;
    ed.app.currentPage = Page::View3D;
}

void renderView3d(Editor& ed) {
    View3DState& v = ed.pages.view3d;
    Scene3d& sc = scene3d(ed);
    Camera3d cam{v.camX, v.camY, v.camZ, v.camAngle, v.pitch3d, v.tilt3d, v.zoom3d,
                 v.detailScale3d};
    View3DOptions opts{v.depthSortFirst3d != 0, v.depthSortRest3d != 0, v.dither3d != 0,
                       v.clear3dEachFrame != 0};
    const auto mode = View3DMode(v.view3dState <= 2 ? v.view3dState : 0);
    std::function<void()> watch;
    // While Q is held the picture is shown as it builds up, triangle by triangle.
    if (mode == View3DMode::Live && ed.input.keyStates['Q'] < 0 && ed.app.platform) {
        watch = [&ed] {
            FrameBuffer& fb = ed.frameBuffer;
            const SurfaceView screen = screenView(fb);
            for (int32_t r = 0; r < kImageHeight3d; ++r)
                std::copy_n(&fb.preview3dImage[size_t(r) * kImageWidth3d], kImageWidth3d,
                            &screen.at(0, 134 + r));
            presentScreen(fb, *ed.app.platform);
        };
    }
    FrameInputs3d in{ed.map,   ed.tiles, ed.colorTables,
                     cam,      opts,     mode,
                     PlanProjection(ed.view), ed.settings.ceilingView != 0, ed.random,
                     watch};
    renderFrame(sc, preview3dPicture(ed.frameBuffer), in);
}

}  // namespace korvel
