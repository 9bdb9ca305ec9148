// Any bytes become a small map whose records hold anything, a drawing tool with points already
// placed (up to the full 32768), its draw mode, target sector, boolean state, details and
// profile, then a run of Space presses and close commands at any hit points with any
// modifiers. The presses must finish without a sanitizer finding or a hang, and the map must
// keep its counts within capacity.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "FuzzReader.h"
#include "app/Editor.h"
#include "editing/DrawingTool.h"
#include "editing/PrimaryAction.h"
#include "views/ToolPreview.h"

using namespace korvel;

namespace {

// The tools whose presses draw: the polygon tool, the shape tools and the profiles.
constexpr Tool kTools[] = {Tool::Idle,           Tool::DrawPolygon, Tool::RegularPolygon,
                           Tool::EllipsePolygon, Tool::Circle,      Tool::Rectangle,
                           Tool::CurveShape,     Tool::Stroke,      Tool::ProfileSweep,
                           Tool::ProfileRevolve, Tool::JoinSectors, Tool::SubtractSectors};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto owner = std::make_unique<Editor>();
    Editor& ed = *owner;
    MapStore& map = ed.map;
    ToolState& t = ed.tool;
    FuzzReader in{data, size};

    map.sectorCount = in.get<uint8_t>() % 17;
    map.wallCount = in.get<uint8_t>() % 129;
    map.spriteCount = 0;
    map.booleanTargetSector = in.get<int16_t>();
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        in.bytes(&map.sectors[s], sizeof(SectorRecord));
        map.sectorSelected[s] = in.get<uint8_t>() & 1;
        map.sectorIgnored[s] = 0;
    }
    for (int32_t w = 0; w < map.wallCount; ++w) {
        in.bytes(&map.walls[w], sizeof(WallRecord));
        // Small coordinates, so that presses meet the walls' corners now and then.
        map.walls[w].x = in.get<int8_t>() * 64;
        map.walls[w].y = in.get<int8_t>() * 64;
        map.wallSector[w] = in.get<int16_t>();
        const uint8_t f = in.get<uint8_t>();
        map.wallSelected[w] = f & 1;
        map.vertexSelected[w] = (f >> 1) & 1;
        map.wallIgnored[w] = uint8_t(f >> 2) & 1;
    }
    map.selectedSectorCount = 0;
    map.selectedWallCount = 0;
    map.selectedVertexCount = 0;
    map.undoState = UndoState::Nothing;
    ed.undo.editOpen = false;

    t.currentTool = kTools[in.get<uint8_t>() % (sizeof(kTools) / sizeof(kTools[0]))];
    t.toolDrawMode = in.get<int8_t>();
    t.toolTargetSector = in.get<int16_t>();
    t.toolAltMode = in.get<uint8_t>() & 1;
    t.toolDetailLocked = in.get<uint8_t>() & 1;
    t.tracingToTool = in.get<uint8_t>() & 1;
    t.booleanPending = in.get<uint8_t>() & 1;
    t.ripCutsAll = in.get<uint8_t>() & 1;
    t.booleanMode = BooleanMode(in.get<uint8_t>() % 5);
    t.selectionMode = SelectionMode(in.get<uint8_t>() % 8);
    // Details at the ends of their range, or of a size whose shape links in reasonable time
    // under the sanitizers (each new wall's link search scans the map's walls).
    const auto detail = [&in]() {
        const int32_t v = in.get<int32_t>();
        return (v & 0x40000000) != 0 ? v : v % 512;
    };
    t.toolDetail = detail();
    t.toolSecDetail = detail();
    t.lineWidth = in.get<int32_t>();
    ed.settings.zRangeMode = in.get<uint8_t>() % 3;
    ed.settings.zRangeLow = in.get<int32_t>();
    ed.settings.zRangeHigh = in.get<int32_t>();
    ed.sound.batchFinished = in.get<uint8_t>() & 1;

    ProfileEditorState& profile = ed.pages.profileEditor;
    profile.contourCount = in.get<int16_t>();
    for (int32_t i = 0; i < 4; ++i) in.bytes(&profile.contour[i], sizeof(ContourSegment));

    // Points placed so far: a few from the input, or the drawing full.
    DrawVertexList& list = ed.drawVertices;
    const uint8_t placed = in.get<uint8_t>();
    list.toolPointCount = placed == 255 ? kDrawVertexCapacity : placed % 9;
    for (int32_t i = 0; i < list.toolPointCount; ++i) {
        list.toolPointsX[i] = i < 8 ? in.get<int8_t>() * 64 : i;
        list.toolPointsY[i] = i < 8 ? in.get<int8_t>() * 64 : 0;
    }

    for (int32_t press = 0; press < 24 && !in.done(); ++press) {
        const uint8_t how = in.get<uint8_t>();
        const bool wide = (how & 8) != 0;
        ed.hover.hitPointX = wide ? in.get<int32_t>() : in.get<int8_t>() * 64;
        ed.hover.hitPointY = wide ? in.get<int32_t>() : in.get<int8_t>() * 64;
        ed.hover.hoveredSector = in.get<int8_t>();
        ed.dispatch.ctrlHeld = how & 1;
        ed.dispatch.shiftHeld = (how >> 1) & 1;
        buildToolPreview(ed);
        if ((how & 4) != 0 && t.currentTool == Tool::DrawPolygon)
            closeDrawnPolygon(ed);
        else
            hitSpace(ed);
        if (map.sectorCount < 0 || map.sectorCount > kMaxSectors || map.wallCount < 0 ||
            map.wallCount > kMaxWalls || list.toolPointCount > kDrawVertexCapacity ||
            ed.undo.editOpen)
            std::abort();
    }
    return 0;
}
