#include "commands/SelectionCommands.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/Editor.h"
#include "app/Sound.h"
#include "base/Mainm.h"
#include "geometry/LoopCopies.h"
#include "geometry/SectorDeletion.h"
#include "geometry/SkyAndSpriteTools.h"
#include "geometry/SpritePrimitives.h"
#include "geometry/SpriteTools.h"
#include "geometry/WallPrimitives.h"
#include "map/MapEdit.h"
#include "map/Selection.h"
#include "views/SideView.h"

namespace korvel {

namespace {

constexpr int32_t kMsgSelectedAllFirst = 228;  // 228 sprites .. 233 sprites and vertices
constexpr int32_t kMsgDeselectedAll = 239;
constexpr int32_t kMsgHidHovered = 1199, kMsgHidSelected = 1200, kMsgUnhidSectors = 1201;
constexpr int32_t kMsgUnhidSprites = 189;
constexpr int32_t kMsgSpritesDeleted = 32, kMsgSpriteDeleted = 33;
constexpr int32_t kMsgVerticesDeleted = 34, kMsgVertexDeleted = 35;
constexpr int32_t kMsgWallsDeleted = 36, kMsgWallDeleted = 37;
constexpr int32_t kMsgLoopsDeleted = 308;
constexpr int32_t kMsgSectorsDeleted = 226, kMsgSectorDeleted = 227;
constexpr int32_t kMsgVertexInserted = 31;
constexpr int32_t kMsgSectorsCloned = 182, kMsgLoopsCloned = 183, kMsgSpritesCloned = 184;
constexpr int32_t kMsgSpriteInserted = 19;
constexpr int32_t kMsgLargeCells = 20, kMsgSmallCells = 21;
// Sprite angle units per radian.
constexpr double kAngleUnitsPerRadian = 325.949323452202;

int32_t sectorCount(const MapStore& m) { return std::clamp(m.sectorCount, 0, kMaxSectors); }
int32_t wallCount(const MapStore& m) { return std::clamp(m.wallCount, 0, kMaxWalls); }
int32_t spriteCount(const MapStore& m) { return std::clamp(m.spriteCount, 0, kMaxSprites); }

void status(Editor& ed, int32_t n, std::string a1 = {}) {
    ed.events.statusMessage(n, a1.empty() ? std::vector<std::string>{} : std::vector{a1}, 0);
}

bool onMapPages(const Editor& ed) {
    return ed.app.currentPage == Page::PlanView || ed.app.currentPage == Page::SideView;
}

// Whether wall w ends its loop: its point2 is not the next index.
bool endsLoop(const MapStore& m, int32_t w) { return m.walls[w].point2 != w + 1; }

void recountLoops(MapStore& m) {
    int32_t n = 0;
    for (int32_t w = 0; w < wallCount(m); ++w)
        if (m.wallSelected[w] && endsLoop(m, w)) ++n;
    m.selectedLoopCount = n;
}

// The sector owning wall w, or -1.
int32_t ownerOf(const MapStore& m, int32_t w) {
    const int32_t s = m.wallSector[w];
    if (!isSector(m, s)) return -1;
    const SectorRecord& sec = m.sectors[s];
    return w >= sec.wallptr && w < int32_t(sec.wallptr) + sec.wallnum ? s : -1;
}

bool inSelectedSector(const MapStore& m, int32_t w) {
    const int32_t s = ownerOf(m, w);
    return s >= 0 && m.sectorSelected[s];
}

void selectSpritesOfSelectedSectors(MapStore& m) {
    deselectSprites(m);
    int32_t n = 0;
    for (int32_t k = 0; k < spriteCount(m); ++k) {
        const int32_t s = m.sprites[k].sectnum;
        if (isSector(m, s) && m.sectorSelected[s]) {
            m.spriteSelected[k] = 1;
            ++n;
        }
    }
    m.selectedSpriteCount = n;
}

void selectVerticesOfSelection(MapStore& m) {
    deselectVertices(m);
    int32_t n = 0;
    for (int32_t w = 0; w < wallCount(m); ++w)
        if (m.wallSelected[w] || inSelectedSector(m, w)) {
            m.vertexSelected[w] = 1;
            ++n;
        }
    m.selectedVertexCount = n;
}

// Every wall of every sector that holds w's loop, followed along point2 a bounded number of
// steps.
void selectLoopOf(MapStore& m, int32_t w) {
    const int32_t s = ownerOf(m, w);
    const int32_t limit = s >= 0 ? std::min<int32_t>(m.sectors[s].wallnum, wallCount(m))
                                 : wallCount(m);
    int32_t at = w;
    for (int32_t step = 0; step < limit; ++step) {
        m.wallSelected[at] = 1;
        const int32_t next = m.walls[at].point2;
        if (!isWall(m, next) || next == w) break;
        at = next;
    }
}

int32_t countSet(const uint8_t* flags, int32_t n) {
    return int32_t(std::count_if(flags, flags + n, [](uint8_t f) { return f != 0; }));
}

}  // namespace

void convertSelection(Editor& ed) {
    if (ed.app.currentPage != Page::PlanView) return;
    MapStore& m = ed.map;
    const SelectionMode previous = ed.tool.previousSelectionMode;
    switch (ed.tool.selectionMode) {
        case SelectionMode::Sprites:
            selectSpritesOfSelectedSectors(m);
            deselectSectors(m);
            deselectVertices(m);
            deselectWalls(m);
            break;
        case SelectionMode::Vertices:
            selectVerticesOfSelection(m);
            deselectSectors(m);
            deselectSprites(m);
            deselectWalls(m);
            break;
        case SelectionMode::Walls: {
            if (previous != SelectionMode::Loops) deselectWalls(m);
            for (int32_t w = 0; w < wallCount(m); ++w)
                if (m.vertexSelected[w] || inSelectedSector(m, w)) m.wallSelected[w] = 1;
            m.selectedWallCount = countSet(m.wallSelected.begin(), wallCount(m));
            deselectSectors(m);
            deselectSprites(m);
            deselectVertices(m);
            break;
        }
        case SelectionMode::Sectors: {
            std::fill_n(m.sectorSelected.begin(), kMaxSectors, uint8_t(0));
            for (int32_t w = 0; w < wallCount(m); ++w) {
                if (!m.wallSelected[w] && !m.vertexSelected[w]) continue;
                const int32_t s = ownerOf(m, w);
                if (s >= 0) m.sectorSelected[s] = 1;
            }
            m.selectedSectorCount = countSet(m.sectorSelected.begin(), sectorCount(m));
            deselectWalls(m);
            deselectSprites(m);
            deselectVertices(m);
            break;
        }
        case SelectionMode::Loops: {
            if (previous != SelectionMode::Walls) deselectWalls(m);
            // The loops grow from the walls selected before, not from walls this pass adds.
            std::vector<int32_t> seeds;
            for (int32_t w = 0; w < wallCount(m); ++w)
                if (m.wallSelected[w]) seeds.push_back(w);
            for (const int32_t w : seeds) selectLoopOf(m, w);
            for (int32_t w = 0; w < wallCount(m); ++w)
                if (inSelectedSector(m, w)) m.wallSelected[w] = 1;
            m.selectedWallCount = countSet(m.wallSelected.begin(), wallCount(m));
            recountLoops(m);
            deselectSectors(m);
            deselectSprites(m);
            deselectVertices(m);
            break;
        }
        case SelectionMode::SpritesAndVertices:
            selectVerticesOfSelection(m);
            selectSpritesOfSelectedSectors(m);
            deselectSectors(m);
            deselectWalls(m);
            break;
        case SelectionMode::BooleanTarget: {
            const int32_t count = countSet(m.sectorSelected.begin(), sectorCount(m));
            if (count == 1) {
                m.booleanTargetSector = getFirstSelectedSector(m);
                m.selectedSectorCount = 1;
            } else {
                deselectSectors(m);
                m.booleanTargetSector = -2;
            }
            deselectWalls(m);
            deselectSprites(m);
            deselectVertices(m);
            break;
        }
        case SelectionMode::AreaSettings: break;
    }
}

void selectAll(Editor& ed) {
    if (ed.app.currentPage == Page::ScriptEditor) {
        ScriptState& s = ed.pages.scriptEditor;
        s.scriptAnchor = 0;
        s.scriptCursor = int32_t(s.scriptText.size());
        return;
    }
    if (!onMapPages(ed)) return;
    MapStore& m = ed.map;
    const bool side = ed.app.currentPage == Page::SideView;
    auto allSprites = [&](bool sectionOnly) {
        int32_t n = 0;
        for (int32_t k = 0; k < spriteCount(m); ++k) {
            m.spriteSelected[k] = 0;
            if (m.spriteIgnored[k] || (sectionOnly && !ed.view.sideViewSprites[k])) continue;
            m.spriteSelected[k] = 1;
            ++n;
        }
        m.selectedSpriteCount = n;
    };
    auto allWalls = [&](bool vertices) {
        auto& flags = vertices ? m.vertexSelected : m.wallSelected;
        int32_t n = 0;
        for (int32_t w = 0; w < wallCount(m); ++w) {
            flags[w] = 0;
            if (m.wallIgnored[w]) continue;
            flags[w] = 1;
            ++n;
        }
        (vertices ? m.selectedVertexCount : m.selectedWallCount) = n;
    };
    const SelectionMode mode = ed.tool.selectionMode;
    switch (mode) {
        case SelectionMode::Sprites: allSprites(side); break;
        case SelectionMode::Vertices: allWalls(true); break;
        case SelectionMode::Walls: allWalls(false); break;
        case SelectionMode::Sectors: {
            int32_t n = 0;
            for (int32_t s = 0; s < sectorCount(m); ++s) {
                m.sectorSelected[s] = m.sectorIgnored[s] ? 0 : 1;
                n += m.sectorSelected[s];
            }
            m.selectedSectorCount = n;
            break;
        }
        case SelectionMode::Loops:
            allWalls(false);
            recountLoops(m);
            break;
        case SelectionMode::SpritesAndVertices:
            allSprites(false);
            allWalls(true);
            break;
        default: return;
    }
    status(ed, kMsgSelectedAllFirst + int32_t(mode));
    playSound(ed, "command");
}

void invertSelectionCommand(Editor& ed) {
    invertSelection(ed.map, ed.tool.selectionMode, ed.events);
    playSound(ed, "command");
}

void deselectAllCommand(Editor& ed) {
    if (!onMapPages(ed)) return;
    deselectSectors(ed.map);
    deselectSprites(ed.map);
    deselectVertices(ed.map);
    deselectWalls(ed.map);
    status(ed, kMsgDeselectedAll);
    playSound(ed, "command");
}

void hideSectors(Editor& ed) {
    if (!onMapPages(ed)) return;
    MapStore& m = ed.map;
    if (m.selectedSectorCount > 0) {
        for (int32_t s = 0; s < sectorCount(m); ++s)
            if (m.sectorSelected[s]) m.sectorIgnored[s] = uint8_t(HiddenState::Hidden);
        status(ed, kMsgHidSelected);
        playSound(ed, "command");
        deselectSectors(m);
    } else if (isSector(m, ed.hover.hoveredSector)) {
        m.sectorIgnored[ed.hover.hoveredSector] = uint8_t(HiddenState::Hidden);
        status(ed, kMsgHidHovered);
        playSound(ed, "command");
    }
}

void unhideAllSectors(Editor& ed) {
    if (!onMapPages(ed)) return;
    ed.map.sectorIgnored.fill(0);
    status(ed, kMsgUnhidSectors);
    playSound(ed, "command");
}

void unhideAllSprites(Editor& ed) {
    if (!onMapPages(ed)) return;
    ed.map.spriteIgnored.fill(0);
    status(ed, kMsgUnhidSprites);
    playSound(ed, "command");
}

namespace {

void rebuildSectionOnSideView(Editor& ed) {
    if (ed.app.currentPage == Page::SideView) buildSideViewSlices(ed);
}

// Deletes every flagged object of a kind, walking upward and examining the same index again
// after each deletion (later records move down). A deletion that is refused clears the flag
// first, so the walk always ends.
template <typename Flags, typename Delete>
void deleteFlagged(MapStore& m, Flags& flags, int32_t& count, const int32_t& n, Delete del,
                   bool restartAtZero = false) {
    int32_t i = 0;
    while (i < n) {
        if (!flags[i]) {
            ++i;
            continue;
        }
        flags[i] = 0;
        if (count > 0) --count;
        if (del(i) && restartAtZero) {
            if (m.sectorCount <= 0 || m.wallCount <= 0) return;
            i = 0;
        }
    }
}

}  // namespace

void deleteSelected(Editor& ed) {
    if (!onMapPages(ed)) return;
    MapStore& m = ed.map;
    HoverState& h = ed.hover;
    switch (ed.tool.selectionMode) {
        case SelectionMode::Sprites:
        case SelectionMode::SpritesAndVertices: {
            if (m.selectedSpriteCount <= 0 && !isSprite(m, h.hoveredSprite)) return;
            playSound(ed, "spriexpl");
            MapEdit edit(m, ed.undo, ed.events, EditUndo::Snapshot);
            if (m.selectedSpriteCount > 0) {
                int32_t k = 0;
                while (k < m.spriteCount) {
                    if (m.spriteSelected[k]) {
                        if (deleteSprite(m, edit.events(), k)) continue;
                        m.spriteSelected[k] = 0;  // refused: never examined again
                    }
                    ++k;
                }
                m.selectedSpriteCount = countSet(m.spriteSelected.begin(), spriteCount(m));
                edit.commit();
                status(ed, kMsgSpritesDeleted);
            } else {
                const int32_t k = h.hoveredSprite;
                if (!edit.finish(deleteSprite(m, edit.events(), k))) return;
                status(ed, kMsgSpriteDeleted, std::to_string(k));
                h.hoveredSprite = -1;
            }
            rebuildSectionOnSideView(ed);
            return;
        }
        case SelectionMode::Vertices: {
            if (m.selectedVertexCount <= 0 && !isWall(m, h.hoveredVertex)) return;
            playSound(ed, "spriexpl");
            MapEdit edit(m, ed.undo, ed.events, EditUndo::Snapshot);
            if (m.selectedVertexCount > 0) {
                deleteFlagged(m, m.vertexSelected, m.selectedVertexCount, m.wallCount,
                              [&](int32_t v) { return deleteVertex(m, edit.events(), v); }, true);
                m.selectedVertexCount = countSet(m.vertexSelected.begin(), wallCount(m));
                edit.commit();
                status(ed, kMsgVerticesDeleted);
            } else {
                const int32_t v = h.hoveredVertex;
                if (!edit.finish(deleteVertex(m, edit.events(), v))) return;
                status(ed, kMsgVertexDeleted, std::to_string(v));
            }
            return;
        }
        case SelectionMode::Walls: {
            if (m.selectedWallCount <= 0 && !isWall(m, h.hoveredWall)) return;
            playSound(ed, "spriexpl");
            MapEdit edit(m, ed.undo, ed.events, EditUndo::Snapshot);
            if (m.selectedWallCount > 0) {
                deleteFlagged(m, m.wallSelected, m.selectedWallCount, m.wallCount,
                              [&](int32_t w) { return deleteWall(m, edit.events(), w, false); });
                m.selectedWallCount = countSet(m.wallSelected.begin(), wallCount(m));
                edit.commit();
                status(ed, kMsgWallsDeleted);
            } else {
                const int32_t w = h.hoveredWall;
                if (!edit.finish(deleteWall(m, edit.events(), w, false))) return;
                status(ed, kMsgWallDeleted, std::to_string(w));
                h.hoveredWall = -1;
            }
            return;
        }
        case SelectionMode::Loops: {
            if (m.selectedLoopCount == 0) return;
            playSound(ed, "sectexpl");
            MapEdit edit(m, ed.undo, ed.events, EditUndo::Snapshot);
            int32_t w = 0;
            while (w < m.wallCount) {
                if (!m.wallSelected[w]) {
                    ++w;
                    continue;
                }
                // The loop goes with its flags; a refused loop keeps its walls but not the flag.
                if (deleteLoop(m, edit.events(), w) == LoopDeletion::Refused) {
                    m.wallSelected[w] = 0;
                    ++w;
                }
            }
            m.selectedWallCount = countSet(m.wallSelected.begin(), wallCount(m));
            recountLoops(m);
            edit.commit();
            status(ed, kMsgLoopsDeleted);
            return;
        }
        default: return;
    }
}

void deleteSectorsCommand(Editor& ed) {
    if (!onMapPages(ed)) return;
    MapStore& m = ed.map;
    if (m.selectedSectorCount > 0) {
        MapEdit edit(m, ed.undo, ed.events, EditUndo::Snapshot);
        int32_t s = 0;
        while (s < m.sectorCount) {
            if (m.sectorSelected[s]) {
                if (deleteSector(m, edit.events(), s)) continue;
                m.sectorSelected[s] = 0;
            }
            ++s;
        }
        m.selectedSectorCount = countSet(m.sectorSelected.begin(), sectorCount(m));
        edit.commit();
        playSound(ed, "sectexpl");
        status(ed, kMsgSectorsDeleted);
    } else if (isSector(m, ed.hover.hoveredSector)) {
        const int32_t s = ed.hover.hoveredSector;
        MapEdit edit(m, ed.undo, ed.events, EditUndo::Snapshot);
        if (!edit.finish(deleteSector(m, edit.events(), s))) return;
        playSound(ed, "sectexpl");
        status(ed, kMsgSectorDeleted, std::to_string(s));
    } else {
        deleteSelected(ed);
    }
}

void insertVertexCommand(Editor& ed) {
    MapStore& m = ed.map;
    if (m.selectedSpriteCount > 0 && onMapPages(ed)) {
        cloneSelectionCommand(ed);
        return;
    }
    if (ed.app.currentPage != Page::PlanView || !isWall(m, ed.hover.hoveredWall)) return;
    MapEdit edit(m, ed.undo, ed.events, EditUndo::Snapshot);
    if (!edit.finish(insertVertex(m, edit.events(), ed.hover.hoveredWall, ed.hover.hoverWallPointX,
                                  ed.hover.hoverWallPointY, ed.settings.autoWallSquare != 0)))
        return;  // the refusal has said why
    playSound(ed, "command");
    status(ed, kMsgVertexInserted);
}

void cloneSelectionCommand(Editor& ed) {
    if (!onMapPages(ed)) return;
    MapStore& m = ed.map;
    bool (*clone)(MapStore&, MapEvents&) = nullptr;
    int32_t message = 0;
    bool section = true;
    switch (ed.tool.selectionMode) {
        case SelectionMode::Sprites:
        case SelectionMode::SpritesAndVertices:
            if (m.selectedSpriteCount <= 0) return;
            clone = cloneSelectedSprites;
            message = kMsgSpritesCloned;
            break;
        case SelectionMode::Sectors:
            if (m.selectedSectorCount <= 0) return;
            clone = cloneSelectedSectors;
            message = kMsgSectorsCloned;
            break;
        case SelectionMode::Loops:
            if (m.selectedLoopCount == 0) return;
            clone = cloneSelectedLoops;
            message = kMsgLoopsCloned;
            section = false;
            break;
        default: return;
    }
    MapEdit edit(m, ed.undo, ed.events, EditUndo::Snapshot);
    // A clone refused for room has shown its own message; nothing else is said.
    if (!edit.finish(clone(m, edit.events()))) return;
    if (section) rebuildSectionOnSideView(ed);
    status(ed, message);
    playSound(ed, "command");
}

void insertSprite(Editor& ed) {
    const Page p = ed.app.currentPage;
    if (p == Page::TilePicker) {
        uint8_t& small = ed.settings.smallImages;
        small = small ? 0 : 1;
        status(ed, small ? kMsgSmallCells : kMsgLargeCells);
        ed.pages.tilePicker.tilePickerTopRow = 0;
        playSound(ed, "command");
        return;
    }
    const bool on3dPlan = p == Page::View3D && ed.pages.view3d.view3dState != 0;
    if (!onMapPages(ed) && !on3dPlan) return;
    MapStore& m = ed.map;
    MapEdit edit(m, ed.undo, ed.events, EditUndo::Snapshot);
    const std::optional<int32_t> made =
        createSprite(m, edit.events(), ed.hover.hitPointX, ed.hover.hitPointY,
                     ed.settings.spriteNumbers != 0);
    // Refused for room: the refusal is all that is shown, and no other sprite is fitted.
    if (!made || !isSprite(m, *made)) {
        edit.rollback();
        return;
    }
    if (p == Page::SideView) {
        SpriteRecord& sp = m.sprites[*made];
        const ViewState& v = ed.view;
        if (v.sideViewSubjectKind == SideViewSubjectKind::Wall ||
            v.sideViewSubjectKind == SideViewSubjectKind::Section) {
            const double a = angleOfSingle(float(v.sideViewX1), float(v.sideViewY1),
                                           float(v.sideViewX2), float(v.sideViewY2));
            sp.ang = int16_t(int32_t(std::floor(a * kAngleUnitsPerRadian)) & 2047);
            if (v.sideViewSubjectKind == SideViewSubjectKind::Wall) {
                const double r = sp.ang / kAngleUnitsPerRadian;
                sp.x = int32_t(std::floor(sp.x + std::cos(r) + 0.5));
                sp.y = int32_t(std::floor(sp.y + std::sin(r) + 0.5));
            }
            sp.cstat = uint16_t((sp.cstat & 0xFFCF) | 0x10);
        }
        edit.commit();
        buildSideViewSlices(ed);
        m.sprites[*made].z = ed.hover.hitPointZ;
    } else {
        edit.commit();
    }
    status(ed, kMsgSpriteInserted);
    playSound(ed, "command");
}

void selectConnectedSkyCommand(Editor& ed) {
    MapStore& m = ed.map;
    const int32_t selected = countSet(m.sectorSelected.begin(), sectorCount(m));
    m.selectedSectorCount = selected;
    if (selected == 1) {
        skySelect(m, getFirstSelectedSector(m));
    } else if (isSector(m, ed.hover.hoveredSector) &&
               ed.tool.selectionMode == SelectionMode::Sectors) {
        // The hovered sector joins whatever is selected; the count follows the flags.
        m.sectorSelected[ed.hover.hoveredSector] = 1;
        m.selectedSectorCount = countSet(m.sectorSelected.begin(), sectorCount(m));
        skySelect(m, ed.hover.hoveredSector);
    } else {
        return;
    }
    m.selectedSectorCount = countSet(m.sectorSelected.begin(), sectorCount(m));
    playSound(ed, "command");
}

void levelSkyCeilingsCommand(Editor& ed) {
    MapStore& m = ed.map;
    if (m.selectedSectorCount <= 0) return;
    MapEdit edit(m, ed.undo, ed.events, EditUndo::Snapshot);
    // Leveling equal ceilings changes nothing, which keeps the earlier undo snapshot.
    edit.finish(equalizeCeilingHeights(m));
    playSound(ed, "command");
}

}  // namespace korvel
