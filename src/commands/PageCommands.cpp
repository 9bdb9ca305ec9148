#include "commands/PageCommands.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/DisplayMode.h"
#include "app/Editor.h"
#include "app/Sound.h"
#include "base/MessageNumbers.h"
#include "commands/CommandTargets.h"
#include "commands/PageStack.h"
#include "map/GeometryQueries.h"
#include "map/Selection.h"
#include "resources/TileLists.h"
#include "ui/Menus.h"
#include "ui/Toolbar.h"
#include "views/SideView.h"

namespace korvel {

namespace {

constexpr int32_t kWholeSelectionTarget = kWholeSelection;
constexpr int32_t kMenuCount = 6;
// The menu whose items show the snapping and area-shape switches.
constexpr uint8_t kEditMenu = 2;
// Rows of the file browser's list window.
constexpr int32_t kBrowserWindow = kBrowserVisibleRows;
// Help viewer rows shown at once, in pixels, and one step of the arrow keys.
constexpr int32_t kHelpWindow = 256;
constexpr int32_t kHelpStep = 12;

void status(Editor& ed, int32_t message) { ed.events.statusMessage(message, {}, 0); }

void switchPage(Editor& ed, Page page, const char* cue) {
    ed.app.currentPage = page;
    if (cue) playSound(ed, cue);
}

}  // namespace

void cancelAction(Editor& ed) {
    if (ed.app.currentPage != Page::PlanView) {
        popPage(ed);
        playSound(ed, "cancel");
        return;
    }
    ToolState& t = ed.tool;
    if (t.currentTool == Tool::Idle) return;
    if (t.currentTool == Tool::AffineGrid) ed.settings.affineGridMode = 0;
    if (t.currentTool == Tool::ViewBookmarks) ed.bookmarks.bookmarkTool = 0;
    t.currentTool = Tool::Idle;
    ed.app.helpPopupStep = -1;
    rebuildToolbar(ed);
    ed.app.redrawRequest = std::max(ed.app.redrawRequest, 1);
    playSound(ed, "cancel");
}

void openDocumentViewer(Editor& ed) { switchPage(ed, Page::HelpViewer, "command"); }

// F8 and F10 pop first, so that switching between the two option pages never grows the stack.
void openSettingsPage(Editor& ed) {
    popPage(ed);
    switchPage(ed, Page::GeneralOptions, "command");
}

void openDisplayOptionsPage(Editor& ed) {
    popPage(ed);
    switchPage(ed, Page::DisplayOptions, "command");
}

void toggleMenuBar(Editor& ed) {
    ed.menus.openMenu = ed.menus.openMenu == 0 ? 1 : 0;
    drawOpenMenu(ed);
    playSound(ed, "discont");
}

void enterWalkView(Editor& ed) {
    View3DState& v = ed.pages.view3d;
    v.camX = ed.map.startX;
    v.camY = ed.map.startY;
    v.camZ = ed.map.startZ;
    v.camAngle = ed.map.startAngle;
    v.view3dValid = 0;
    v.view3dState = 1;  // the plan shaded by height
    switchPage(ed, Page::View3D, "command");
}

void enter3DView(Editor& ed) {
    ed.dispatch.areaSelectLatch = 0;
    View3DState& v = ed.pages.view3d;
    const HoverState& h = ed.hover;
    v.camX = h.hitPointX;
    v.camY = h.hitPointY;
    v.camZ = isSector(ed.map, h.hoveredSector)
                 ? double(getTrueFloorZ(ed.map, h.hitPointX, h.hitPointY, h.hoveredSector)) - 6144
                 : 0.0;
    v.camAngle = 0;
    v.view3dValid = 0;
    v.view3dState = 0;
    switchPage(ed, Page::View3D, "command");
}

void enterMapView(Editor& ed) {
    ed.dispatch.areaSelectLatch = 0;
    if (ed.app.currentPage == Page::PlanView) return;
    ed.app.modeStackDepth = 0;
    switchPage(ed, Page::PlanView, "mode1");
}

void openSearchPage(Editor& ed) {
    if (ed.app.currentPage == Page::TilePicker) {
        ed.app.currentPage = Page::TileFilter;
        return;
    }
    SearchState& s = ed.pages.search;
    if (s.searchFromProperties) {
        // The rows the record editor loaded become the template: equal values take part,
        // differing and unset rows are ignored.
        const RecordEditorState& re = ed.pages.recordEditor;
        s.propertyValues = re.propertyValues;
        s.propertyState = re.propertyState;
        s.propertyDeltas = re.propertyDeltas;
        using K = SearchObjectKind;
        switch (RecordEditorSubject(re.recordEditorSubject)) {
            case RecordEditorSubject::Sprite:
            case RecordEditorSubject::SelectedSprites: s.searchObjectKind = uint8_t(K::Sprites); break;
            case RecordEditorSubject::Sector:
            case RecordEditorSubject::SelectedSectors: s.searchObjectKind = uint8_t(K::Sectors); break;
            case RecordEditorSubject::Wall:
            case RecordEditorSubject::SelectedWalls: s.searchObjectKind = uint8_t(K::Walls); break;
            default:
                s.propertyState.fill(1);
                s.propertyKeep.fill(1);
                break;
        }
    }
    s.searchFromProperties = 0;
    popPage(ed);
    switchPage(ed, Page::Search, "command");
}

void openReportPage(Editor& ed) {
    ed.dispatch.areaSelectLatch = 0;
    switchPage(ed, Page::ProblemList, "mode1");
}

void openStatisticsPage(Editor& ed) {
    ed.dispatch.areaSelectLatch = 0;
    switchPage(ed, Page::Statistics, "mode1");
}

void openSparksPage(Editor& ed) {
    ed.dispatch.areaSelectLatch = 0;
    switchPage(ed, Page::SparksToy, "command");
}

void openDriveList(Editor& ed) {
    ed.dispatch.areaSelectLatch = 0;
    if (ed.app.currentPage != Page::FileBrowser) return;
    ed.app.deferredAction = DeferredAction::ShowDrivePicker;
    ed.cursor.cursorShape = CursorShape::Busy;
    playSound(ed, "command");
}

void openSpriteArrayDialog(Editor& ed) {
    const bool dragging = areaBeingDragged(ed);
    ed.dispatch.areaSelectLatch = 0;
    if (dragging || (ed.app.currentPage != Page::PlanView && ed.app.currentPage != Page::SideView))
        return;
    const MapStore& map = ed.map;
    if (map.selectedSpriteCount <= 0) return;
    int32_t lowest = 16777216, highest = -16777216;
    const int32_t n = std::clamp<int32_t>(map.spriteCount, 0, kMaxSprites);
    for (int32_t k = 0; k < n; ++k) {
        if (!map.spriteSelected[size_t(k)]) continue;
        lowest = std::min(lowest, map.sprites[size_t(k)].z);
        highest = std::max(highest, map.sprites[size_t(k)].z);
    }
    ArrayToolState& a = ed.pages.arrayTool;
    a.arrayCenterZ = int32_t((int64_t(lowest) + highest) / 2);
    const IntPoint c = selectedSpritesCenter2D(map);
    a.arrayCenterX = c.x;
    a.arrayCenterY = c.y;
    switchPage(ed, Page::ArrayTool, "command");
}

void toggleFullscreen(Editor& ed) {
    ed.dispatch.areaSelectLatch = 0;
    Settings& s = ed.settings;
    if (s.fullScreen) {
        s.fullScreen = 0;
        restoreDisplayMode(ed);
        ed.app.platform->setWindowState(WindowState::Normal);
        status(ed, kMsgFullScreenOff);
        return;
    }
    // A refused switch has opened its message box; the window stays as it was.
    if (!enterFullScreen(ed)) return;
    s.fullScreen = 1;
    status(ed, kMsgFullScreenOn);
}

void toggleSnapToGrid(Editor& ed, int32_t force) {
    const Page p = ed.app.currentPage;
    const bool onPage = p == Page::PlanView || p == Page::SideView ||
                        (p == Page::View3D && ed.pages.view3d.view3dState != 0);
    if (!force && !onPage) return;
    Settings& s = ed.settings;
    s.snapToGrid = s.snapToGrid ? 0 : 1;
    status(ed, s.snapToGrid ? kMsgSnapOn : kMsgSnapOff);
    if (ed.menus.openMenu == kEditMenu) drawOpenMenu(ed);
    playSound(ed, "command");
}

void toggleGrid(Editor& ed) {
    const Page p = ed.app.currentPage;
    if (p != Page::PlanView && p != Page::SideView) return;
    ed.settings.showGrid = ed.settings.showGrid ? 0 : 1;
    rebuildToolbar(ed);
    playSound(ed, "command");
}

void toggleAreaSelectShape(Editor& ed) {
    ToolState& t = ed.tool;
    t.selAreaMode = t.selAreaMode ? 0 : 1;
    status(ed, t.selAreaMode ? kMsgAreaCircle : kMsgAreaRectangle);
    if (ed.app.currentPage == Page::PlanView && t.selectionMode == SelectionMode::AreaSettings) {
        rebuildToolbar(ed);
        ed.app.redrawRequest = std::max(ed.app.redrawRequest, 1);
    }
    if (ed.menus.openMenu == kEditMenu) drawOpenMenu(ed);
}

void showPropertyBox(Editor& ed) {
    if (ed.app.currentPage != Page::PlanView) return;
    DispatchState& d = ed.dispatch;
    if (ed.cursor.cursorShape == CursorShape::MapCross) d.propertyBoxKind = PropertyBoxKind::None;
    const MapStore& map = ed.map;
    const HoverState& h = ed.hover;
    auto grab = [&](char kind) {
        if (kind == 's' && isSector(map, h.hoveredSector)) {
            d.propertyBoxObject = h.hoveredSector;
            d.propertyBoxKind = PropertyBoxKind::Sector;
            d.propertyBoxX = h.mouseMapX;
            d.propertyBoxY = h.mouseMapY;
            return true;
        }
        if (kind == 'w' && isWall(map, h.hoveredWall)) {
            d.propertyBoxObject = h.hoveredWall;
            d.propertyBoxKind = PropertyBoxKind::Wall;
            d.propertyBoxX = h.hoverWallPointX;
            d.propertyBoxY = h.hoverWallPointY;
            return true;
        }
        if (kind == 'k' && isSprite(map, h.hoveredSprite)) {
            d.propertyBoxObject = h.hoveredSprite;
            d.propertyBoxKind = PropertyBoxKind::Sprite;
            d.propertyBoxX = map.sprites[size_t(h.hoveredSprite)].x;
            d.propertyBoxY = map.sprites[size_t(h.hoveredSprite)].y;
            return true;
        }
        return false;
    };
    const char* order = "ksw";
    switch (ed.tool.selectionMode) {
        case SelectionMode::Walls:
        case SelectionMode::Loops: order = "wks"; break;
        case SelectionMode::Sectors: order = "skw"; break;
        case SelectionMode::BooleanTarget:
        case SelectionMode::AreaSettings: order = ""; break;
        default: break;
    }
    for (const char* c = order; *c; ++c)
        if (grab(*c)) return;
}

void gotoOtherWallSide(Editor& ed) {
    ViewState& v = ed.view;
    if (ed.app.currentPage != Page::SideView || v.sideViewSubjectKind != SideViewSubjectKind::Wall)
        return;
    const MapStore& map = ed.map;
    if (!isWall(map, v.sideViewSubject)) return;
    const int32_t twin = map.walls[size_t(v.sideViewSubject)].nextwall;
    if (!isWall(map, twin)) return;
    const WallRecord& a = map.walls[size_t(twin)];
    const WallRecord& b = map.walls[size_t(clampWall(map, a.point2))];
    v.sideViewSubject = twin;
    v.sideViewX1 = a.x;
    v.sideViewY1 = a.y;
    v.sideViewX2 = b.x;
    v.sideViewY2 = b.y;
    buildSideViewSlices(ed);
    playSound(ed, "command");
}

namespace {

// The tile picker's cells per row.
int32_t tileRow(const Editor& ed) { return ed.settings.smallImages ? 24 : 12; }

int32_t listEntry(const Editor& ed, int32_t i) {
    const std::vector<int32_t>& list = ed.tileCatalog.tileList;
    return i >= 0 && i < int32_t(list.size()) ? list[size_t(i)] : -1;
}

// Steps the cursor of the tile picker by delta cells when the cell there holds a tile.
void stepTileCursor(Editor& ed, int32_t delta) {
    TilePickerState& t = ed.pages.tilePicker;
    const int32_t next = t.tilePickerCursor + delta;
    if (next < 0) return;
    if (t.tilePickerShowAll) {
        if (next > kTileCount - 1) return;
    } else if (listEntry(ed, next) == -1) {
        return;
    }
    t.tilePickerCursor = next;
}

void stepBrowser(Editor& ed, int32_t delta) {
    FileBrowserState& b = ed.pages.fileBrowser;
    const bool files = b.browserFocus == 1;
    int32_t& cursor = files ? b.browserFileCursor : b.browserFolderCursor;
    int32_t& top = files ? b.browserFileTop : b.browserFolderTop;
    const int32_t count = files ? b.browserFileCount : b.browserFolderCount;
    if (delta > 0) {
        if (cursor >= count - 1) return;
        ++cursor;
        if (top < cursor - (kBrowserWindow - 1)) top = cursor - (kBrowserWindow - 1);
    } else {
        if (cursor <= 0) return;
        --cursor;
        if (cursor < top) top = cursor;
    }
}

void stepHelp(Editor& ed, int32_t delta) {
    HelpState& h = ed.help;
    const int64_t bottom = std::max<int64_t>(0, int64_t(h.documentHeight) - kHelpWindow);
    const int32_t next = int32_t(std::clamp<int64_t>(int64_t(h.documentScroll) + delta, 0, bottom));
    if (next == h.documentScroll) return;
    h.documentScroll = next;
    redrawDocumentPage(ed);
}

void stepMenu(Editor& ed, int32_t delta) {
    MenuState& m = ed.menus;
    m.openMenu = uint8_t((m.openMenu - 1 + delta + kMenuCount) % kMenuCount + 1);
    m.menuKeyNavigated = 1;
    drawOpenMenu(ed);
    playSound(ed, "discont");
}

// The shaded plan pictures of the 3D page pan by half a screen.
void panShadedPlan(Editor& ed, double dx, double dy) {
    ViewState& v = ed.view;
    v.viewOriginX += float(dx * v.viewZoom);
    v.viewOriginY += float(dy * v.viewZoom);
    ed.pages.view3d.view3dValid = 0;
}

enum class Arrow { Up, Down, Left, Right };

void navigate(Editor& ed, Arrow a) {
    const bool horizontal = a == Arrow::Left || a == Arrow::Right;
    if (ed.menus.openMenu > 0) {
        if (horizontal) stepMenu(ed, a == Arrow::Right ? 1 : -1);
        return;
    }
    switch (ed.app.currentPage) {
        case Page::FileBrowser:
            if (horizontal)
                ed.pages.fileBrowser.browserFocus = ed.pages.fileBrowser.browserFocus ? 0 : 1;
            else
                stepBrowser(ed, a == Arrow::Down ? 1 : -1);
            break;
        case Page::DrivePicker:
            if (horizontal) stepDriveCursor(ed.pages.fileBrowser, a == Arrow::Right ? 1 : -1);
            break;
        case Page::View3D:
            if (ed.pages.view3d.view3dState == 0) break;
            if (a == Arrow::Down) panShadedPlan(ed, 0, 225);
            if (a == Arrow::Up) panShadedPlan(ed, 0, -225);
            if (a == Arrow::Right) panShadedPlan(ed, -400, 0);
            if (a == Arrow::Left) panShadedPlan(ed, 400, 0);
            break;
        case Page::HelpViewer:
            if (!horizontal) stepHelp(ed, a == Arrow::Down ? kHelpStep : -kHelpStep);
            break;
        case Page::TilePicker:
            if (a == Arrow::Down) stepTileCursor(ed, tileRow(ed));
            if (a == Arrow::Up) stepTileCursor(ed, -tileRow(ed));
            if (a == Arrow::Right) stepTileCursor(ed, 1);
            if (a == Arrow::Left) stepTileCursor(ed, -1);
            break;
        default: break;
    }
}

}  // namespace

void navigateUp(Editor& ed) { navigate(ed, Arrow::Up); }
void navigateDown(Editor& ed) { navigate(ed, Arrow::Down); }
void navigatePrevious(Editor& ed) { navigate(ed, Arrow::Left); }
void navigateNext(Editor& ed) { navigate(ed, Arrow::Right); }

void noOpCommand(Editor&) {}

}  // namespace korvel

