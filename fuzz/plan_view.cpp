// Any bytes become a small map whose records hold anything, its selection and hidden flags,
// the plan-view settings, colours, hover and the view transform (zoom and origin any float,
// not-a-number and infinities included), and a small block of tile pixels whose sizes, offsets
// and animation words are fuzzed too. Painting it must finish without touching anything outside
// the screen rows of the map view or reading outside the tile pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "FuzzMap.h"
#include "app/Editor.h"
#include "views/PlanView.h"

using namespace korvel;

namespace {

constexpr int32_t kRowLength = 832;  // 32 guard bytes after every screen row
constexpr uint8_t kGuard = 0xA5;
// Tiles 0..15 have pictures in a block of pixels with nothing after it, so that a read past a
// tile's last pixel leaves the block.
constexpr int32_t kPictureTiles = 16;
constexpr int32_t kTileBlock = 2048;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto owner = [] {
        auto ed = std::make_unique<Editor>();
        ed->frameBuffer = FrameBuffer(kRowLength);
        return ed;
    }();
    Editor& ed = *owner;
    MapStore& map = ed.map;
    Settings& set = ed.settings;
    FuzzReader in{data, size};

    map.sectorCount = in.get<uint8_t>() % 65;
    map.wallCount = in.get<uint8_t>();
    map.spriteCount = in.get<uint8_t>() % 65;
    ed.view.viewZoom = in.get<float>();
    ed.view.viewOriginX = in.get<float>();
    ed.view.viewOriginY = in.get<float>();
    ed.input.frameTime = in.get<int32_t>();
    const uint32_t bits = in.get<uint32_t>();
    uint8_t* switches[] = {
        &set.showGrid,          &set.showWalls,       &set.showVertices,       &set.showSprites,
        &set.wallTags,          &set.wallVectors,     &set.spriteTags,         &set.spriteNumbers,
        &set.spriteOrientation, &set.spriteOffsets,   &set.constantSpriteSize, &set.sectorsFull,
        &set.transparentGrid,   &set.sectorHighlight, &set.ceilingView,        &set.smoothLines,
        &set.twoColorBlend,     &set.spritesFull,     &map.spriteStacksValid};
    for (size_t i = 0; i < sizeof(switches) / sizeof(switches[0]); ++i)
        *switches[i] = uint8_t((bits >> i) & 1);
    set.gridSpacing = in.get<int32_t>();
    set.affineGridMode = in.get<int32_t>() & 1;
    set.affineGridXx = in.get<int32_t>();
    set.affineGridXy = in.get<int32_t>();
    set.affineGridX1 = in.get<int32_t>();
    set.affineGridYx = in.get<int32_t>();
    set.affineGridYy = in.get<int32_t>();
    set.affineGridY1 = in.get<int32_t>();
    ed.tool.affineGridStep = in.get<double>();
    set.tagDrawLimit = in.get<int32_t>();
    set.spriteZoomLimit = in.get<int32_t>();
    ed.hover.hoveredSector = in.get<int16_t>();
    ed.hover.hoveredWall = in.get<int16_t>();
    ed.hover.hoveredVertex = in.get<int16_t>();
    ed.hover.hoveredSprite = in.get<int16_t>();
    ed.tool.draggedSprite = in.get<int16_t>();
    ed.tool.selectionMode = SelectionMode(in.get<uint8_t>() % 8);
    map.startX = in.get<int32_t>();
    map.startY = in.get<int32_t>();
    map.startAngle = in.get<int16_t>();
    uint8_t colours[14];
    in.bytes(colours, sizeof(colours));
    ColorSettings& cs = ed.colorSettings;
    uint8_t* colourFields[] = {&cs.colorSectorHighlight,  &cs.colorGrid,
                               &cs.colorGridUnit,         &cs.colorServiceLines,
                               &cs.colorStartPosition,    &cs.colorFiltered,
                               &cs.colorHidden,           &cs.colorWallOneSided,
                               &cs.colorWallOpen,         &cs.colorWallBlocking,
                               &cs.colorWallHalfBlocking, &cs.colorVertex,
                               &cs.colorSprite,           &cs.colorSpriteBlocking};
    for (size_t i = 0; i < sizeof(colours); ++i) *colourFields[i] = colours[i];
    TileStore& tiles = ed.tiles;
    tiles.artLoaded = 1;
    if (tiles.artPixels.size() != size_t(kTileBlock)) {
        tiles.artPixels.assign(size_t(kTileBlock), 0);
        for (int32_t i = 0; i < kTileBlock; ++i) tiles.artPixels[size_t(i)] = uint8_t(i * 37);
    }
    for (int32_t t = 0; t < kPictureTiles; ++t) {
        tiles.tileWidths[size_t(t)] = tiles.tileHeights[size_t(t)] = 8;
        tiles.tileOffsets[size_t(t)] = t * 64 - 1;
        tiles.tileAnims[size_t(t)] = 0;
    }
    for (int32_t t = 0; t < 4; ++t) {
        const int32_t tile = in.get<uint8_t>() % kPictureTiles;
        tiles.tileAnims[size_t(tile)] = in.get<int32_t>();
        tiles.tileWidths[size_t(tile)] = in.get<int16_t>();
        tiles.tileHeights[size_t(tile)] = in.get<int16_t>();
        tiles.tileOffsets[size_t(tile)] = in.get<int16_t>();
    }
    // Most record picture numbers name no tile; this keeps them on the tiles above.
    const bool onPictures = (bits >> 31) & 1;

    readFuzzedRecords(in, map, true,
                      [&](int32_t k, uint8_t f) { map.spriteStackCount[k] = int16_t(f); });
    if (onPictures) {
        for (int32_t s = 0; s < map.sectorCount; ++s) {
            map.sectors[s].floorpicnum &= kPictureTiles - 1;
            map.sectors[s].ceilingpicnum &= kPictureTiles - 1;
        }
        for (int32_t k = 0; k < map.spriteCount; ++k) map.sprites[k].picnum &= kPictureTiles - 1;
    }

    std::vector<uint8_t>& screen = ed.frameBuffer.screen;
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        std::memset(&screen[size_t(y) * kRowLength], 0, kScreenWidth);
        std::memset(&screen[size_t(y) * kRowLength + kScreenWidth], kGuard,
                    kRowLength - kScreenWidth);
    }
    draw2DView(ed, 0);
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        const uint8_t* row = &screen[size_t(y) * kRowLength];
        const bool mapRow = y >= kMapViewBottom && y <= kMapViewTop;
        for (int32_t x = 0; x < kRowLength; ++x) {
            const uint8_t want = x >= kScreenWidth ? kGuard : 0;
            if ((x >= kScreenWidth || !mapRow) && row[x] != want) std::abort();
        }
    }
    return 0;
}
