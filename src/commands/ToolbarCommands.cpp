#include "commands/ToolbarCommands.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/Editor.h"
#include "app/Demo.h"
#include "app/MapFileCommands.h"
#include "app/PageChanges.h"
#include "commands/FileCommands.h"
#include "commands/PageCommands.h"
#include "commands/PageStack.h"
#include "commands/SelectionCommands.h"
#include "editing/CalculatorPrompt.h"
#include "editing/ValuePrompt.h"
#include "editing/DrawingTool.h"
#include "editing/LinearCutTool.h"
#include "editing/LightTools.h"
#include "geometry/ClipboardPaste.h"
#include "geometry/LinearCutter.h"
#include "geometry/LoopCopies.h"
#include "geometry/SectorDeletion.h"
#include "geometry/SectorRips.h"
#include "geometry/SkyAndSpriteTools.h"
#include "geometry/SpritePrimitives.h"
#include "geometry/SpriteTools.h"
#include "geometry/TransformTools.h"
#include "geometry/WallPrimitives.h"
#include "map/GeometryQueries.h"
#include "map/MapClipboard.h"
#include "map/MapEdit.h"
#include "map/Selection.h"
#include "pages/FileBrowser.h"
#include "pages/MessageBox.h"
#include "pages/RecordEditor.h"
#include "views/SideView.h"