namespace korvel {

namespace {

using PicnumList = std::vector<int16_t>;

enum class TileListKind { Floor, Ceiling, Sprite, Wall, MaskedWall };

// Fills tileList with the tiles the map uses for one kind of surface, most used first.
void fillTileList(Editor& ed, TileListKind kind) {
    const MapStore& map = ed.map;
    TileCatalog& cat = ed.tileCatalog;
    std::fill(cat.tileList.begin(), cat.tileList.end(), -1);
    PicnumList picnums;
    const auto count = [](int32_t n, int32_t cap) { return size_t(std::clamp(n, 0, cap)); };
    switch (kind) {
        case TileListKind::Floor:
        case TileListKind::Ceiling:
            for (size_t s = 0; s < count(map.sectorCount, kMaxSectors); ++s)
                picnums.push_back(kind == TileListKind::Floor ? map.sectors[s].floorpicnum
                                                              : map.sectors[s].ceilingpicnum);
            if (kind == TileListKind::Floor)
                listUsedFloorTiles(cat, picnums);
            else
                listUsedCeilingTiles(cat, picnums);
            break;
        case TileListKind::Sprite:
            for (size_t k = 0; k < count(map.spriteCount, kMaxSprites); ++k)
                picnums.push_back(map.sprites[k].picnum);
            listUsedSpriteTiles(cat, picnums);
            break;
        case TileListKind::Wall:
        case TileListKind::MaskedWall:
            for (size_t w = 0; w < count(map.wallCount, kMaxWalls); ++w)
                picnums.push_back(kind == TileListKind::Wall ? map.walls[w].picnum
                                                             : map.walls[w].overpicnum);
            if (kind == TileListKind::Wall)
                listUsedWallTiles(cat, picnums);
            else
                listUsedMaskedWallTiles(cat, picnums);
            break;
    }
}

// Puts the picker's cursor on the list entry of tile, or leaves it where it was.
void cursorOnTile(Editor& ed, int32_t tile) {
    const std::vector<int32_t>& list = ed.tileCatalog.tileList;
    for (size_t i = 0; i < list.size() && list[i] != -1; ++i)
        if (list[i] == tile) {
            ed.pages.tilePicker.tilePickerCursor = int32_t(i);
            return;
        }
}

struct PickerTarget {
    int32_t sprite = -1, sector = -1, wall = -1;
    bool masked = false;
};

// Opens the picker for one target: its list, its cursor and the target fields.
void pickFor(Editor& ed, const PickerTarget& t, int32_t firstObject) {
    const MapStore& map = ed.map;
    ValuePromptState& p = ed.prompt;
    TilePickerState& picker = ed.pages.tilePicker;
    p.targetSprite = t.sprite;
    p.targetSector = t.sector;
    p.targetWall = t.wall;
    int32_t tile = -1;
    if (t.sprite != -1) {
        fillTileList(ed, TileListKind::Sprite);
        if (isSprite(map, firstObject)) tile = map.sprites[size_t(firstObject)].picnum;
    } else if (t.sector != -1) {
        const bool ceiling = ed.settings.ceilingView != 0;
        fillTileList(ed, ceiling ? TileListKind::Ceiling : TileListKind::Floor);
        if (isSector(map, firstObject))
            tile = ceiling ? map.sectors[size_t(firstObject)].ceilingpicnum
                           : map.sectors[size_t(firstObject)].floorpicnum;
    } else {
        picker.targetOverpicnum = t.masked ? 1 : 0;
        fillTileList(ed, t.masked ? TileListKind::MaskedWall : TileListKind::Wall);
        if (isWall(map, firstObject))
            tile = t.masked ? map.walls[size_t(firstObject)].overpicnum
                            : map.walls[size_t(firstObject)].picnum;
    }
    ed.app.currentPage = Page::TilePicker;
    picker.tilePickerShowAll = 0;
    picker.tilePickerTopRow = 0;
    cursorOnTile(ed, tile);
}

// Without the tile art the picker opens after the art is loaded, at the start of a frame.
bool deferWithoutArt(Editor& ed) {
    if (ed.tiles.artLoaded) return false;
    ed.app.deferredAction = DeferredAction::TilePickerForHovered;
    ed.cursor.cursorShape = CursorShape::Busy;
    playSound(ed, "command");
    return true;
}

void selectionTaken(Editor& ed) {
    playSound(ed, "command");
    updateSelectionLayerMask(ed.tool);
    rebuildToolbar(ed);
}

void pickOnPlanView(Editor& ed, bool alt, bool shift) {
    const MapStore& map = ed.map;
    const HoverState& h = ed.hover;
    const bool sprite = isSprite(map, h.hoveredSprite), sector = isSector(map, h.hoveredSector),
               wall = isWall(map, h.hoveredWall);
    PickerTarget t;
    int32_t first = -1;
    bool selection = true;
    if (map.selectedSpriteCount > 0 && !alt) {
        t.sprite = kWholeSelectionTarget;
        first = getFirstSelectedSprite(map);
    } else if (map.selectedSectorCount > 0 && !alt) {
        t.sector = kWholeSelectionTarget;
        first = getFirstSelectedSector(map);
    } else if (map.selectedWallCount > 0 && alt) {
        t.wall = kWholeSelectionTarget;
        t.masked = shift;
        first = getFirstSelectedWall(map);
    } else if (!sprite && !sector && (!alt || !wall)) {
        return;
    } else {
        selection = false;
        if (sprite && !alt) {
            t.sprite = first = h.hoveredSprite;
        } else if (alt && wall) {
            t.wall = first = h.hoveredWall;
            t.masked = shift;
        } else if (sector && !alt) {
            t.sector = first = h.hoveredSector;
        } else {
            return;
        }
    }
    if (deferWithoutArt(ed)) return;
    pickFor(ed, t, first);
    if (selection)
        selectionTaken(ed);
    else
        playSound(ed, "command");
}

void pickOnSideView(Editor& ed, bool alt) {
    const MapStore& map = ed.map;
    const ViewState& v = ed.view;
    const int32_t part = ed.hover.sideViewWallPart;
    if (v.sideViewSubjectKind == SideViewSubjectKind::Wall && part != 0 &&
        isWall(map, v.sideViewSubject)) {
        const int32_t w = v.sideViewSubject;
        PickerTarget t;
        t.wall = w;
        // The lower part of a wall whose bottom is swapped shows its twin's texture; a twin
        // index outside the walls leaves the wall itself.
        if (part == 1 && (map.walls[size_t(w)].cstat & 2) && isWall(map, map.walls[size_t(w)].nextwall))
            t.wall = map.walls[size_t(w)].nextwall;
        t.masked = part == 3;
        pickFor(ed, t, t.wall);
        playSound(ed, "command");
        return;
    }
    if (alt) return;
    if (map.selectedSpriteCount > 0) {
        pickFor(ed, {kWholeSelectionTarget, -1, -1, false}, getFirstSelectedSprite(map));
        selectionTaken(ed);
    } else if (isSprite(map, ed.hover.hoveredSprite)) {
        pickFor(ed, {ed.hover.hoveredSprite, -1, -1, false}, ed.hover.hoveredSprite);
    }
}

// V on the picker: between every tile and the list, keeping the tile under the cursor.
void toggleShowAll(Editor& ed) {
    TilePickerState& t = ed.pages.tilePicker;
    const std::vector<int32_t>& list = ed.tileCatalog.tileList;
    t.tilePickerTopRow = 0;
    if (!t.tilePickerShowAll) {
        t.tilePickerShowAll = 1;
        const int32_t tile = listEntry(ed, t.tilePickerCursor);
        t.tilePickerCursor = std::clamp(tile, 0, kTileCount - 1);
    } else {
        t.tilePickerShowAll = 0;
        const int32_t tile = t.tilePickerCursor;
        t.tilePickerCursor = 0;
        for (size_t i = 0; i < list.size() && list[i] != -1; ++i)
            if (list[i] == tile) {
                t.tilePickerCursor = int32_t(i);
                break;
            }
    }
    playSound(ed, "command");
}

}  // namespace

void openTilePicker(Editor& ed) {
    const bool alt = ed.dispatch.altHeld, shift = ed.dispatch.shiftHeld;
    if (alt) ed.dispatch.areaSelectLatch = 0;
    switch (ed.app.currentPage) {
        case Page::PlanView: pickOnPlanView(ed, alt, shift); break;
        case Page::SideView: pickOnSideView(ed, alt); break;
        case Page::TilePicker:
            if (!alt && !shift) toggleShowAll(ed);
            break;
        default: break;
    }
}

}  // namespace korvel
