// Any bytes become a small map whose records hold anything, a tool with its points, details and
// generator parameters, a drag in progress (its move list or marks, the dragged sprite, the
// slices of a section) and the overlays' state (saved views, light list, region, keys, property
// box, clipboard, help popup). Building the preview and painting the plan view must finish
// without a sanitizer finding, a hang, or a write outside the screen rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "FuzzReader.h"
#include "app/Editor.h"
#include "views/PlanView.h"
#include "views/ToolPreview.h"

using namespace korvel;

namespace {

constexpr int32_t kRowLength = 832;  // 32 guard bytes after every screen row
constexpr uint8_t kGuard = 0xA5;

constexpr Tool kTools[] = {
    Tool::Idle,        Tool::CurveShape,          Tool::CurveWall,    Tool::DivideWall,
    Tool::CurveThroughVertices, Tool::TransformBySegments, Tool::QuadWarp1,  Tool::QuadWarp2,
    Tool::AffineGrid,  Tool::Reel,                Tool::Arch,         Tool::Sphere,
    Tool::ProfileSweep, Tool::ProfileRevolve,     Tool::TerrainFromTile};

// Small values most of the time, so that shapes fall on the screen; now and then anything.
int32_t coordinate(FuzzReader& in) {
    const uint8_t how = in.get<uint8_t>();
    return (how & 3) == 0 ? in.get<int32_t>() : int32_t(in.get<int8_t>()) * 16;
}
int32_t count(FuzzReader& in) {
    const int32_t v = in.get<int32_t>();
    return (v & 0x40000000) != 0 ? v : v % 64;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto owner = [] {
        auto ed = std::make_unique<Editor>();
        ed->frameBuffer = FrameBuffer(kRowLength);
        return ed;
    }();
    Editor& ed = *owner;
    MapStore& map = ed.map;
    ToolState& t = ed.tool;
    FuzzReader in{data, size};

    map.sectorCount = in.get<uint8_t>() % 9;
    map.wallCount = in.get<uint8_t>() % 65;
    map.spriteCount = in.get<uint8_t>() % 17;
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        in.bytes(&map.sectors[s], sizeof(SectorRecord));
        map.sectorSelected[s] = in.get<uint8_t>() & 1;
    }
    for (int32_t w = 0; w < map.wallCount; ++w) {
        in.bytes(&map.walls[w], sizeof(WallRecord));
        map.walls[w].x = coordinate(in);
        map.walls[w].y = coordinate(in);
        const uint8_t f = in.get<uint8_t>();
        map.wallSelected[w] = f & 1;
        map.vertexSelected[w] = (f >> 1) & 1;
        map.wallMoveState[w] = in.get<int16_t>();
    }
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        in.bytes(&map.sprites[k], sizeof(SpriteRecord));
        map.spriteSelected[k] = in.get<uint8_t>() & 1;
    }
    map.selectedVertexCount = in.get<int8_t>();
    map.selectedWallCount = in.get<int8_t>();
    map.movedWallCount = in.get<int32_t>();
    map.lightSpriteCount = in.get<int16_t>();
    for (int32_t i = 0; i < 8; ++i) map.lightSprites[size_t(i)] = in.get<int16_t>();

    t.currentTool = kTools[in.get<uint8_t>() % (sizeof(kTools) / sizeof(kTools[0]))];
    t.toolDetail = count(in);
    t.toolSecDetail = count(in);
    t.toolTargetSector = in.get<int32_t>();
    t.toolAltMode = in.get<uint8_t>() & 1;
    t.dragKind = DragKind(in.get<uint8_t>() % 4);
    t.draggedSprite = in.get<int32_t>();
    t.selectionMode = SelectionMode(in.get<uint8_t>() % 8);
    t.selAreaMode = in.get<uint8_t>() & 1;
    t.curveBendDistance = in.get<double>();
    ed.pages.reelSetup.reelC = count(in);
    ed.pages.reelSetup.reelD = in.get<int32_t>();
    ed.pages.archSetup.arch1C = in.get<int32_t>();
    ed.pages.archSetup.arch2C = count(in);
    ed.pages.sphereSetup.sphere1C = count(in);
    ed.pages.sphereSetup.sphere2C = count(in);
    ed.pages.terrainSetup.terrainParamA = count(in);
    ed.pages.terrainSetup.terrainParamB = count(in);
    ProfileEditorState& profile = ed.pages.profileEditor;
    profile.contourCount = in.get<int16_t>();
    for (int32_t i = 0; i < 4; ++i) in.bytes(&profile.contour[size_t(i)], sizeof(ContourSegment));

    DrawVertexList& list = ed.drawVertices;
    list.toolPointCount = in.get<uint8_t>() % 10;
    for (int32_t i = 0; i < 8; ++i) {
        list.toolPointsX[i] = coordinate(in);
        list.toolPointsY[i] = coordinate(in);
    }
    ed.hover.hitPointX = coordinate(in);
    ed.hover.hitPointY = coordinate(in);
    ed.hover.hitPointZ = in.get<int32_t>();
    ed.hover.sideHitPos = in.get<int32_t>();
    ed.hover.mouseMapX = coordinate(in);
    ed.hover.mouseMapY = coordinate(in);
    ed.hover.hoveredWall = in.get<int8_t>();
    ed.drag.dragStartX = coordinate(in);
    ed.drag.dragStartY = coordinate(in);
    ed.drag.lastDragTargetX = coordinate(in);
    ed.drag.lastDragTargetY = coordinate(in);
    ed.drag.spriteDragStartX = coordinate(in);
    ed.drag.spriteDragStartY = coordinate(in);
    ed.input.mouseX = in.get<int16_t>();
    ed.input.mouseY = in.get<int16_t>();
    ed.app.dragStartMouseY = in.get<int16_t>();
    const uint8_t keys = in.get<uint8_t>();
    ed.input.keyStates[1] = int16_t((keys & 1) ? -128 : 0);
    ed.input.keyStates[96] = int16_t((keys & 2) ? -128 : 0);
    ed.input.keyStates[110] = int16_t((keys & 4) ? -128 : 0);
    ed.dispatch.shiftHeld = (keys >> 3) & 1;
    ed.dispatch.ctrlHeld = (keys >> 4) & 1;
    ed.settings.realtimeUpdate = (keys >> 5) & 1;
    ed.app.currentPage = (keys >> 6) & 1 ? Page::SideView : Page::PlanView;
    ed.view.sectionSliceCount = in.get<int8_t>();
    for (int32_t i = 0; i < 4; ++i) in.bytes(&ed.view.sectionSlices[size_t(i)], sizeof(SectionSlice));
    ed.view.viewZoom = in.get<float>();
    ed.view.viewOriginX = in.get<float>();
    ed.view.viewOriginY = in.get<float>();
    ed.bookmarks.bookmarkTool = in.get<uint8_t>() & 1;
    for (int32_t i = 0; i < 2; ++i) {
        ed.bookmarks.bookmarkX[size_t(i)] = in.get<int32_t>();
        ed.bookmarks.bookmarkY[size_t(i)] = in.get<int32_t>();
        ed.bookmarks.bookmarkZoom[size_t(i)] = in.get<float>();
    }
    ed.dispatch.areaSelectLatch = in.get<uint8_t>() & 1;
    ed.dispatch.areaAnchorX = coordinate(in);
    ed.dispatch.areaAnchorY = coordinate(in);
    ed.dispatch.propertyBoxKind = PropertyBoxKind(in.get<uint8_t>() % 5);
    ed.dispatch.propertyBoxObject = in.get<int32_t>();
    ed.dispatch.propertyBoxX = coordinate(in);
    ed.dispatch.propertyBoxY = coordinate(in);
    ed.app.focusedField = in.get<int16_t>();
    in.bytes(&ed.attributes.attributeClipboard, sizeof(AttributeClipboard));
    ed.attributes.pasteHeinum = in.get<uint8_t>() & 1;
    ed.app.helpPopupStep = in.get<int8_t>();
    ed.app.helpTopic = in.get<int8_t>();
    ed.settings.showTips = in.get<uint8_t>() & 1;

    std::vector<uint8_t>& screen = ed.frameBuffer.screen;
    for (int32_t y = 0; y < kScreenHeight; ++y)
        std::memset(&screen[size_t(y) * kRowLength + kScreenWidth], kGuard,
                    kRowLength - kScreenWidth);
    buildToolPreview(ed);
    if (ed.overlays.overlayLineCount > kOverlayCapacity ||
        ed.overlays.overlayPointCount > kOverlayCapacity)
        std::abort();
    ed.app.currentPage = Page::PlanView;
    draw2DView(ed, in.get<int32_t>());
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = kScreenWidth; x < kRowLength; ++x)
            if (screen[size_t(y) * kRowLength + size_t(x)] != kGuard) std::abort();
    return 0;
}
