#include "views/PlanView.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "app/Startup.h"
#include "geometry/SpriteTools.h"
#include "map/GeometryQueries.h"
#include "ui/Raster.h"
#include "ui/Text.h"
#include "views/MapOverlays.h"
#include "views/PlanFrame.h"
#include "views/PlanGrid.h"
#include "views/PlanSprites.h"
#include "views/PlanViewState.h"
#include "views/SectorLayer.h"

namespace korvel {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kUnitsPerRadian65536 = 10430.378350470464;

// Which drawing pass a colour belongs to; a colour shared by two settings belongs to both.
namespace Pass {
constexpr uint8_t Dim = 1;     // filtered or hidden
constexpr uint8_t Normal = 2;  // one of the four wall colours
constexpr uint8_t Lit = 4;     // one of them highlighted
}  // namespace Pass

std::array<uint8_t, 256> wallPassTable(const ColorSettings& cs) {
    std::array<uint8_t, 256> t{};
    t[cs.colorFiltered] |= Pass::Dim;
    t[cs.colorHidden] |= Pass::Dim;
    for (const uint8_t c :
         {cs.colorWallOneSided, cs.colorWallOpen, cs.colorWallBlocking, cs.colorWallHalfBlocking}) {
        t[c] |= Pass::Normal;
        t[highlighted(c)] |= Pass::Lit;
    }
    return t;
}

bool isDim(const ColorSettings& cs, uint8_t colour) {
    return colour == cs.colorFiltered || colour == cs.colorHidden;
}

void appendTags(FixedText<15>& text, int16_t hitag, int16_t lotag) {
    text = std::to_string(hitag);
    text += ',';
    text += std::to_string(lotag);
}

void wallLabel(const MapStore& map, int32_t i, bool hasTwin, bool wallVectors,
               FixedText<15>& label) {
    label.clear();
    const WallRecord& w = map.walls[i];
    if (w.lotag != 0 || w.hitag != 0) appendTags(label, w.hitag, w.lotag);
    if (hasTwin && !wallVectors) {
        const WallRecord& t = map.walls[w.nextwall];
        if (t.lotag != 0 || t.hitag != 0) appendTags(label, t.hitag, t.lotag);
    }
}

// Whether wall labels can show at the frame's zoom; when not, every line's label is empty.
bool wallLabelsShown(const PlanFrame& pf) {
    return pf.settings.wallTags && pf.view.zoom < double(pf.settings.tagDrawLimit);
}

void buildWallLines(PlanFrame& pf) {
    const MapStore& map = pf.map;
    const Settings& set = pf.settings;
    const ColorSettings& cs = pf.colours;
    PlanViewState& st = pf.lists;
    const int32_t* xs = st.wallScreenX.data();
    const int32_t* ys = st.wallScreenY.data();
    const uint16_t* ends = st.wallEnds.data();
    const bool vectors = set.wallVectors != 0;
    const bool tags = wallLabelsShown(pf);
    const int32_t hovered = pf.hover.hoveredWall;
    const std::array<uint8_t, 256> passOf = wallPassTable(cs);
    int32_t* dim = st.wallLinePasses.data();
    int32_t* normal = dim + kMaxWalls;
    int32_t* highlit = normal + kMaxWalls;
    int32_t dimCount = 0, normalCount = 0, litCount = 0;
    st.planWallLineCount = 0;
    for (int32_t k = 0; k < st.nearWallCount; ++k) {
        const int32_t i = st.nearWalls[k];
        const WallRecord& w = map.walls[i];
        const int32_t end = ends[i];
        const int32_t x1 = xs[i], y1 = ys[i], x2 = xs[end], y2 = ys[end];
        if ((x1 < 0 && x2 < 0) || (x1 > kScreenRight && x2 > kScreenRight) ||
            (y1 < kMapViewBottom && y2 < kMapViewBottom) || (y1 > kMapViewTop && y2 > kMapViewTop))
            continue;

        // A twin only counts when it exists; a pair is only drawn once when it links both ways.
        const int32_t twin = w.nextwall;
        const bool hasTwin = isWall(map, twin);
        const bool selected =
            map.wallSelected[i] || (hasTwin && !vectors && map.wallSelected[twin]);
        const bool lit = selected ? pf.blinkOn : i == hovered;
        if (!lit && hasTwin && twin > i && !vectors && map.walls[twin].nextwall == i) continue;

        uint8_t colour;
        bool thick;
        if (w.nextsector == -1 && w.nextwall == -1) {
            colour = cs.colorWallOneSided;
            thick = (w.cstat & kWallHitscan) != 0;
        } else {
            // A wall that names no twin of its own is taken as matching itself.
            const uint16_t twinCstat = hasTwin ? map.walls[twin].cstat : w.cstat;
            const bool b1 = w.cstat & kWallBlocking, b2 = twinCstat & kWallBlocking;
            colour = b1 != b2 ? cs.colorWallHalfBlocking
                     : b1     ? cs.colorWallBlocking
                              : cs.colorWallOpen;
            thick = ((w.cstat | twinCstat) & kWallHitscan) != 0;
        }
        if (lit) colour = highlighted(colour);
        uint8_t flags = thick ? PlanLineFlags::Thick : 0;
        const int32_t sector = map.wallSector[i];
        if (isSector(map, sector) && map.sectors[sector].wallptr == i)
            flags |= PlanLineFlags::FirstWall;
        if (map.wallIgnored[i] == uint8_t(HiddenState::Filtered))
            colour = cs.colorFiltered;
        else if (map.wallIgnored[i] >= uint8_t(HiddenState::Hidden))
            colour = cs.colorHidden;

        const int32_t index = st.planWallLineCount++;
        const uint8_t passes = passOf[colour];
        dim[dimCount] = normal[normalCount] = highlit[litCount] = index;
        dimCount += passes & Pass::Dim;
        normalCount += (passes & Pass::Normal) >> 1;
        litCount += (passes & Pass::Lit) >> 2;
        PlanWallLine& line = st.planWallLines[index];
        line.x1 = x1;
        line.y1 = y1;
        line.x2 = x2;
        line.y2 = y2;
        line.colour = colour;
        line.flags = flags;
        line.wall = i;
        if (tags && !isDim(cs, colour))
            wallLabel(map, i, hasTwin, vectors, line.label);
        else
            line.label.clear();
    }
    st.wallPassCounts = {dimCount, normalCount, litCount};
}

// The slope arrow and angle beside the first wall of a sloped sector.
void drawSlopeMark(const PlanFrame& pf, const PlanWallLine& line) {
    const MapStore& map = pf.map;
    const SectorRecord& sec = map.sectors[map.wallSector[line.wall]];
    const bool ceiling = pf.settings.ceilingView != 0;
    const uint16_t stat = ceiling ? sec.ceilingstat : sec.floorstat;
    if (!(stat & kSurfaceSloped) || (line.x1 == line.x2 && line.y1 == line.y2)) return;
    const double mx = double((int64_t(line.x1) + line.x2) / 2);
    const double my = double((int64_t(line.y1) + line.y2) / 2);
    const double t = angleOf65536(line.x1, line.y1, line.x2, line.y2) / kUnitsPerRadian65536;
    const double nx = std::cos(t), ny = std::sin(t);
    const int32_t px = nearestInt(mx - 18 * nx), py = nearestInt(my - 18 * ny);
    const double spread = 2560 * kTwoPi / 65536;
    drawLineMapView(pf.cv, nearestInt(mx), nearestInt(my), px, py, line.colour);
    for (const double side : {spread, -spread})
        drawLineMapView(pf.cv, px, py, nearestInt(mx - 10 * std::cos(t + side)),
                        nearestInt(my - 10 * std::sin(t + side)), line.colour);

    const int16_t heinum = ceiling ? sec.ceilingheinum : sec.floorheinum;
    const double degrees = std::atan(heinum / 4096.0) * 360 / kTwoPi;
    std::string text = std::to_string(nearestInt(degrees));
    text += '\xB0';
    const int64_t lx = nearestInt(mx - 32 * nx), ly = nearestInt(my - 32 * ny);
    drawSmallTextMapClipped(pf.cv, pf.fonts, text, clampToInt32(lx - 5 * int64_t(text.size()) / 2),
                            clampToInt32(ly - 3), line.colour);
}

// The lines of each pass in turn, as buildWallLines listed them.
void drawWallLines(PlanFrame& pf) {
    const PlanViewState& st = pf.lists;
    const int32_t* dim = st.wallLinePasses.data();
    for (int32_t k = 0; k < st.wallPassCounts[0]; ++k) draw2DLine(pf, st.planWallLines[dim[k]]);
    const int32_t* normal = dim + kMaxWalls;
    for (int32_t k = 0; k < st.wallPassCounts[1]; ++k) draw2DLine(pf, st.planWallLines[normal[k]]);
    const int32_t* lit = normal + kMaxWalls;
    for (int32_t k = 0; k < st.wallPassCounts[2]; ++k) {
        const PlanWallLine& line = st.planWallLines[lit[k]];
        draw2DLine(pf, line);
        if (line.flags & PlanLineFlags::FirstWall) drawSlopeMark(pf, line);
    }
}

void buildVertexMarks(PlanFrame& pf) {
    const MapStore& map = pf.map;
    const ColorSettings& cs = pf.colours;
    PlanViewState& st = pf.lists;
    st.planVertexCount = 0;
    for (int32_t k = 0; k < st.nearWallCount; ++k) {
        const int32_t i = st.nearWalls[k];
        if (st.wallSides[i] & WallSide::Beyond) continue;
        const int32_t x = st.wallScreenX[i], y = st.wallScreenY[i];
        if (x > kScreenRight + kMarkerReach || x < -kMarkerReach ||
            y < kMapViewBottom - kMarkerReach || y > kMapViewTop + kMarkerReach)
            continue;
        uint8_t colour;
        const uint8_t ignored = map.wallIgnored[i];
        if (ignored == uint8_t(HiddenState::Filtered))
            colour = cs.colorFiltered;
        else if (ignored == uint8_t(HiddenState::Hidden))
            colour = cs.colorHidden;
        else if (map.vertexSelected[i])
            colour = pf.blinkOn ? highlighted(cs.colorVertex) : cs.colorVertex;
        else
            colour = i == pf.hover.hoveredVertex ? highlighted(cs.colorVertex) : cs.colorVertex;
        st.planVertices[st.planVertexCount++] = {x, y, colour, i};
    }
}

// An arc of radius 16 from the vertex's own wall clockwise to the wall before it.
void drawCornerArc(const PlanFrame& pf, const PlanVertexMark& mark, uint8_t colour) {
    const MapStore& map = pf.map;
    if (!isWall(map, mark.wall)) return;
    const WallRecord& w = map.walls[mark.wall];
    const WallRecord& next = map.walls[clampWall(map, w.point2)];
    const WallRecord& prev = map.walls[getPrevWall(map, mark.wall)];
    const float limit = float(256 * pf.view.zoom * pf.view.zoom);
    auto squared = [](const WallRecord& a, const WallRecord& b) {
        const float dx = float(int64_t(b.x) - a.x), dy = float(int64_t(b.y) - a.y);
        return dx * dx + dy * dy;
    };
    if (!(squared(w, next) > limit) || !(squared(prev, w) > limit)) return;
    const float a1 = angleOfSingle(float(w.x), float(w.y), float(next.x), float(next.y));
    const float a2 = angleOfSingle(float(w.x), float(w.y), float(prev.x), float(prev.y));
    double d = angleDeltaDouble(a1, a2);
    if (d < 0) d += kTwoPi;
    const SurfaceView s = screenView(pf.cv.frame);
    for (int32_t k = 0, n = safeFloor(16 * d); k <= n; ++k) {
        const double a = a1 + k / 16.0;
        const int64_t x = int64_t(mark.x) + safeFloor(16 * std::sin(a) + 0.5);
        const int64_t y = int64_t(mark.y) + safeFloor(16 * std::cos(a) + 0.5);
        if (x >= 0 && x <= kScreenRight && y >= kMapViewBottom && y <= kMapViewTop)
            s.at(int32_t(x), int32_t(y)) = colour;
    }
}

void drawVertexMarks(PlanFrame& pf) {
    const ColorSettings& cs = pf.colours;
    const PlanViewState& st = pf.lists;
    const uint8_t lit = highlighted(cs.colorVertex);
    for (int32_t i = 0; i < st.planVertexCount; ++i) {
        const PlanVertexMark& m = st.planVertices[i];
        if (isDim(cs, m.colour)) drawSquareMarker(pf.cv, m.x, m.y, m.colour);
    }
    for (int32_t i = 0; i < st.planVertexCount; ++i) {
        const PlanVertexMark& m = st.planVertices[i];
        if (m.colour == cs.colorVertex) drawSquareMarker(pf.cv, m.x, m.y, m.colour);
    }
    const bool arcs = pf.tool.selectionMode == SelectionMode::Vertices;
    for (int32_t i = 0; i < st.planVertexCount; ++i) {
        const PlanVertexMark& m = st.planVertices[i];
        if (m.colour != lit) continue;
        drawSquareMarker(pf.cv, m.x, m.y, m.colour);
        if (arcs) drawCornerArc(pf, m, lit);
    }
}

void drawTagLabels(PlanFrame& pf) {
    const PlanViewState& st = pf.lists;
    const ColorSettings& cs = pf.colours;
    // The hovered sector's label is the one in the one-sided wall colour: it goes on top.
    for (int32_t i = 0; i < st.labelCount; ++i)
        if (st.labels[i].colour != cs.colorWallOneSided) drawSectorTagLabel(pf, st.labels[i]);
    for (int32_t i = 0; i < st.labelCount; ++i)
        if (st.labels[i].colour == cs.colorWallOneSided) drawSectorTagLabel(pf, st.labels[i]);
    if (!pf.settings.showWalls || !wallLabelsShown(pf)) return;
    const std::array<uint8_t, 256> passOf = wallPassTable(cs);
    for (int32_t i = 0; i < st.planWallLineCount; ++i)
        if (passOf[st.planWallLines[i].colour] & Pass::Normal)
            drawWallLabel(pf, st.planWallLines[i], 6);
    for (int32_t i = 0; i < st.planWallLineCount; ++i)
        if (passOf[st.planWallLines[i].colour] & Pass::Lit)
            drawWallLabel(pf, st.planWallLines[i], 8);
}

}  // namespace

