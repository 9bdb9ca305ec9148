#include "pages/View3D.h"

#include <algorithm>
#include <string>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "base/MessageNumbers.h"
#include "ui/Text.h"
#include "view3d/Scene3d.h"
#include "view3d/View3dScene.h"

namespace korvel {

namespace {

constexpr int32_t kMsgHeightMap3d = 343;
constexpr int32_t kMsgLightMap3d = 1176;
constexpr int32_t kPictureBottom = 134, kStatusBottom = 128;

// The status line of the live view: the triangle counters, or the warning that the frame is full.
std::string liveStatus(const Editor& ed) {
    const Scene3d* sc = ed.pages.view3d.scene.get();
    const int32_t surfaces = sc ? sc->surfaceTriangleCount : 0;
    const int32_t rendered = sc ? sc->renderTriangleCount : 0;
    const int32_t drawn = sc ? sc->drawnTriangleCount : 0;
    if (rendered >= kSceneCapacity3d)
        return getMessage(kMsgFrame3dFull, ed.langs, std::to_string(kSceneCapacity3d));
    return getMessage(kMsgTriangles3d, ed.langs, std::to_string(surfaces),
                      std::to_string(rendered), std::to_string(drawn));
}

}  // namespace

std::string view3dStatusLine(const Editor& ed) {
    switch (ed.pages.view3d.view3dState) {
        case 0: return liveStatus(ed);
        case 1: return getMessage(kMsgHeightMap3d, ed.langs);
        case 2: return getMessage(kMsgLightMap3d, ed.langs);
        default: return {};
    }
}

// The picture is rendered only when something changed; the last one is shown every frame.
void draw3DViewPage(Editor& ed) {
    View3DState& v = ed.pages.view3d;
    preview3dPicture(ed.frameBuffer);
    if (v.view3dValid == 0) {
        ed.calls.renderFrame(ed);
        ++v.view3dValid;
    }
    FrameBuffer& fb = ed.frameBuffer;
    const SurfaceView screen = screenView(fb);
    const size_t pictureBytes = size_t(kImageWidth3d) * kImageHeight3d;
    if (fb.preview3dImage.size() >= pictureBytes) {
        for (int32_t r = 0; r < kImageHeight3d; ++r)
            std::copy_n(&fb.preview3dImage[size_t(r) * kImageWidth3d], kImageWidth3d,
                        &screen.at(0, kPictureBottom + r));
    }
    for (int32_t r = kStatusBottom; r < kPictureBottom; ++r)
        std::fill_n(&screen.at(0, r), kScreenWidth, uint8_t(0));

    drawSmallText(canvasOf(ed), ed.fonts, view3dStatusLine(ed), 0, kStatusBottom, 83);
    if (v.view3dState == 0) ed.calls.draw3DHoverInfo(ed, ed.loop.frameNumber);
}

}  // namespace korvel
