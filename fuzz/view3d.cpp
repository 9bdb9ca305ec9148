// Any bytes become a small map whose records and flags hold anything, a camera (not-a-number
// and infinities included) and the renderer's options; the 3D scene is prepared from the map,
// an edit or two is refreshed, and two frames of each of the three pictures are drawn. All must
// finish without a bad read or write, and without changing the map. Then frames of the pointer
// and the buttons pick and lock objects, the overlay is drawn, and the live view's edit keys run
// on whatever is aimed at or selected.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "FuzzMap.h"
#include "app/Editor.h"
#include "view3d/HitQueries3d.h"
#include "view3d/HoverInfo3d.h"
#include "view3d/View3DKeys.h"
#include "view3d/Cache3d.h"
#include "view3d/Frame3d.h"

using namespace korvel;

namespace {

// The live view's edit keys, one of which each key byte names.
constexpr uint8_t kKeys3d[] = {9,  13, 98, 104, 100, 102, 191, 220, 'F', 'S', 189, 109, 187,
                               107, 'P', 'T', 'H', 'V', 'O', 188, 190, 'C', 46, 45, '1', 'E', 'R'};

struct Fixture {
    std::unique_ptr<Editor> ed = std::make_unique<Editor>();
    MapStore* map = &ed->map;
    std::unique_ptr<MapStore> copy = std::make_unique<MapStore>();
    TileStore& tiles = ed->tiles;
    ColorTables& colors = ed->colorTables;
    std::shared_ptr<Scene3d> scene = std::make_shared<Scene3d>();
    std::vector<uint8_t> image = std::vector<uint8_t>(size_t(kImageWidth3d) * kImageHeight3d);
    Random random;

    Fixture() {
        // Tiles 0..3: 8 x 8, 6 x 5, 0 x 0, and a last one of 257 x 9 ending the pixels.
        const int16_t sizes[4][2] = {{8, 8}, {6, 5}, {0, 0}, {257, 9}};
        size_t at = 0;
        for (int t = 0; t < 4; ++t) {
            tiles.tileOffsets[size_t(t)] = int32_t(at) - 1;
            tiles.tileWidths[size_t(t)] = sizes[t][0];
            tiles.tileHeights[size_t(t)] = sizes[t][1];
            at += size_t(sizes[t][0]) * size_t(sizes[t][1]);
        }
        tiles.artPixels.resize(at);
        for (size_t i = 0; i < at; ++i) tiles.artPixels[i] = uint8_t(i * 13);
        tiles.artLoaded = 1;
        for (int i = 0; i < 65536; ++i) colors.blendTable[size_t(i)] = uint8_t(i * 7);
        for (size_t i = 0; i < colors.gameShades.size(); ++i) colors.gameShades[i] = uint8_t(i);
        for (size_t i = 0; i < colors.palRemaps.size(); ++i) colors.palRemaps[i] = uint8_t(i);
        ed->pages.view3d.scene = scene;
        ed->calls.playSound = [](Editor&, const std::string&, int32_t) {};
        ed->tileCatalog.tileNames.set(0, "ZERO");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Fixture f;
    MapStore& map = *f.map;
    FuzzReader in{data, size};
    map.sectorCount = in.get<uint8_t>() % 9;
    map.wallCount = in.get<uint8_t>() % 65;
    map.spriteCount = in.get<uint8_t>() % 17;
    readFuzzedRecords(in, map, true, [](int32_t, uint8_t) {});
    Camera3d cam;
    cam.camX = in.get<double>();
    cam.camY = in.get<double>();
    cam.camZ = in.get<double>();
    cam.camAngle = in.get<double>();
    cam.pitch3d = in.get<float>();
    cam.tilt3d = in.get<float>();
    cam.zoom3d = in.get<float>();
    cam.detailScale3d = in.get<float>();
    const uint8_t bits = in.get<uint8_t>();
    View3DOptions opts{bool(bits & 1), bool(bits & 2), bool(bits & 4), bool(bits & 8)};
    ViewState view;
    view.viewOriginX = in.get<float>();
    view.viewOriginY = in.get<float>();
    view.viewZoom = in.get<float>();
    const int32_t edited = in.get<int16_t>();

    *f.copy = map;
    const SurfaceSource src{map, f.tiles};
    prepareScene3d(*f.scene, src, cam.camAngle);
    refreshSector3d(*f.scene, src, edited, true, cam.camAngle);
    refreshWall3d(*f.scene, src, edited);
    refreshSprite3d(*f.scene, src, edited, cam.camAngle);
    for (View3DMode mode : {View3DMode::Live, View3DMode::PlanFilled, View3DMode::PlanFilledAlt})
        for (int frame = 0; frame < 2; ++frame) {
            FrameInputs3d fi{map,  f.tiles, f.colors, cam, opts, mode, PlanProjection(view),
                             bool(bits & 16), f.random, {}};
            renderFrame(*f.scene, f.image, fi);
        }
    if (std::memcmp(f.copy->walls.data(), map.walls.data(), sizeof(WallRecord) * kMaxWalls) != 0 ||
        std::memcmp(f.copy->sectors.data(), map.sectors.data(), sizeof(SectorRecord) * kMaxSectors) != 0)
        std::abort();

    Editor& ed = *f.ed;
    for (int frame = 0; frame < 4; ++frame) {
        ed.app.currentPage = Page::View3D;
        ed.pages.view3d.view3dState = 0;
        ed.prompt.promptKind = 0;
        ed.input = {};
        ed.input.mouseX = in.get<int16_t>();
        ed.input.mouseY = in.get<int16_t>();
        ed.input.frameTime = in.get<int32_t>();
        const uint8_t buttons = in.get<uint8_t>();
        ed.input.keyStates[1] = (buttons & 1) ? -32768 : 0;
        ed.input.keyStates[257] = (buttons & 2) ? -32768 : 0;
        ed.input.keyStates[4] = (buttons & 4) ? -32768 : 0;
        ed.input.keyStates[101] = (buttons & 8) ? -32768 : 0;
        ed.input.keyStates[110] = (buttons & 16) ? -32768 : 0;
        update3dPick(ed);
        if (buttons & 32) ed.pages.view3d.pick3d.picked3dObject = in.get<int32_t>();
        if (buttons & 64) f.scene->any3dSelected = uint8_t(1 - f.scene->any3dSelected);
        ed.dispatch.ctrlHeld = (buttons >> 5) & 1;
        ed.dispatch.altHeld = (buttons >> 6) & 1;
        ed.dispatch.shiftHeld = (buttons >> 7) & 1;
        for (int k = 0; k < 3; ++k)
            ed.input.keyPressed[kKeys3d[in.get<uint8_t>() % sizeof(kKeys3d)]] = 1;
        process3DKeys(ed);
        ed.app.currentPage = Page::View3D;
        draw3DHoverInfo(ed, frame);
    }
    return 0;
}