void draw2DLine(const PlanFrame& pf, const PlanWallLine& line) {
    const ColorSettings& cs = pf.colours;
    const int32_t x1 = line.x1, y1 = line.y1, x2 = line.x2, y2 = line.y2;
    if (isDim(cs, line.colour)) {
        drawDottedLineMapView(pf.cv, x1, y1, x2, y2, line.colour, 3);
        return;
    }
    if (line.flags & PlanLineFlags::Thick) {
        drawThickLineMapView(pf.cv, x1, y1, x2, y2, line.colour);
        drawLineMapView(pf.cv, x1, y1, x2, y2, highlighted(line.colour));
    } else {
        drawLineMapView(pf.cv, x1, y1, x2, y2, line.colour);
    }
    if (!pf.settings.wallVectors) return;
    const int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
    const int64_t length = int64_t(std::floor(std::hypot(double(dx), double(dy))));
    if (length < 16) return;
    // The unit direction scaled by 4096.
    const int64_t g = dx * 4096 / length, f = dy * 4096 / length;
    const int32_t hx = clampToInt32(x2 + (9 * f - 33 * g) / 8192);
    const int32_t hy = clampToInt32(y2 - (9 * g + 33 * f) / 8192);
    drawLineMapView(pf.cv, clampToInt32(x2 - g / 256), clampToInt32(y2 - f / 256), hx, hy,
                    line.colour);
    drawLineMapView(pf.cv, x2, y2, hx, hy, line.colour);
    if (line.flags & PlanLineFlags::FirstWall)
        drawDottedLineMapView(pf.cv, clampToInt32(x1 + 5 * f / 8192),
                              clampToInt32(y1 - 5 * g / 8192), clampToInt32(x2 + 5 * f / 8192),
                              clampToInt32(y2 - 5 * g / 8192), line.colour, 7);
}

