#include "commands/HeightCommands.h"

#include <algorithm>

#include "app/Editor.h"
#include "commands/CommandTargets.h"
#include "map/GeometryQueries.h"
#include "platform/VirtualKeys.h"

namespace korvel {

namespace {

constexpr int32_t kSectorStep8192 = 8192;
constexpr int32_t kNoGap = 2000000000;

// Messages of the height keys, raise and lower.
struct HeightMessages {
    int32_t selectedSprites, selectedFloors, selectedCeilings;
    int32_t ctrlSelectedSprites, ctrlHoveredSprite;
};
constexpr HeightMessages kRaiseMessages{9, 10, 11, 213, 214};
constexpr HeightMessages kLowerMessages{15, 16, 17, 215, 216};
constexpr int32_t kMsgHoveredSpriteZ = 12;
constexpr int32_t kMsgSectorFloorZ = 13;
constexpr int32_t kMsgSectorCeilingZ = 14;

enum class Form { Plain, Shift, Ctrl };

// Moves one side of a sector by dz (negative raises). A raised floor stops at its ceiling, a
// lowered ceiling at its floor.
void moveSide(SectorRecord& s, bool ceiling, int32_t dz) {
    if (ceiling) {
        s.ceilingz = saturate32(int64_t(s.ceilingz) + dz);
        if (dz > 0 && s.ceilingz > s.floorz) s.ceilingz = s.floorz;
    } else {
        s.floorz = saturate32(int64_t(s.floorz) + dz);
        if (dz < 0 && s.floorz < s.ceilingz) s.floorz = s.ceilingz;
    }
}

int32_t tileHeight(const Editor& ed, int32_t picnum) {
    if (picnum < 0 || picnum >= kTileCount || size_t(picnum) >= ed.tiles.tileHeights.size())
        return 0;
    return ed.tiles.tileHeights[size_t(picnum)];
}

// Ctrl forms on the selected sprites: the group moves by the smallest gap to the ceilings
// (raise) or floors (lower); sprites outside every sector have nothing to measure against.
void moveSelectedSpritesToSurface(Editor& ed, bool raise) {
    MapStore& map = ed.map;
    int32_t m = kNoGap;
    forEachSelected(map.spriteSelected, map.spriteCount, [&](int32_t k) {
        const SpriteRecord& sp = map.sprites[size_t(k)];
        if (!isSector(map, sp.sectnum)) return;
        const int64_t gap = raise ? int64_t(sp.z) - getTrueCeilingZ(map, sp.x, sp.y, sp.sectnum)
                                  : int64_t(getTrueFloorZ(map, sp.x, sp.y, sp.sectnum)) - sp.z;
        if (gap < m) m = saturate32(gap);
    });
    if (m == kNoGap) return;
    CommandEdit edit(ed);
    forEachSelected(map.spriteSelected, map.spriteCount, [&](int32_t k) {
        SpriteRecord& sp = map.sprites[size_t(k)];
        sp.z = saturate32(int64_t(sp.z) + (raise ? -int64_t(m) : int64_t(m)));
    });
    edit.commit();
    report(ed, raise ? kRaiseMessages.ctrlSelectedSprites : kLowerMessages.ctrlSelectedSprites);
    cueCommand(ed);
}

void moveHoveredSpriteToSurface(Editor& ed, int32_t k, bool raise) {
    MapStore& map = ed.map;
    SpriteRecord& sp = map.sprites[size_t(k)];
    if (!isSector(map, sp.sectnum)) return;
    CommandEdit edit(ed);
    if (raise) {
        const int32_t c = getTrueCeilingZ(map, sp.x, sp.y, sp.sectnum);
        if (sp.cstat & (kSpriteFloorAligned | kSpriteCentred))
            sp.z = c;
        else
            sp.z = saturate32(int64_t(c) + int64_t(sp.yrepeat) * tileHeight(ed, sp.picnum) * 4);
    } else {
        sp.z = getTrueFloorZ(map, sp.x, sp.y, sp.sectnum);
    }
    edit.commit();
    report(ed, raise ? kRaiseMessages.ctrlHoveredSprite : kLowerMessages.ctrlHoveredSprite,
           {num(k)});
    cueCommand(ed);
}

// The map pages: raise (step subtracted) or lower.
void stepHeights(Editor& ed, bool raise, Form form, int32_t step) {
    using K = TargetKind;
    const CommandTarget t =
        form == Form::Plain
            ? findTarget(ed, {K::SelectedSprites, K::SelectedSectors, K::HoveredSprite,
                              K::HoveredSector, K::SubjectSector})
            : findTarget(ed, {K::SelectedSprites, K::SelectedSectors, K::HoveredSprite,
                              K::SubjectSector, K::HoveredSector});
    if (!t.found()) return;
    MapStore& map = ed.map;
    const HeightMessages& msg = raise ? kRaiseMessages : kLowerMessages;
    const int32_t dz = raise ? -step : step;
    if (form == Form::Ctrl && t.kind == K::SelectedSprites) {
        moveSelectedSpritesToSurface(ed, raise);
        return;
    }
    if (form == Form::Ctrl && t.kind == K::HoveredSprite) {
        moveHoveredSpriteToSurface(ed, t.index, raise);
        return;
    }
    CommandEdit edit(ed);
    switch (t.kind) {
        case K::SelectedSprites:
            forEachSelected(map.spriteSelected, map.spriteCount, [&](int32_t k) {
                map.sprites[size_t(k)].z = saturate32(int64_t(map.sprites[size_t(k)].z) + dz);
            });
            edit.commit();
            report(ed, msg.selectedSprites, {num(step)}, step);
            return;
        case K::SelectedSectors:
            forEachSelected(map.sectorSelected, map.sectorCount,
                            [&](int32_t s) { moveSide(map.sectors[size_t(s)], t.ceiling, dz); });
            edit.commit();
            report(ed, t.ceiling ? msg.selectedCeilings : msg.selectedFloors, {num(step)}, step);
            return;
        case K::HoveredSprite: {
            SpriteRecord& sp = map.sprites[size_t(t.index)];
            sp.z = saturate32(int64_t(sp.z) + dz);
            edit.commit();
            report(ed, kMsgHoveredSpriteZ, {num(t.index), num(sp.z)});
            return;
        }
        default: {
            SectorRecord& s = map.sectors[size_t(t.index)];
            moveSide(s, t.ceiling, dz);
            edit.commit();
            report(ed, t.ceiling ? kMsgSectorCeilingZ : kMsgSectorFloorZ,
                   {num(t.index), num(t.ceiling ? s.ceilingz : s.floorz)});
            return;
        }
    }
}

// --- The list pages ---

void browserPage(Editor& ed, bool up) {
    FileBrowserState& b = ed.pages.fileBrowser;
    const bool files = b.browserFocus == 1;
    int32_t& cursor = files ? b.browserFileCursor : b.browserFolderCursor;
    int32_t& top = files ? b.browserFileTop : b.browserFolderTop;
    const int32_t count = files ? b.browserFileCount : b.browserFolderCount;
    if (up) {
        cursor = std::max(cursor - 32, 0);
        if (cursor < top) top = cursor;
    } else {
        cursor = std::max(0, std::min(cursor + 32, count - 1));
        if (cursor > top + 31) top = cursor - 31;
    }
}

void documentPageStep(Editor& ed, bool up) {
    HelpState& h = ed.help;
    if (up && h.documentPage <= 0) return;
    h.documentPage = up ? h.documentPage - 1 : saturate32(int64_t(h.documentPage) + 1);
    h.documentScroll = 0;
    cueCommand(ed);
    ed.calls.onPageChanged(ed);
}

void tilePickerPage(Editor& ed, bool up) {
    int32_t& c = ed.pages.tilePicker.tilePickerCursor;
    const int32_t screen = ed.settings.smallImages ? 336 : 84;
    c = up ? std::max(c - screen, 0) : std::min(c + screen, kTileCount - 1);
    c = std::clamp(c, 0, kTileCount - 1);
}

void tileZoomStep(Editor& ed, bool up) {
    TilePickerState& p = ed.pages.tilePicker;
    int32_t& c = p.tilePickerCursor;
    if (up) {
        if (c <= 0) return;
        --c;
    } else if (p.tilePickerShowAll) {
        if (c < 0 || c >= kTileCount - 1) return;
        ++c;
    } else {
        // Only within the list's entries; the list ends at -1.
        const std::vector<int32_t>& list = ed.tileCatalog.tileList;
        const int64_t next = int64_t(c) + 1;
        if (next < 0 || next >= int64_t(list.size()) || list[size_t(next)] == -1) return;
        ++c;
    }
    cueCommand(ed);
}

// Returns whether the page was a list page this key serves.
bool listPage(Editor& ed, bool up, bool withShift) {
    switch (ed.app.currentPage) {
        case Page::FileBrowser:
            if (withShift) return false;
            browserPage(ed, up);
            return true;
        case Page::HelpViewer:
            if (withShift) return false;
            documentPageStep(ed, up);
            return true;
        case Page::TilePicker:
            tilePickerPage(ed, up);
            return true;
        case Page::TileZoom:
            tileZoomStep(ed, up);
            return true;
        default:
            return false;
    }
}

void heightKey(Editor& ed, bool raise, Form form) {
    if (!onMapPage(ed)) {
        if (form != Form::Ctrl) listPage(ed, raise, form == Form::Shift);
        return;
    }
    int32_t step = kSectorStep8192;
    if (form == Form::Plain) step = heightStep(ed);
    if (form == Form::Shift) step = repeatStep(ed, raise ? vk::PageUp : vk::PageDown);
    stepHeights(ed, raise, form, step);
}

}  // namespace

void pageUpOrRaise(Editor& ed) {
    heightKey(ed, true, Form::Plain);
}
void pageDownOrLower(Editor& ed) {
    heightKey(ed, false, Form::Plain);
}
void raiseByKeyRepeat(Editor& ed) {
    heightKey(ed, true, Form::Shift);
}
void lowerByKeyRepeat(Editor& ed) {
    heightKey(ed, false, Form::Shift);
}
void raiseBy8192(Editor& ed) {
    heightKey(ed, true, Form::Ctrl);
}
void lowerBy8192(Editor& ed) {
    heightKey(ed, false, Form::Ctrl);
}

}  // namespace korvel