namespace korvel {

namespace {

constexpr uint8_t kViewMenu = 3;
constexpr int32_t kWholeSelection = 16777215;

void status(Editor& ed, int32_t n, std::vector<std::string> args = {}) {
    ed.events.statusMessage(n, std::move(args), 0);
}

// A menu that shows the changed setting is drawn again while it is open.
void redrawMenu(Editor& ed, uint8_t menu) {
    if (ed.menus.openMenu == menu) drawOpenMenu(ed);
}
void redrawOpenMenu(Editor& ed) {
    if (ed.menus.openMenu != 0) drawOpenMenu(ed);
}

void flip(uint8_t& v) {
    v = v ? 0 : 1;
}

// --- Press actions ---

void switchToMapPage(Editor& ed, Page page) {
    ed.app.currentPage = page;
    if (page == Page::PlanView) ed.app.modeStackDepth = 0;
    if (page == Page::SideView) buildSideViewSlices(ed);
    playSound(ed, "mode1");
}

void setSelectionMode(Editor& ed, SelectionMode mode) {
    ed.tool.selectionMode = mode;
    if (mode == SelectionMode::BooleanTarget) ed.map.booleanTargetSector = -2;
    playSound(ed, "mode2");
}

// --- Tool starts ---

struct ToolStart {
    int32_t code;
    Tool tool;
    int32_t topic;
    int32_t message;  // 0: none
};
constexpr ToolStart kToolStarts[] = {
    {51, Tool::IntersectSectors, 6, 290},   {52, Tool::JoinSectors, 4, 288},
    {53, Tool::SubtractSectors, 5, 289},    {54, Tool::TransformBySegments, 18, 299},
    {55, Tool::QuadWarp1, 19, 300},         {56, Tool::QuadWarp2, 20, 301},
    {57, Tool::MirrorAcrossLine, 28, 307},  {73, Tool::PlaceStartPosition, 3, 287},
    {93, Tool::AimSprites, 15, 297},        {94, Tool::CurveThroughVertices, 17, 0},
    {95, Tool::LinearCut, 22, 303},         {99, Tool::DivideWall, 14, 0},
    {100, Tool::CurveWall, 13, 296},        {104, Tool::TriangleLoops, 21, 302},
    {106, Tool::MergeVertices, 29, 1171},   {108, Tool::PickLightSprites, 30, 1172},
    {110, Tool::ShadeFromLight, 31, 1173},  {111, Tool::CastShadows, 32, 1174},
    {128, Tool::Stroke, 16, 298},           {144, Tool::RegularPolygon, 7, 291},
    {145, Tool::EllipsePolygon, 8, 292},    {146, Tool::Circle, 9, 293},
    {147, Tool::Rectangle, 10, 294},        {158, Tool::CurveShape, 11, 295},
};

const ToolStart* toolStartOf(int32_t code) {
    for (const ToolStart& t : kToolStarts)
        if (t.code == code) return &t;
    return nullptr;
}

void startTool(Editor& ed, const ToolStart& t) {
    ToolState& tool = ed.tool;
    DrawVertexList& pts = ed.drawVertices;
    tool.currentTool = t.tool;
    ed.app.helpPopupStep = 0;
    ed.app.helpTopic = t.topic;
    switch (t.tool) {
        case Tool::IntersectSectors:
        case Tool::JoinSectors:
        case Tool::SubtractSectors:
            tool.toolTargetSector = -1;
            break;
        case Tool::TransformBySegments:
            startTransformToolPoints(ed, 4);
            tool.toolAltMode = 0;
            break;
        case Tool::QuadWarp1:
            startTransformToolPoints(ed, 6);
            tool.toolAltMode = 0;
            break;
        case Tool::QuadWarp2:
            startTransformToolPoints(ed, 8);
            tool.toolAltMode = 0;
            break;
        case Tool::PlaceStartPosition:
        case Tool::AimSprites:
            pts.toolPointCount = 0;
            break;
        case Tool::CurveThroughVertices:
        case Tool::DivideWall:
            tool.toolTargetSector = kWholeSelection;
            tool.toolAltMode = 0;
            break;
        case Tool::CurveWall: {
            const int32_t w = getFirstSelectedWall(ed.map);
            tool.toolTargetSector = w < 0 ? 0 : w;
            tool.toolAltMode = 0;
            break;
        }
        case Tool::TriangleLoops: {
            const int32_t s = getFirstSelectedSector(ed.map);
            pts.toolPointCount = 0;
            tool.toolAltMode = 0;
            tool.toolTargetSector = s < 0 ? 0 : s;
            break;
        }
        case Tool::Stroke:
        case Tool::RegularPolygon:
        case Tool::EllipsePolygon:
        case Tool::Circle:
        case Tool::Rectangle:
        case Tool::CurveShape:
            pts.toolPointCount = 0;
            rebuildToolbar(ed);
            ed.app.redrawRequest = std::max(ed.app.redrawRequest, 1);
            break;
        default:
            pts.toolPointCount = 0;
            tool.toolAltMode = 0;
            break;
    }
    if (t.message != 0) status(ed, t.message);
    playSound(ed, "command");
}

// The point picker of the wall lighting and array pages.
void pickPointOnMap(Editor& ed) {
    DrawVertexList& pts = ed.drawVertices;
    if (ed.app.currentPage == Page::WallLighting) {
        ed.tool.currentTool = Tool::PickLightPoint;
        ed.app.helpPopupStep = 0;
        ed.app.helpTopic = 27;
        popPage(ed);
        pts.toolPointsX[0] = ed.pages.wallLighting.lightX;
        pts.toolPointsY[0] = ed.pages.wallLighting.lightY;
        pts.toolPointCount = 1;
    } else if (ed.app.currentPage == Page::ArrayTool && ed.pages.arrayTool.arrayPattern == 1) {
        ed.tool.currentTool = Tool::PickArrayCentre;
        ed.app.helpPopupStep = 0;
        ed.app.helpTopic = 12;
        popPage(ed);
        const IntPoint c = selectedSpritesCenter2D(ed.map);
        pts.toolPointsX[0] = c.x;
        pts.toolPointsY[0] = c.y;
        pts.toolPointCount = 1;
    }
}

void openPage(Editor& ed, Page page) {
    ed.app.currentPage = page;
    playSound(ed, "command");
}

// --- Map edits ---

// The edit bracket of a toolbar edit: the snapshot first, then the cue and the message.
template <typename Body>
void toolbarEdit(Editor& ed, int32_t message, const char* cue, Body body,
                 EditUndo undo = EditUndo::Snapshot) {
    MapEdit edit(ed.map, ed.undo, ed.events, undo);
    if (!body(edit.events())) return;  // refused: the map as it was
    edit.commit();
    playSound(ed, cue);
    if (message != 0) status(ed, message);
}

void unlink(WallRecord& w) {
    w.nextwall = -1;
    w.nextsector = -1;
}

bool disconnectSelectedWalls(MapStore& m) {
    for (int32_t w = 0; w < m.wallCount; ++w) {
        const int32_t nw = m.walls[w].nextwall;
        if (m.wallIgnored[w] == uint8_t(HiddenState::Shown) && isWall(m, nw) &&
            m.wallSelected[nw])
            unlink(m.walls[w]);
    }
    for (int32_t w = 0; w < m.wallCount; ++w) {
        const int32_t nw = m.walls[w].nextwall;
        if (!m.wallSelected[w] || nw < 0) continue;
        if (isWall(m, nw)) unlink(m.walls[nw]);
        unlink(m.walls[w]);
    }
    return true;
}

bool ripFirstSelectedSector(Editor& ed, MapEvents& ev) {
    MapStore& m = ed.map;
    if (m.sectorCount <= 0) return false;
    const int32_t first = getFirstSelectedSector(m);
    const int32_t s = first < 0 ? 0 : first;
    if (s != m.sectorCount - 1 && !moveSectorSp(m, ev, s, m.sectorCount - 1)) return false;
    ed.dispatch.ctrlHeld = 0;
    ed.dispatch.altHeld = 0;
    DrawingToolFeed feed(ed);
    multiSectorRip(m, ev, feed);
    deselectSectors(m);
    return true;
}

// Scans the selected objects upward and acts on each; an index is examined again after the
// action removed the object, and passed over when the action refused it.
template <typename Selected, typename Act>
void removeSelected(int32_t& count, Selected selected, Act act) {
    for (int32_t i = 0; i < count;) {
        if (!selected(i) || !act(i)) ++i;
    }
}

bool copySelectedSprites(MapStore& m, MapEvents& ev) {
    const int32_t before = m.spriteCount;
    int32_t copies = 0;
    for (int32_t k = 0; k < before; ++k) copies += m.spriteSelected[k] ? 1 : 0;
    if (copies > kMaxSprites - before) {
        ev.statusMessage(kMsgNoRoomForSprites);
        return false;
    }
    for (int32_t k = 0; k < before; ++k) {
        if (!m.spriteSelected[k]) continue;
        if (!cloneSprite(m, ev, k)) return false;
        m.spriteSelected[m.spriteCount - 1] = 1;
        m.spriteSelected[k] = 0;
    }
    m.selectedSpriteCount = copies;
    m.spriteStacksValid = 0;
    return true;
}

int32_t countFlags(const FixedArray<uint8_t, kMaxSectors>& flags, int32_t count) {
    int32_t n = 0;
    for (int32_t i = 0; i < count; ++i) n += flags[i] ? 1 : 0;
    return n;
}

bool splitSelectedSectors(MapStore& m, MapEvents& ev) {
    m.selectedSectorCount = 1;
    // Each split may append sectors; a sector is examined again while its splits change the
    // count, and the scan ends within a bound however the records are damaged.
    int32_t steps = 2 * kMaxSectors + m.sectorCount;
    for (int32_t s = 0; s < m.sectorCount && steps-- > 0;) {
        const int32_t before = m.sectorCount;
        if (m.sectorSelected[s]) splitIsolatedLoops(m, ev, s);
        if (m.sectorCount == before) ++s;
    }
    m.selectedSectorCount = countFlags(m.sectorSelected, m.sectorCount);
    return true;
}

// Found by the flags themselves, whatever the count says; at most one pass per wall.
bool deleteSelectedVertices(MapStore& m, MapEvents& ev) {
    for (int32_t n = m.wallCount; n > 0; --n) {
        int32_t v = 0;
        while (v < m.wallCount && !m.vertexSelected[v]) ++v;
        if (v >= m.wallCount || !deleteVertex(m, ev, v)) break;
    }
    return true;
}

bool reverseSelectedLoops(MapStore& m, MapEvents& ev) {
    int32_t previousPoint2 = -1;
    for (int32_t w = 0; w < m.wallCount; ++w) {
        if (m.wallSelected[w] && w != previousPoint2) reverseLoop(m, ev, w);
        previousPoint2 = m.walls[w].point2;
    }
    return true;
}

// Selected sectors one place towards the front (or the back); a run of them already at that
// end stays.
bool moveSelectedSectorsOneStep(MapStore& m, MapEvents& ev, bool towardsFront) {
    const int32_t n = m.sectorCount;
    bool free = true;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t s = towardsFront ? i : n - 1 - i;
        if (!m.sectorSelected[s]) {
            free = true;
        } else if (s == (towardsFront ? 0 : n - 1)) {
            free = false;
        } else if (free) {
            moveSectorSp(m, ev, s, towardsFront ? s - 1 : s + 1);
        }
    }
    return true;
}

// Selected sectors gathered at the front (or the back), in their order.
bool moveSelectedSectorsToEnd(MapStore& m, MapEvents& ev, bool towardsFront) {
    const int32_t n = m.sectorCount;
    int32_t target = towardsFront ? 0 : n - 1;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t s = towardsFront ? i : n - 1 - i;
        if (!m.sectorSelected[s]) continue;
        if (s != target) moveSectorSp(m, ev, s, target);
        target += towardsFront ? 1 : -1;
    }
    return true;
}

