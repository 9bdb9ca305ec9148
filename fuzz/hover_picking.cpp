// Any bytes become a small map whose records hold anything, with its selection and hidden
// flags; the plan and side view transforms (any float), the pointer, the grid, snapping and
// affine grid settings, the side view's subject, slices and shown sprites; a focused field and
// the keys of a frame. Both hovers, the panel subject and the typing of the focused field must
// finish without a sanitizer finding.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "FuzzMap.h"
#include "app/Editor.h"
#include "editing/HoverPicking.h"
#include "editing/TypedValues.h"

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto owner = std::make_unique<Editor>();
    Editor& ed = *owner;
    MapStore& map = ed.map;
    Settings& set = ed.settings;
    ViewState& view = ed.view;
    FuzzReader in{data, size};

    map.sectorCount = in.get<uint8_t>() % 33;
    map.wallCount = in.get<uint8_t>();
    map.spriteCount = in.get<uint8_t>() % 33;
    view.viewZoom = in.get<float>();
    view.viewOriginX = in.get<float>();
    view.viewOriginY = in.get<float>();
    view.sideViewScale = in.get<float>();
    view.sideViewOriginX = in.get<float>();
    view.sideViewOriginZ = in.get<float>();
    view.sideViewSubjectKind = SideViewSubjectKind(in.get<uint8_t>() % 4);
    view.sideViewSubject = in.get<int32_t>();
    view.sideViewX1 = in.get<int32_t>();
    view.sideViewY1 = in.get<int32_t>();
    view.sideViewX2 = in.get<int32_t>();
    view.sideViewY2 = in.get<int32_t>();
    view.sectionSliceCount = in.get<uint8_t>() % 9;
    for (int32_t i = 0; i < view.sectionSliceCount; ++i)
        in.bytes(&view.sectionSlices[i], sizeof(SectionSlice));
    ed.input.mouseX = in.get<int16_t>();
    ed.input.mouseY = in.get<int16_t>();
    const uint32_t bits = in.get<uint32_t>();
    set.snapToGrid = bits & 1;
    set.showVertices = (bits >> 1) & 1;
    set.showSprites = (bits >> 2) & 1;
    const bool leftHeld = (bits >> 3) & 1;
    set.gridSpacing = in.get<int32_t>();
    set.vertexSnapDistance = in.get<int32_t>();
    set.affineGridMode = in.get<int32_t>() & 1;
    set.affineGridXx = in.get<int32_t>();
    set.affineGridXy = in.get<int32_t>();
    set.affineGridX1 = in.get<int32_t>();
    set.affineGridYx = in.get<int32_t>();
    set.affineGridYy = in.get<int32_t>();
    set.affineGridY1 = in.get<int32_t>();
    ed.tool.affineGridStep = in.get<double>();
    ed.tool.selectionMode = SelectionMode(in.get<uint8_t>() % 8);
    ed.app.focusedField = in.get<int16_t>();
    ed.dispatch.propertyBoxKind = PropertyBoxKind(in.get<uint8_t>() % 4);
    ed.dispatch.propertyBoxObject = in.get<int32_t>();
    ed.pages.profileEditor.contourCount = in.get<int32_t>();
    ed.pages.profileEditor.contourSelected = in.get<int32_t>();
    ed.dispatch.ctrlHeld = (bits >> 4) & 1;
    ed.input.keyPressed = {};
    for (int i = 0; i < 4; ++i) ed.input.keyPressed[in.get<uint8_t>()] = 1;

    readFuzzedRecords(in, map, true,
                      [&](int32_t k, uint8_t f) { view.sideViewSprites[k] = uint8_t(f >> 7); });

    HoverState& hover = ed.hover;
    hover.hoveredVertex = hover.hoveredSprite = hover.hoveredSector = hover.hoveredWall = -1;
    pickPlanHover(map, PlanPick{ed.input.mouseX, ed.input.mouseY, PlanProjection(view), set,
                                ed.tool},
                  hover);
    hover.hoveredVertex = hover.hoveredSprite = hover.hoveredSector = hover.hoveredWall = -1;
    pickSideHover(map, SidePick{ed.input.mouseX, ed.input.mouseY, SideProjection(view), view, set,
                                leftHeld},
                  hover);
    choosePanelSubject(map, ed.tool, hover);
    typeIntoFocusedField(ed);
    return 0;
}
