// Any bytes become a small map whose records and flags hold anything, a camera (not-a-number
// and infinities included) and the renderer's options; the 3D scene is prepared from the map,
// an edit or two is refreshed, and two frames of each of the three pictures are drawn. All must
// finish without a bad read or write, and without changing the map.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "FuzzMap.h"
#include "view3d/Cache3d.h"
#include "view3d/Frame3d.h"

using namespace korvel;

namespace {

struct Fixture {
    std::unique_ptr<MapStore> map = std::make_unique<MapStore>();
    std::unique_ptr<MapStore> copy = std::make_unique<MapStore>();
    TileStore tiles;
    ColorTables colors;
    std::unique_ptr<Scene3d> scene = std::make_unique<Scene3d>();
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
    return 0;
}