void mapEditByCode(Editor& ed, int32_t code) {
    MapStore& m = ed.map;
    switch (code) {
        case 63:
            toolbarEdit(ed, 309, "command", [&](MapEvents&) { return disconnectSelectedWalls(m); });
            break;
        case 72:
            toolbarEdit(ed, 238, "command", [&](MapEvents& ev) {
                return pasteClipboardInPlace(m, ed.clipboard, ev);
            });
            break;
        case 76:
            toolbarEdit(ed, 0, "command", [&](MapEvents& ev) { return ripFirstSelectedSector(ed, ev); });
            break;
        case 77:
            toolbarEdit(ed, 0, "command", [&](MapEvents& ev) {
                splitWallsAtVertices(m, ev, ed.settings.autoWallSquare != 0);
                return true;
            });
            break;
        case 80:
            toolbarEdit(ed, 32, "spriexpl", [&](MapEvents& ev) {
                removeSelected(
                    m.spriteCount, [&](int32_t k) { return m.spriteSelected[k] != 0; },
                    [&](int32_t k) { return deleteSprite(m, ev, k); });
                return true;
            });
            break;
        case 82:
            toolbarEdit(ed, 184, "command", [&](MapEvents& ev) { return copySelectedSprites(m, ev); });
            break;
        case 83:
            toolbarEdit(ed, 36, "spriexpl", [&](MapEvents& ev) {
                removeSelected(
                    m.wallCount, [&](int32_t w) { return m.wallSelected[w] != 0; },
                    [&](int32_t w) { return deleteWall(m, ev, w, true); });
                return true;
            });
            break;
        case 84:
            toolbarEdit(ed, 309, "command", [&](MapEvents& ev) { return splitSelectedSectors(m, ev); });
            break;
        case 85:
            toolbarEdit(ed, 34, "spriexpl", [&](MapEvents& ev) { return deleteSelectedVertices(m, ev); });
            break;
        case 86:
            toolbarEdit(ed, 226, "sectexpl", [&](MapEvents& ev) {
                removeSelected(
                    m.sectorCount, [&](int32_t s) { return m.sectorSelected[s] != 0; },
                    [&](int32_t s) { return deleteSector(m, ev, s); });
                return true;
            });
            break;
        case 87:
            toolbarEdit(ed, 308, "sectexpl", [&](MapEvents& ev) {
                removeSelected(
                    m.wallCount, [&](int32_t w) { return m.wallSelected[w] != 0; },
                    [&](int32_t w) { return deleteLoop(m, ev, w) != LoopDeletion::Refused; });
                return true;
            });
            break;
        case 91:
            toolbarEdit(ed, 311, "command", [&](MapEvents&) {
                for (int32_t k = 0; k < m.spriteCount; ++k)
                    if (m.spriteSelected[k]) alignSprite(m, k);
                return true;
            });
            break;
        case 92:
            toolbarEdit(ed, 309, "command", [&](MapEvents&) {
                for (int32_t k = 0; k < m.spriteCount; ++k)
                    if (m.spriteSelected[k])
                        m.sprites[k].ang = int16_t(std::floor(randomSingle(ed.random) * 2048.0f));
                return true;
            });
            break;
        case 103:
            toolbarEdit(ed, 309, "command", [&](MapEvents& ev) { return reverseSelectedLoops(m, ev); });
            break;
        case 127:
            toolbarEdit(ed, 0, "command", [&](MapEvents& ev) {
                makeSelectedWallsFirst(m, ev);
                return true;
            });
            break;
        case 165:
        case 166:
            toolbarEdit(ed, 0, "command", [&](MapEvents& ev) {
                return moveSelectedSectorsOneStep(m, ev, code == 165);
            });
            break;
        case 167:
        case 168:
            toolbarEdit(ed, 0, "command", [&](MapEvents& ev) {
                return moveSelectedSectorsToEnd(m, ev, code == 167);
            });
            break;
        default:
            break;
    }
}

