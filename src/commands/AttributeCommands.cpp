#include "commands/AttributeCommands.h"

#include <algorithm>
#include <vector>

#include "app/Editor.h"
#include "app/MapFileCommands.h"
#include "base/FileSystem.h"
#include "base/PathNames.h"
#include "commands/AttributeClipboard.h"
#include "commands/AttributePaste.h"
#include "commands/CommandTargets.h"
#include "commands/PageStack.h"
#include "pages/RecordEditor.h"
#include "pages/TileFilter.h"
#include "resources/TileLists.h"
#include "ui/Toolbar.h"
#include "view3d/Refresh3d.h"

namespace korvel {

namespace {

constexpr int32_t kAllSelected = 0xFFFFFF;
constexpr int32_t kMsgPasteSlopeOff = 106, kMsgPasteSlopeOn = 107;
constexpr int32_t kMsgLoadFailed = 314, kMsgLoaded = 315;
constexpr int32_t kMessageBoxFirstButton = 255000;

enum class Obj : uint8_t { Sector, Sprite, Wall };

// The kinds Enter and Tab try, in the order the selection mode gives; none for the modes that
// select no objects.
std::vector<Obj> kindOrder(SelectionMode mode) {
    switch (mode) {
        case SelectionMode::Sectors:
            return {Obj::Sector, Obj::Sprite, Obj::Wall};
        case SelectionMode::Walls:
        case SelectionMode::Loops:
            return {Obj::Wall, Obj::Sprite, Obj::Sector};
        case SelectionMode::Sprites:
        case SelectionMode::Vertices:
        case SelectionMode::SpritesAndVertices:
            return {Obj::Sprite, Obj::Sector, Obj::Wall};
        default:
            return {};
    }
}

AttributePasteRules pasteRules(const Editor& ed) {
    return {ed.attributes.pasteHeinum == 1 && ed.app.currentPage != Page::View3D,
            ed.settings.autoWallSquare != 0};
}

void pasteOnto(Editor& ed, Obj kind, int32_t i) {
    MapStore& map = ed.map;
    const AttributeClipboard& clip = ed.attributes.attributeClipboard;
    switch (kind) {
        case Obj::Sector:
            if (ed.settings.ceilingView == 1)
                pasteSectorCeilingAttributes(map, clip, i, pasteRules(ed));
            else
                pasteSectorFloorAttributes(map, clip, i, pasteRules(ed));
            break;
        case Obj::Sprite:
            pasteSpriteAttributes(map, clip, i);
            break;
        case Obj::Wall:
            pasteWallAttributes(map, clip, i, pasteRules(ed));
            break;
    }
}

int32_t selectedCount(const MapStore& map, Obj kind) {
    switch (kind) {
        case Obj::Sector: return map.selectedSectorCount;
        case Obj::Sprite: return map.selectedSpriteCount;
        default: return map.selectedWallCount;
    }
}

bool anySelected(const MapStore& map, Obj kind) {
    // The counts can lag behind the flags after a hostile script; the flags decide.
    const auto any = [](const auto& flags, int32_t count) {
        for (int32_t i = 0; i < count; ++i)
            if (flags[size_t(i)]) return true;
        return false;
    };
    if (selectedCount(map, kind) <= 0) return false;
    switch (kind) {
        case Obj::Sector: return any(map.sectorSelected, map.sectorCount);
        case Obj::Sprite: return any(map.spriteSelected, map.spriteCount);
        default: return any(map.wallSelected, map.wallCount);
    }
}

int32_t hovered(const Editor& ed, Obj kind) {
    switch (kind) {
        case Obj::Sector: return hoveredSector(ed);
        case Obj::Sprite: return hoveredSprite(ed);
        default: return hoveredWall(ed);
    }
}

// The wall of the side view's subject that the mouse names, and whether it is the masked
// middle; -1 without a subject or with part 0.
struct SideWall {
    int32_t wall = -1;
    bool masked = false;
};

SideWall sideViewWall(const Editor& ed) {
    if (!onSideView(ed)) return {};
    const int32_t subject = wallSubject(ed);
    if (subject < 0) return {};
    switch (ed.hover.sideViewWallPart) {
        case 1: {
            const int32_t twin = wallTwin(ed.map, subject);
            const bool swapped = ed.map.walls[size_t(subject)].cstat & kWallSwapBottom;
            return {swapped && twin >= 0 ? twin : subject, false};
        }
        case 2:
        case 4:
            return {subject, false};
        case 3:
            return {subject, true};
        default:
            return {};
    }
}

bool pasteOnMapPage(Editor& ed) {
    MapStore& map = ed.map;
    const std::vector<Obj> order = kindOrder(ed.tool.selectionMode);
    for (Obj kind : order) {
        if (!anySelected(map, kind)) continue;
        CommandEdit edit(ed);
        const int32_t count = kind == Obj::Sector   ? map.sectorCount
                              : kind == Obj::Sprite ? map.spriteCount
                                                    : map.wallCount;
        for (int32_t i = 0; i < count; ++i) {
            const bool on = kind == Obj::Sector   ? map.sectorSelected[size_t(i)] != 0
                            : kind == Obj::Sprite ? map.spriteSelected[size_t(i)] != 0
                                                  : map.wallSelected[size_t(i)] != 0;
            if (on) pasteOnto(ed, kind, i);
        }
        edit.commit();
        cueCommand(ed);
        return true;
    }
    for (Obj kind : order) {
        const int32_t i = hovered(ed, kind);
        if (i < 0) continue;
        CommandEdit edit(ed);
        pasteOnto(ed, kind, i);
        edit.commit();
        cueCommand(ed);
        return true;
    }
    const SideWall side = sideViewWall(ed);
    if (side.wall < 0) return false;
    CommandEdit edit(ed);
    if (side.masked)
        pasteMaskedWallAttributes(map, ed.attributes.attributeClipboard, side.wall,
                                  pasteRules(ed));
    else
        pasteWallAttributes(map, ed.attributes.attributeClipboard, side.wall, pasteRules(ed));
    edit.commit();
    cueCommand(ed);
    return true;
}

void copyOnMapPage(Editor& ed) {
    const MapStore& map = ed.map;
    AttributeClipboard& clip = ed.attributes.attributeClipboard;
    for (Obj kind : kindOrder(ed.tool.selectionMode)) {
        const int32_t i = hovered(ed, kind);
        if (i < 0) continue;
        switch (kind) {
            case Obj::Sector:
                if (ed.settings.ceilingView == 1)
                    copySectorCeilingAttributes(map, clip, i);
                else
                    copySectorFloorAttributes(map, clip, i);
                break;
            case Obj::Sprite:
                copySpriteAttributes(map, clip, i);
                break;
            case Obj::Wall:
                copyWallAttributes(map, clip, i);
                break;
        }
        cueCommand(ed);
        return;
    }
    const SideWall side = sideViewWall(ed);
    if (side.wall < 0) return;
    if (side.masked)
        copyMaskedWallAttributes(map, clip, side.wall);
    else
        copyWallAttributes(map, clip, side.wall);
    cueCommand(ed);
}

// The tile the picker's cursor names, or -1.
int32_t pickedTile(const Editor& ed) {
    const TilePickerState& t = ed.pages.tilePicker;
    if (t.tilePickerShowAll) return t.tilePickerCursor;
    const std::vector<int32_t>& list = ed.tileCatalog.tileList;
    const int32_t c = t.tilePickerCursor;
    return c >= 0 && c < int32_t(list.size()) ? list[size_t(c)] : -1;
}

// Writes the tile into one target or, for the all-selected target, every selected object of
// its kind; calls touched(i) for each object written. A target that names no object writes
// nothing.
template <typename Flags, typename Fn>
void forTarget(int32_t target, int32_t count, const Flags& selected, Fn&& write) {
    if (target == kAllSelected) {
        forEachSelected(selected, count, write);
    } else if (target >= 0 && target < count) {
        write(target);
    }
}

void confirmTile(Editor& ed) {
    popPage(ed);
    const int32_t tile = pickedTile(ed);
    if (tile > -1) {
        MapStore& map = ed.map;
        const ValuePromptState& p = ed.prompt;
        const int16_t pic = int16_t(tile);
        const bool live3d =
            ed.app.currentPage == Page::View3D && ed.pages.view3d.view3dState == 0;
        if (p.targetSector >= 0) {
            const bool floor = ed.tileCatalog.usedTileListKind == 0;
            CommandEdit edit(ed);
            forTarget(p.targetSector, map.sectorCount, map.sectorSelected, [&](int32_t s) {
                SectorRecord& r = map.sectors[size_t(s)];
                (floor ? r.floorpicnum : r.ceilingpicnum) = pic;
                if (live3d) refresh3dSectorPlanes(ed, s);
            });
            edit.commit();
        } else if (p.targetWall >= 0) {
            const bool masked = ed.pages.tilePicker.targetOverpicnum != 0;
            CommandEdit edit(ed);
            forTarget(p.targetWall, map.wallCount, map.wallSelected, [&](int32_t w) {
                WallRecord& r = map.walls[size_t(w)];
                (masked ? r.overpicnum : r.picnum) = pic;
                if (live3d) refresh3dWall(ed, w);
            });
            edit.commit();
        } else if (p.targetSprite >= 0) {
            CommandEdit edit(ed);
            forTarget(p.targetSprite, map.spriteCount, map.spriteSelected, [&](int32_t k) {
                map.sprites[size_t(k)].picnum = pic;
                if (live3d) refresh3dSprite(ed, k);
            });
            countSpriteTiles(map);
            edit.commit();
        } else {
            ed.pages.terrainSetup.terrainTile = tile;
        }
    }
    cueCommand(ed);
    ed.app.redrawRequest = 1;
    updateSelectionLayerMask(ed.tool);
    rebuildToolbar(ed);
}

void confirmDrive(Editor& ed) {
    FileBrowserState& b = ed.pages.fileBrowser;
    if (b.driveCursor < 0 || b.driveCursor > 25) return;
    FileSystem& fs = ed.app.platform->fileSystem();
    const std::string folder = fs.driveFolder(b.driveCursor);
    if (folder.empty()) return;  // a letter without a folder
    b.browserFolder = folder;
    fillFileDialogLists(b, fs, ed.app.platform->programFolder());
    popPage(ed);
    cueCommand(ed);
}

void confirmBrowser(Editor& ed) {
    FileBrowserState& b = ed.pages.fileBrowser;
    if (b.browserFocus == 1) {
        const std::string path = browserFilePath(b);
        if (path.empty()) return;
        if (b.browserPurpose == FileBrowserPurpose::PlayDemo) {
            playDemo(ed, path);
        } else if (b.browserPurpose == FileBrowserPurpose::MergeMap) {
            insertMapFile(ed, path);
        } else {
            loadMap(ed, path, false);
            if (ed.mapFile.mapLoadFailed)
                ed.events.statusMessage(kMsgLoadFailed, {}, 0);
            else
                ed.events.statusMessage(kMsgLoaded, {num(ed.mapFile.auxResult)}, 0);
        }
        popPage(ed);
        cueCommand(ed);
        return;
    }
    const std::string folder = browserFolderTarget(b);
    if (folder.empty()) return;
    b.browserFolder = folder;
    ed.app.hoveredWidget = 0;
    fillFileDialogLists(b, ed.app.platform->fileSystem(), ed.app.platform->programFolder());
    b.browserFolderTop = b.browserFileTop = 0;
    b.browserFolderCursor = b.browserFileCursor = 0;
    cueCommand(ed);
}

// Tab on the pages with value fields: the next shown field after the focused one, no wrap.
void nextValueField(Editor& ed) {
    const WidgetState& w = ed.widgets;
    const int32_t n = std::min(w.valueFieldCount, kValueFieldCapacity);
    int32_t at = -1;
    for (int32_t i = 0; i < n; ++i)
        if (w.valueFields[size_t(i)].id == ed.app.focusedField && valueFieldVisible(ed, i)) {
            at = i;
            break;
        }
    if (at < 0) return;
    for (int32_t i = at + 1; i < n; ++i)
        if (valueFieldVisible(ed, i)) {
            ed.app.focusedField = w.valueFields[size_t(i)].id;
            return;
        }
}

}  // namespace

void confirmOrPasteAttributes(Editor& ed) {
    switch (ed.app.currentPage) {
        case Page::PlanView:
        case Page::SideView:
            pasteOnMapPage(ed);
            break;
        case Page::RecordEditor:
            applyRecordEditor(ed);
            popPage(ed);
            cueCommand(ed);
            break;
        case Page::DrivePicker:
            confirmDrive(ed);
            break;
        case Page::FileBrowser:
            confirmBrowser(ed);
            break;
        case Page::TilePicker:
            confirmTile(ed);
            break;
        case Page::TileZoom:
            popPage(ed);
            cueCommand(ed);
            break;
        case Page::TileFilter:
            confirmTileFilter(ed);
            break;
        case Page::MessageBox:
            ed.dispatch.pendingClickId = kMessageBoxFirstButton;
            ed.dispatch.pendingClick = 1;
            break;
        default:
            break;
    }
}

void pasteTextureOnly(Editor& ed) {
    if (!onPlanView(ed)) return;
    AttributeClipboard& clip = ed.attributes.attributeClipboard;
    const AttributeClipboardKind saved = clip.kind;
    clip.kind = AttributeClipboardKind::TextureOnly;
    pasteOnMapPage(ed);
    clip.kind = saved;
}

void nextFieldOrCopyAttributes(Editor& ed) {
    switch (ed.app.currentPage) {
        case Page::PlanView:
        case Page::SideView:
            copyOnMapPage(ed);
            break;
        case Page::RecordEditor:
            nextRecordEditorField(ed);
            break;
        case Page::FileBrowser:
            ed.pages.fileBrowser.browserFocus = ed.pages.fileBrowser.browserFocus ? 0 : 1;
            break;
        default:
            nextValueField(ed);
            break;
    }
}

void copyTextureOnly(Editor& ed) {
    if (!onMapPage(ed)) return;
    copyOnMapPage(ed);
    ed.attributes.attributeClipboard.kind = AttributeClipboardKind::TextureOnly;
}

void togglePasteSlope(Editor& ed) {
    uint8_t& on = ed.attributes.pasteHeinum;
    on = on == 1 ? 0 : 1;
    ed.events.statusMessage(on ? kMsgPasteSlopeOn : kMsgPasteSlopeOff, {}, 0);
}

}  // namespace korvel