void preparePlanMap(MapStore& map, const Settings& settings, const PlanProjection& view) {
    if (spriteCountsShown(settings, view) && !map.spriteStacksValid) computeSpriteStacks(map);
}

void paintPlanView(PlanFrame& pf, int32_t frameNumber) {
    const Settings& set = pf.settings;
    PlanViewState& st = pf.lists;
    st.planWallLineCount = st.planVertexCount = st.spriteDrawCount = 0;
    if (++st.paintCount == 0) {
        st.paintCount = 1;
        std::fill(st.texelColoursFrame.begin(), st.texelColoursFrame.end(), 0u);
    }
    projectWallPoints(pf);

    if (set.transparentGrid && set.sectorsFull) drawCheckerboard(pf);
    drawSectorLayer(pf, frameNumber);
    if (set.showGrid) {
        if (set.affineGridMode != 0)
            drawAffineGrid(pf);
        else
            drawSquareGrid(pf);
    }
    drawOriginCross(pf);
    drawMapBoundary(pf);
    drawStartMarker(pf);
    if (set.showWalls) {
        buildWallLines(pf);
        drawWallLines(pf);
    }
    if (set.showVertices && pf.view.zoom < double(set.spriteZoomLimit)) {
        buildVertexMarks(pf);
        drawVertexMarks(pf);
    }
    drawPlanSprites(pf, frameNumber);
    if (set.wallTags) drawTagLabels(pf);
    drawSpriteLabelsAndCounts(pf);
    drawMapOverlays(pf, frameNumber);
}

PlanFrame planFrameOf(Editor& ed) {
    return {canvasOf(ed),
            PlanProjection(ed.view),
            ed.map,
            ed.settings,
            ed.colorSettings,
            ed.hover,
            ed.tool,
            ed.fonts,
            ed.tiles,
            ed.tileCatalog,
            ed.overlays,
            ed.planView,
            ed.input.frameTime,
            blinkPhaseOn(ed.input.frameTime),
            &ed};
}

void draw2DView(Editor& ed, int32_t frameNumber) {
    // The textured fill needs the tiles: they load inside the frame that first shows it.
    if (ed.settings.sectorsFull && ed.tiles.artLoaded == 0) loadArtTiles(ed);
    PlanFrame pf = planFrameOf(ed);
    preparePlanMap(ed.map, ed.settings, pf.view);
    paintPlanView(pf, frameNumber);
}

}  // namespace korvel