// --- Record editor and document steps ---

void stepRecord(Editor& ed, int32_t step) {
    applyRecordEditor(ed);
    playSound(ed, "command");
    ValuePromptState& p = ed.prompt;
    const MapStore& m = ed.map;
    const auto advance = [&](int32_t& target, int32_t count, void (*load)(Editor&)) {
        const int32_t next = target + step;
        if (target < 0 || next < 0 || next >= count) return;
        target = next;
        load(ed);
    };
    switch (RecordEditorSubject(ed.pages.recordEditor.recordEditorSubject)) {
        case RecordEditorSubject::Sprite:
            advance(p.targetSprite, m.spriteCount, loadEditorFromSprite);
            break;
        case RecordEditorSubject::Sector:
            advance(p.targetSector, m.sectorCount, loadEditorFromSector);
            break;
        case RecordEditorSubject::Wall:
            advance(p.targetWall, m.wallCount, loadEditorFromWall);
            break;
        default:
            break;
    }
}

void leaveRecordEditor(Editor& ed) {
    applyRecordEditor(ed);
    ed.prompt.targetSprite = ed.prompt.targetSector = ed.prompt.targetWall = -1;
    playSound(ed, "command");
    onPageChanged(ed);
}

void stepDocument(Editor& ed, int32_t step) {
    ed.help.documentPage += step;
    ed.help.documentScroll = 0;
    playSound(ed, "command");
    onPageChanged(ed);
}

