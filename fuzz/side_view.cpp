// Any bytes become a small map whose records hold anything, a side-view subject of any kind and
// index, its section slices (built from the map, or taken from the bytes as they stand), the view
// transform (not-a-number and infinities included), the settings, hover and marks the side view
// reads, and tile sizes and offsets. Building and painting must finish without touching
// anything outside the screen rows of the map view.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "FuzzMap.h"
#include "app/Editor.h"
#include "views/SideView.h"

using namespace korvel;

namespace {

constexpr int32_t kRowLength = 832;  // 32 guard bytes after every screen row
constexpr uint8_t kGuard = 0xA5;
constexpr size_t kPixelBytes = 8192;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto owner = [] {
        auto ed = std::make_unique<Editor>();
        ed->frameBuffer = FrameBuffer(kRowLength);
        ed->tiles.artPixels.assign(kPixelBytes + size_t(kArtPadding), 0);
        for (size_t i = 0; i < kPixelBytes; ++i) ed->tiles.artPixels[i] = uint8_t(i * 7);
        return ed;
    }();
    Editor& ed = *owner;
    MapStore& map = ed.map;
    Settings& set = ed.settings;
    ViewState& v = ed.view;
    FuzzReader in{data, size};

    map.sectorCount = in.get<uint8_t>() % 33;
    map.wallCount = in.get<uint8_t>();
    map.spriteCount = in.get<uint8_t>() % 65;
    v.sideViewSubjectKind = SideViewSubjectKind(in.get<uint8_t>() % 4);
    v.sideViewSubject = in.get<int32_t>();
    v.sideViewX1 = in.get<int32_t>();
    v.sideViewY1 = in.get<int32_t>();
    v.sideViewX2 = in.get<int32_t>();
    v.sideViewY2 = in.get<int32_t>();
    v.sideViewOriginX = in.get<float>();
    v.sideViewOriginZ = in.get<float>();
    v.sideViewScale = in.get<float>();
    ed.input.frameTime = in.get<int32_t>();
    const int32_t frameNumber = in.get<int32_t>();
    const uint32_t bits = in.get<uint32_t>();
    uint8_t* switches[] = {
        &set.showGrid,          &set.showSprites,     &set.spriteTags,
        &set.spriteOrientation, &set.spriteOffsets,   &set.constantSpriteSize,
        &set.transparentGrid,   &set.sectorHighlight, &set.smoothLines,
        &ed.tiles.artLoaded,    &set.spritesFull,     &set.snapToGrid,
        &set.twoColorBlend,     &v.measureActive,     &ed.dispatch.areaSelectLatch};
    for (size_t i = 0; i < sizeof(switches) / sizeof(switches[0]); ++i)
        *switches[i] = uint8_t((bits >> i) & 1);
    const bool slicesFromBytes = (bits >> 20) & 1;
    set.zRangeMode = uint8_t((bits >> 21) & 3);
    ed.input.keyStates[96] = int16_t((bits >> 23) & 1 ? -128 : 0);
    set.gridSpacing = in.get<int32_t>();
    set.tagDrawLimit = in.get<int32_t>();
    set.spriteZoomLimit = in.get<int32_t>();
    set.zRangeLow = in.get<int32_t>();
    set.zRangeHigh = in.get<int32_t>();
    HoverState& h = ed.hover;
    h.hoveredSector = in.get<int16_t>();
    h.hoveredSprite = in.get<int16_t>();
    h.sideHoverPart = in.get<uint8_t>();
    h.sideMousePos = in.get<int32_t>();
    h.sideMouseZ = in.get<int32_t>();
    h.sideHitPos = in.get<int32_t>();
    h.hitPointZ = in.get<int32_t>();
    ed.tool.draggedSprite = in.get<int16_t>();
    v.measureStartPos = in.get<int32_t>();
    v.measureStartZ = in.get<int32_t>();
    ed.dispatch.areaAnchorX = in.get<int32_t>();
    ed.dispatch.areaAnchorY = in.get<int32_t>();
    ed.app.sideViewPadButton = in.get<int8_t>();
    ed.input.mouseX = in.get<int16_t>();
    ed.input.mouseY = in.get<int16_t>();
    ed.app.cursorLabel.assign(in.get<uint8_t>() % 200, 'A');
    ed.app.helpPopupStep = -1;
    map.startX = in.get<int32_t>();
    map.startY = in.get<int32_t>();
    map.startZ = in.get<int32_t>();
    uint8_t colours[17];
    in.bytes(colours, sizeof(colours));
    ColorSettings& cs = ed.colorSettings;
    uint8_t* colourFields[] = {
        &cs.colorSectorHighlight,  &cs.colorGrid,           &cs.colorGridUnit,
        &cs.colorServiceLines,     &cs.colorStartPosition,  &cs.colorFiltered,
        &cs.colorHidden,           &cs.colorWallOneSided,   &cs.colorWallOpen,
        &cs.colorSprite,           &cs.colorSpriteBlocking, &cs.colorToolOverlay,
        &cs.colorGuideLabel,       &cs.colorMeasure,        &cs.colorWallBlocking,
        &cs.colorWallHalfBlocking, &cs.colorVertex};
    for (size_t i = 0; i < sizeof(colours); ++i) *colourFields[i] = colours[i];
    for (int32_t t = 0; t < 6; ++t) {
        const int32_t tile = in.get<uint16_t>() % kTileCount;
        ed.tiles.tileAnims[size_t(tile)] = in.get<int32_t>();
        ed.tiles.tileWidths[size_t(tile)] = in.get<int16_t>();
        ed.tiles.tileHeights[size_t(tile)] = in.get<int16_t>();
        ed.tiles.tileOffsets[size_t(tile)] = in.get<int32_t>() % int32_t(kPixelBytes + 16);
    }

    readFuzzedRecords(in, map, false, [](int32_t, uint8_t) {});

    buildSideViewSlices(ed);
    if (slicesFromBytes) {
        // Stale or hostile slices: whatever the bytes say, with a count of any value.
        v.sectionSliceCount = in.get<int32_t>();
        for (int32_t i = 0; i < 16; ++i) in.bytes(&v.sectionSlices[i], sizeof(SectionSlice));
        for (int32_t k = 0; k < 64; ++k) {
            v.pickedSectors[k] = in.get<uint8_t>() & 1;
            v.sideViewSprites[k] = in.get<uint8_t>() & 1;
        }
    }

    std::vector<uint8_t>& screen = ed.frameBuffer.screen;
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        std::memset(&screen[size_t(y) * kRowLength], 0, kScreenWidth);
        std::memset(&screen[size_t(y) * kRowLength + kScreenWidth], kGuard,
                    kRowLength - kScreenWidth);
    }
    drawSideView(ed, frameNumber);
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
