#include "views/ViewBookmarks.h"

#include <algorithm>

#include "app/Editor.h"
#include "editing/HiddenStates.h"
#include "editing/ViewNavigation.h"
#include "map/Selection.h"

namespace korvel {

namespace {

uint8_t* sectorCopy(ViewBookmarks& b, int32_t slot) {
    return b.bookmarkSectorIgnored.data() + size_t(slot) * kMaxSectors;
}
const uint8_t* sectorCopy(const ViewBookmarks& b, int32_t slot) {
    return b.bookmarkSectorIgnored.data() + size_t(slot) * kMaxSectors;
}
uint8_t* spriteCopy(ViewBookmarks& b, int32_t slot) {
    return b.bookmarkSpriteIgnored.data() + size_t(slot) * kMaxSprites;
}
const uint8_t* spriteCopy(const ViewBookmarks& b, int32_t slot) {
    return b.bookmarkSpriteIgnored.data() + size_t(slot) * kMaxSprites;
}

// Clears the selection of every object the hidden states now leave out.
void deselectHidden(MapStore& map) {
    for (int32_t k = 0; k < map.spriteCount; ++k)
        if (map.spriteIgnored[k] != 0) map.spriteSelected[k] = 0;
    for (int32_t s = 0; s < map.sectorCount; ++s)
        if (map.sectorIgnored[s] != 0) map.sectorSelected[s] = 0;
    for (int32_t w = 0; w < map.wallCount; ++w)
        if (map.wallIgnored[w] != 0) map.wallSelected[w] = map.vertexSelected[w] = 0;
    recountSelection(map);
}

}  // namespace

void storeBookmark(ViewBookmarks& b, int32_t slot, const ViewState& view, const MapStore& map,
                   const Settings& settings) {
    if (slot < 0 || slot >= kBookmarkCount) return;
    const auto i = size_t(slot);
    b.bookmarkX[i] = roundedOrigin(view.viewOriginX);
    b.bookmarkY[i] = roundedOrigin(view.viewOriginY);
    b.bookmarkZoom[i] = view.viewZoom;
    std::copy_n(map.sectorIgnored.data(), kMaxSectors, sectorCopy(b, slot));
    std::copy_n(map.spriteIgnored.data(), kMaxSprites, spriteCopy(b, slot));
    b.bookmarkZRangeLow[i] = settings.zRangeLow;
    b.bookmarkZRangeHigh[i] = settings.zRangeHigh;
    b.bookmarkZRangeMode[i] = settings.zRangeMode;
}

bool recallBookmark(const ViewBookmarks& b, int32_t slot, const ViewState& view,
                    ViewMotionState& motion, MapStore& map, Settings& settings) {
    if (!bookmarkUsed(b, slot)) return false;
    const auto i = size_t(slot);
    startGlide(motion, view, b.bookmarkX[i], b.bookmarkY[i], b.bookmarkZoom[i], true);
    std::copy_n(sectorCopy(b, slot), kMaxSectors, map.sectorIgnored.data());
    std::copy_n(spriteCopy(b, slot), kMaxSprites, map.spriteIgnored.data());
    settings.zRangeLow = b.bookmarkZRangeLow[i];
    settings.zRangeHigh = b.bookmarkZRangeHigh[i];
    settings.zRangeMode = b.bookmarkZRangeMode[i];
    // The walls' states and the filtered ones follow from what was put back: derive them before
    // judging what is hidden, or the old filter would decide.
    updateHiddenStates(map, settings);
    deselectHidden(map);
    return true;
}

void refreshBookmarkHiddenFlags(ViewBookmarks& b, const MapStore& map) {
    const auto sectors = size_t(std::clamp(map.sectorCount, 0, kMaxSectors));
    const auto sprites = size_t(std::clamp(map.spriteCount, 0, kMaxSprites));
    for (int32_t slot = 0; slot < kBookmarkCount; ++slot) {
        if (!bookmarkUsed(b, slot)) continue;
        std::copy_n(map.sectorIgnored.data(), sectors, sectorCopy(b, slot));
        std::copy_n(map.spriteIgnored.data(), sprites, spriteCopy(b, slot));
    }
}

void refreshBookmarkHiddenFlags(Editor& ed) {
    refreshBookmarkHiddenFlags(ed.bookmarks, ed.map);
}

}  // namespace korvel