void openZShiftPrompt(Editor& ed) {
    ValuePromptState& p = ed.prompt;
    p.promptKind = int32_t(ValuePromptKind::ZShift);
    p.promptText = getMessage(310, ed.langs);
    p.promptInput = std::to_string(p.promptNumber);
    p.promptNegative = 0;
    playSound(ed, "command");
}

// Forwarded operations that add only the cue.
template <typename Body>
void withCue(Editor& ed, Body body) {
    body();
    playSound(ed, "command");
}

}  // namespace

void startTransformToolPoints(Editor& ed, int32_t count) {
    const BoundingRect r = getSelectionBoundingRect(ed.map, ed.tool.selectionMode);
    const int32_t xs[4] = {r.minX, r.maxX, r.maxX, r.minX};
    const int32_t ys[4] = {r.minY, r.minY, r.maxY, r.maxY};
    // The segment runs corner to corner; the triangle and the quadrilateral go round the box.
    static constexpr int32_t kSegment[2] = {0, 2}, kTriangle[3] = {0, 1, 3},
                             kQuad[4] = {0, 1, 2, 3};
    const int32_t half = count / 2;
    const int32_t* corners = half == 2 ? kSegment : half == 3 ? kTriangle : kQuad;
    DrawVertexList& pts = ed.drawVertices;
    for (int32_t i = 0; i < count; ++i) {
        pts.toolPointsX[i] = xs[corners[i % half]];
        pts.toolPointsY[i] = ys[corners[i % half]];
    }
    pts.toolPointCount = count;
}

