#include "views/SectorLayer.h"

#include <algorithm>
#include <cstring>

#include "app/Settings.h"
#include "base/ValueConv.h"
#include "editing/HoverState.h"
#include "ui/ColorSettings.h"
#include "ui/Raster.h"
#include "views/PlanViewState.h"
#include "views/SectorRows.h"
#include "views/TexturedFill.h"

namespace korvel {

void drawSectorLayer(PlanFrame& pf, int32_t frameNumber) {
    pf.lists.labelCount = 0;
    if (pf.settings.sectorsFull) {
        // Tints the selected and hovered sectors and collects the labels itself.
        fillSectorsTextured(pf, frameNumber);
        return;
    }
    if (pf.settings.wallTags && double(pf.settings.tagDrawLimit) > pf.view.zoom)
        collectSectorTagLabels(pf, frameNumber);
    fillSelectedSectors(pf, frameNumber);
}

void collectSectorTagLabels(PlanFrame& pf, int32_t) {
    const MapStore& map = pf.map;
    PlanViewState& st = pf.lists;
    const uint8_t oneSided = pf.colours.colorWallOneSided;
    const uint8_t* sides = st.wallSides.data();
    const int32_t walls = std::clamp(map.wallCount, 0, kMaxWalls);
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        if (map.sectorIgnored[s] != 0) continue;
        const SectorRecord& sec = map.sectors[s];
        if (sec.lotag == 0 && sec.hitag == 0) continue;
        // Most sectors of a large map lie beyond an edge of a close view: they are passed over
        // before asking for their box, which would be empty.
        if (!sectorMayShow(sides, walls, sec.wallptr, sec.wallnum)) continue;
        const ScreenBox b = startPointBox(pf, s);
        if (b.outsideMapView()) continue;
        if (st.labelCount >= kMaxSectors) return;
        PlanLabel& label = st.labels[st.labelCount++];
        label.x = int32_t((int64_t(b.minX) + b.maxX) / 2);
        label.y = int32_t((int64_t(b.minY) + b.maxY) / 2);
        label.colour = s == pf.hover.hoveredSector ? oneSided : uint8_t(oneSided - 2);
        label.text = unsignedInt16ToString(sec.hitag);
        label.text += ',';
        label.text += unsignedInt16ToString(sec.lotag);
    }
}

void fillSelectedSectors(PlanFrame& pf, int32_t) {
    const MapStore& map = pf.map;
    const uint8_t colour = pf.colours.colorSectorHighlight;
    const uint8_t* sides = pf.lists.wallSides.data();
    const int32_t walls = std::clamp(map.wallCount, 0, kMaxWalls);
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        const bool fill = map.sectorSelected[s]
                              ? pf.blinkOn
                              : pf.settings.sectorHighlight && s == pf.hover.hoveredSector;
        // As in collectSectorTagLabels, a sector beyond an edge is passed over first.
        const SectorRecord& sec = map.sectors[s];
        if (fill && sectorMayShow(sides, walls, sec.wallptr, sec.wallnum))
            fillSectorFlat(pf, s, colour);
    }
}

void fillSectorFlat(PlanFrame& pf, int32_t sector, uint8_t colour) {
    const MapStore& map = pf.map;
    PlanViewState& st = pf.lists;
    if (!isSector(map, sector)) return;
    const ScreenBox box = startPointBox(pf, sector);
    if (box.outsideMapView()) return;
    const WallSpan span = wallSpan(map, sector);
    const ScreenBox clip = box.clippedToMapView();
    const int32_t edgeCount = prepareSectorEdges(st, span, clip);
    const SurfaceView s = screenView(pf.cv.frame);
    // Each span ends before its right crossing.
    scanSectorRows(st, edgeCount, clip, [&](int32_t y, const int32_t* cross, int32_t n) {
        uint8_t* row = &s.at(0, y);
        for (int32_t i = 0; i < n; i += 2)
            if (cross[i] < cross[i + 1])
                fillRun(row + cross[i], colour, size_t(cross[i + 1] - cross[i]));
    });
}

}  // namespace korvel
