// Any bytes become a small map whose records hold anything, with its selection and hidden flags,
// the hovers, the selection mode, the tool with its points, the drag kind, the drag state and
// list entries, the property box and the profile; then a sequence of presses, held frames and
// releases in the plan and side views, area selections and page buttons. Every step must finish
// without a sanitizer finding or a hang, and every release must end the drag.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "FuzzMap.h"
#include "app/Editor.h"
#include "editing/DragCommit.h"
#include "editing/MapPress.h"
#include "editing/OtherToolActions.h"
#include "editing/SelectionInput.h"
#include "editing/WindowChrome.h"

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto owner = std::make_unique<Editor>();
    Editor& ed = *owner;
    MapStore& map = ed.map;
    FuzzReader in{data, size};

    map.sectorCount = in.get<uint8_t>() % 17;
    map.wallCount = in.get<uint8_t>() % 97;
    map.spriteCount = in.get<uint8_t>() % 17;
    map.recordExtent = RecordExtent{};
    map.selectedSectorCount = in.get<int8_t>();
    map.selectedWallCount = in.get<int8_t>();
    map.selectedSpriteCount = in.get<int8_t>();
    map.selectedVertexCount = in.get<int8_t>();
    map.selectedLoopCount = in.get<int8_t>();
    map.movedWallCount = in.get<int32_t>();
    for (int32_t i = 0; i < 128; ++i) map.wallMoveState[i] = in.get<int16_t>();
    ed.tool.selectionMode = SelectionMode(in.get<uint8_t>() % 8);
    ed.tool.currentTool = Tool(in.get<uint8_t>() % 40);
    ed.tool.dragKind = DragKind(in.get<uint8_t>() % 4);
    ed.tool.draggedSprite = in.get<int32_t>();
    ed.tool.toolTargetSector = in.get<int32_t>();
    ed.tool.selAreaMode = in.get<uint8_t>() & 1;
    ed.settings.regionSelectMode = in.get<uint8_t>() & 1;
    ed.settings.realtimeUpdate = in.get<uint8_t>() & 1;
    ed.settings.spriteNumbers = in.get<uint8_t>() & 1;
    ed.settings.autoTextureMove = in.get<uint8_t>() & 1;
    ed.settings.gridSpacing = in.get<int32_t>();
    ed.settings.zRangeOffset = in.get<int32_t>();
    ed.settings.zRangeLow = in.get<int32_t>();
    ed.settings.zRangeHigh = in.get<int32_t>();
    ed.drawVertices.toolPointCount = in.get<uint8_t>() % 12;
    for (int32_t i = 0; i < 12; ++i) {
        ed.drawVertices.toolPointsX[i] = in.get<int32_t>();
        ed.drawVertices.toolPointsY[i] = in.get<int32_t>();
    }
    in.bytes(&ed.drag, sizeof(DragState));
    ed.view.viewZoom = in.get<float>();
    ed.view.viewOriginX = in.get<float>();
    ed.view.viewOriginY = in.get<float>();
    ed.view.sideViewSubjectKind = SideViewSubjectKind(in.get<uint8_t>() % 4);
    ed.view.sideViewX1 = in.get<int32_t>();
    ed.view.sideViewY1 = in.get<int32_t>();
    ed.view.sideViewX2 = in.get<int32_t>();
    ed.view.sideViewY2 = in.get<int32_t>();
    ed.dispatch.propertyBoxKind = PropertyBoxKind(in.get<uint8_t>() % 4);
    ed.dispatch.propertyBoxX = in.get<int32_t>();
    ed.dispatch.propertyBoxY = in.get<int32_t>();
    ed.dispatch.areaAnchorX = in.get<int32_t>();
    ed.dispatch.areaAnchorY = in.get<int32_t>();
    ed.dispatch.areaAnchorHitX = in.get<int32_t>();
    ed.dispatch.areaAnchorHitY = in.get<int32_t>();
    ed.pages.profileEditor.contourCount = in.get<int32_t>();
    ed.pages.profileEditor.contourSelected = in.get<int32_t>();
    ed.cursor.cursorShape = CursorShape::MapCross;
    ed.app.platform = nullptr;

    readFuzzedRecords(in, map, true,
                      [&](int32_t k, uint8_t f) { ed.view.sideViewSprites[k] = uint8_t(f >> 7); });
    updateWallSectnums(map);

    HoverState& h = ed.hover;
    for (int32_t step = 0; step < 8 && !in.done(); ++step) {
        const uint8_t op = in.get<uint8_t>();
        h.hoveredVertex = in.get<int16_t>();
        h.hoveredSprite = in.get<int16_t>();
        h.hoveredSector = in.get<int16_t>();
        h.hoveredWall = in.get<int16_t>();
        h.hoverSpriteDistance = in.get<int32_t>();
        h.hoverVertexDistance = in.get<int32_t>();
        h.hitPointX = in.get<int32_t>();
        h.hitPointY = in.get<int32_t>();
        h.hitPointZ = in.get<int32_t>();
        h.sideHitPos = in.get<int32_t>();
        ed.input.mouseX = in.get<int16_t>();
        ed.input.mouseY = in.get<int16_t>();
        ed.dispatch.shiftHeld = op & 1;
        ed.dispatch.ctrlHeld = (op >> 1) & 1;
        ed.app.currentPage = (op >> 2) & 1 ? Page::SideView : Page::PlanView;
        switch ((op >> 3) % 6) {
            case 0:
                pressInMap(ed);
                break;
            case 1:
                dragToolHandles(ed);
                dragHeightSlider(ed.settings, ed.input, ed.dispatch.ctrlHeld != 0,
                                 ed.app.tooltipText);
                break;
            case 2:
                commitDrag(ed);
                if (map.movedWallCount != 0 || ed.tool.draggedSprite != -1) std::abort();
                break;
            case 3:
                selectByArea(ed);
                break;
            case 4:
                ed.app.hoveredWidget = 22003 + int32_t(op >> 6);
                releasePageButton(ed);
                pressPropertyBox(ed.dispatch, ed.view, ed.input, ed.app.focusedField);
                break;
            default:
                pressOtherTool(ed);
                break;
        }
    }
    commitDrag(ed);
    return 0;
}