void runUiAction(Editor& ed, int32_t code) {
    Settings& s = ed.settings;
    View3DState& v3 = ed.pages.view3d;
    if (const ToolStart* t = toolStartOf(code)) {
        startTool(ed, *t);
        return;
    }
    switch (code) {
        // Press actions.
        case 18:
            switchToMapPage(ed, Page::PlanView);
            break;
        case 16:
            switchToMapPage(ed, Page::SideView);
            break;
        case 20:
            switchToMapPage(ed, Page::ProblemList);
            break;
        case 21:
            switchToMapPage(ed, Page::Statistics);
            break;
        case 19:
            openRecordEditor(ed, 1);
            break;
        case 0: case 1: case 2: case 3: case 4: case 5:
            setSelectionMode(ed, SelectionMode(code));
            break;
        case 88:
            setSelectionMode(ed, SelectionMode::BooleanTarget);
            break;
        case 89:
            setSelectionMode(ed, SelectionMode::AreaSettings);
            break;
        case 44:
            flip(s.showGrid);
            playSound(ed, "command");
            redrawMenu(ed, kViewMenu);
            break;
        case 45:
            flip(s.ceilingView);
            if (ed.app.currentPage == Page::View3D) v3.view3dValid = 0;
            playSound(ed, "command");
            redrawMenu(ed, kViewMenu);
            break;
        case 112: case 113: case 114:
            s.zRangeMode = uint8_t(code - 112);
            playSound(ed, "mode2");
            break;
        case 151: case 148: case 149: case 150: case 159: {
            static constexpr BooleanMode kModes[] = {BooleanMode::Intersect, BooleanMode::Join,
                                                     BooleanMode::Subtract, BooleanMode::None};
            ed.tool.booleanMode = code == 159 ? BooleanMode::Rip : kModes[code - 148];
            playSound(ed, "mode1");
            break;
        }
        case 121: case 122:
            ed.tool.selAreaMode = uint8_t(code - 121);
            playSound(ed, "mode1");
            break;
        case 131: case 132: case 133: case 134: {
            uint8_t* flags[] = {&v3.depthSortFirst3d, &v3.depthSortRest3d, &v3.dither3d,
                                &v3.clear3dEachFrame};
            flip(*flags[code - 131]);
            v3.view3dValid = 0;
            playSound(ed, "mode2");
            break;
        }
        case 135:
            flip(v3.mouseLook3dOption);
            playSound(ed, "mode2");
            break;

        // Release actions.
        case 96:
            pickPointOnMap(ed);
            break;
        case 78:
            openPage(ed, Page::TerrainSetup);
            break;
        case 101:
            openPage(ed, Page::WallLighting);
            break;
        case 118:
            v3.enter3dPending = 1;
            v3.view3dValid = 0;
            v3.view3dState = 2;  // the plan shaded by light
            openPage(ed, Page::View3D);
            break;
        case 153:
            openPage(ed, Page::ReelSetup);
            break;
        case 154:
            openPage(ed, Page::ArchSetup);
            break;
        case 155:
            openPage(ed, Page::SphereSetup);
            break;
        case 156: case 157:
            ed.pages.profileEditor.profileToolKind = uint8_t(code - 156);
            openPage(ed, Page::ProfileEditor);
            break;
        case 74:
            toolbarEdit(ed, 0, "command", [&](MapEvents&) {
                resetSpriteOffsets(ed.map);
                return true;
            });
            break;
        case 75:
            toolbarEdit(ed, 0, "command", [&](MapEvents&) {
                compensateSpriteOffsets(ed.map, ed.tiles.tileAnims);
                return true;
            });
            break;
        case 107:
            swapClipboard(ed.map, ed.clipboard);
            status(ed, 309);
            playSound(ed, "command");
            break;
        case 109:
            withCue(ed, [&] { clearLightSprites(ed.map); });
            break;
        case 119:
            withCue(ed, [&] { selectOppositeWalls(ed.map); });
            break;
        case 125:
        case 126: {
            MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
            edit.finish(code == 125 ? extractSelLoops(ed.map, edit.events())
                                    : extractSelLoopsWi(ed.map, edit.events()));
            break;
        }
        case 152:
            ed.map.booleanTargetSector = -2;
            deselectSectors(ed.map);
            playSound(ed, "command");
            break;
        case 105:
            openZShiftPrompt(ed);
            break;
        case 129:
            if (ed.pages.profileEditor.profileZoom < 256) ed.pages.profileEditor.profileZoom *= 2;
            break;
        case 130:
            if (ed.pages.profileEditor.profileZoom >= 2) ed.pages.profileEditor.profileZoom /= 2;
            break;
        case 160:
            stepRecord(ed, -1);
            break;
        case 161:
            stepRecord(ed, 1);
            break;
        case 162:
            leaveRecordEditor(ed);
            break;
        case 163:
            stepDocument(ed, 1);
            break;
        case 164:
            stepDocument(ed, -1);
            break;
        default:
            mapEditByCode(ed, code);
            break;
    }
}

namespace {

// The menu's settings: the changed mark shows in the open menu.
void afterMenuToggle(Editor& ed, const char* cue) {
    ed.app.redrawRequest = std::max(ed.app.redrawRequest, 1);
    rebuildToolbar(ed);
    redrawOpenMenu(ed);
    playSound(ed, cue);
}

uint8_t* menuToggleSetting(Settings& s, int32_t id) {
    uint8_t* const settings[] = {&s.showSprites,  &s.showVertices,      &s.showWalls,
                                 &s.sectorHighlight, &s.spriteOrientation, &s.spriteTags,
                                 &s.spritesFull,  &s.spriteOffsets,     &s.spriteNumbers,
                                 &s.wallTags,     &s.wallVectors,       &s.sectorsFull,
                                 &s.showGrid,     &s.twoColorBlend};
    return id >= 808 && id <= 821 ? settings[id - 808] : nullptr;
}

void openRecentFile(Editor& ed, int32_t slot) {
    MapFileState& f = ed.mapFile;
    if (ed.map.mapModified != MapModifiedState::Unmodified) {
        // The answer opens the slot remembered here.
        f.mapLoadFailed = slot;
        openMessageBox(ed, MessageBoxKind::SaveBeforeOpenRecent);
        return;
    }
    const std::string path = f.recentFiles[size_t(slot)];
    if (path.empty()) return;
    loadMap(ed, path, false);
    reportMapLoad(ed);
    playSound(ed, f.mapLoadFailed != 0 ? "beep1" : "command");
}

// Cut, copy, paste and delete act on the script text while the script editor has no field in
// focus: the editor's own keys are pressed for this frame.
bool pressScriptEditorKey(Editor& ed, uint8_t key, bool ctrl) {
    if (ed.app.currentPage != Page::ScriptEditor || ed.app.focusedField != -1) return false;
    if (ctrl) ed.dispatch.ctrlHeld = 1;
    ed.input.keyPressed[key] = 1;
    return true;
}

void startTwoPickTool(Editor& ed, Tool tool, int32_t topic, int32_t message) {
    ed.tool.currentTool = tool;
    ed.app.helpTopic = topic;
    ed.app.helpPopupStep = 0;
    ed.tool.toolTargetSector = -1;
    status(ed, message);
    playSound(ed, "command");
}

void startTransformTool(Editor& ed, Tool tool, int32_t topic, int32_t points, int32_t message) {
    ed.tool.currentTool = tool;
    ed.app.helpTopic = topic;
    ed.app.helpPopupStep = 0;
    ed.dispatch.ignoreMousePress = 1;
    startTransformToolPoints(ed, points);
    ed.tool.toolAltMode = 0;
    status(ed, message);
    playSound(ed, "command");
}

void runDeferred(Editor& ed, DeferredAction action) {
    ed.cursor.cursorShape = CursorShape::Busy;
    ed.app.deferredAction = action;
    playSound(ed, "command");
}

}  // namespace

void runMenuItem(Editor& ed, int32_t id) {
    Settings& s = ed.settings;
    if (id >= 775 && id <= 789) {
        openRecentFile(ed, id - 775);
        return;
    }
    if (uint8_t* setting = menuToggleSetting(s, id)) {
        flip(*setting);
        afterMenuToggle(ed, "command");
        return;
    }
    switch (id) {
        case 792:
            if (!pressScriptEditorKey(ed, 'X', true)) cutCommand(ed);
            break;
        case 793:
            if (!pressScriptEditorKey(ed, 'C', true)) copyCommand(ed);
            break;
        case 794:
            if (!pressScriptEditorKey(ed, 'V', true)) pasteCommand(ed);
            break;
        case 795:
            if (!pressScriptEditorKey(ed, 46 /* Delete */, false)) deleteSectorsCommand(ed);
            break;
        case 799: case 800: case 801: case 802:
            ed.tool.dragKind = DragKind(id - 799);
            afterMenuToggle(ed, "mode3");
            break;
        case 804:
            ed.prompt.targetSprite = ed.prompt.targetSector = ed.prompt.targetWall = -1;
            ed.app.currentPage = Page::RecordEditor;
            updateSelectionLayerMask(ed.tool);
            playSound(ed, "command");
            break;
        case 805: {
            ValuePromptState& p = ed.prompt;
            p.promptKind = int32_t(ValuePromptKind::GridSize);
            p.promptText = getMessage(316, ed.langs);
            p.promptInput = std::to_string(s.gridSpacing);
            p.promptNegative = 0;
            playSound(ed, "command");
            break;
        }
        case 806:
            toggleSnapToGrid(ed, 1);
            break;
        case 822:
            flip(s.ceilingView);
            if (ed.app.currentPage == Page::View3D) ed.pages.view3d.view3dValid = 0;
            afterMenuToggle(ed, "mode1");
            break;
        case 827:
            startLinearCutTool(ed);
            break;
        case 829:
            startTwoPickTool(ed, Tool::JoinSectors, 4, 317);
            break;
        case 830:
            startTwoPickTool(ed, Tool::IntersectSectors, 6, 318);
            break;
        case 831:
            startTwoPickTool(ed, Tool::SubtractSectors, 5, 319);
            break;
        case 832:
            startTransformTool(ed, Tool::TransformBySegments, 18, 4, 299);
            break;
        case 833:
            startTransformTool(ed, Tool::QuadWarp1, 19, 6, 300);
            break;
        case 834:
            startTransformTool(ed, Tool::QuadWarp2, 20, 8, 301);
            break;
        case 840:
            runDeferred(ed, DeferredAction::RepairWallLinks);
            break;
        case 841:
            runDeferred(ed, DeferredAction::DeleteZeroLengthWalls);
            break;
        case 842:
            runDeferred(ed, DeferredAction::RefindSpriteSectors);
            break;
        case 843: {
            MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
            updateStartPosSectnum(ed.map);
            edit.commit();
            status(ed, 320, {std::to_string(ed.map.startSector)});
            playSound(ed, "command");
            break;
        }
        case 846:
            openPage(ed, Page::About);
            break;
        case 847: case 848:
            s.regionSelectMode = uint8_t(id - 847);
            updateSelectionLayerMask(ed.tool);
            afterMenuToggle(ed, "mode3");
            break;
        case 849: case 850:
            ed.tool.selAreaMode = uint8_t(id - 849);
            status(ed, id == 849 ? 1186 : 1187);
            if (ed.app.currentPage == Page::PlanView &&
                ed.tool.selectionMode == SelectionMode::AreaSettings)
                rebuildToolbar(ed);
            playSound(ed, "command");
            redrawOpenMenu(ed);
            break;
        case 851:
            flip(s.autoWallSquare);
            afterMenuToggle(ed, "command");
            break;
        case 852:
            flip(s.autoTextureMove);
            status(ed, s.autoTextureMove ? 1257 : 1258);
            afterMenuToggle(ed, "command");
            break;
        case 858:
            if (ed.map.mapModified != MapModifiedState::Unmodified)
                openMessageBox(ed, MessageBoxKind::SaveBeforeRecording);
            else
                startDemoRecording(ed);
            break;
        case 859:
            ed.demo.demoRecording = 0;
            ed.demo.demoFrameIndex = -1;
            playSound(ed, "command");
            break;
        case 861:
            ed.pages.fileBrowser.browserPurpose = FileBrowserPurpose::PlayDemo;
            if (ed.app.platform)
                fillFileDialogLists(ed.pages.fileBrowser, ed.app.platform->fileSystem(),
                                    ed.app.platform->programFolder());
            openPage(ed, Page::FileBrowser);
            break;
        case 862:
            openCalculatorPrompt(ed);
            playSound(ed, "command");
            break;
        case 863: {
            View3DState& v = ed.pages.view3d;
            v.camX = ed.map.startX;
            v.camY = ed.map.startY;
            v.camZ = ed.map.startZ;
            v.camAngle = ed.map.startAngle;
            v.enter3dPending = 1;
            v.view3dValid = 0;
            v.view3dState = 0;
            openPage(ed, Page::View3D);
            break;
        }
        default:
            break;
    }
}

}  // namespace korvel
