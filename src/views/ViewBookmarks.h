// View bookmarks: ten stored plan views, each with its zoom, its height filter and copies of the
// hidden states of sectors and sprites, stored and glided back to by the digit keys while the
// bookmark tool is on.
#pragma once

#include <array>
#include <cstdint>

#include "base/FixedArray.h"
#include "map/ObjectTables.h"

namespace korvel {

struct Editor;
struct MapStore;
struct Settings;
struct ViewMotionState;
struct ViewState;

constexpr int32_t kBookmarkCount = 10;

struct ViewBookmarks {
    // 1 while the digit keys store and recall bookmarks.
    uint8_t bookmarkTool = 0;
    // The view origin in whole map units and the zoom; a slot whose zoom is 0 or less is empty.
    std::array<int32_t, kBookmarkCount> bookmarkX{}, bookmarkY{};
    std::array<float, kBookmarkCount> bookmarkZoom{};
    std::array<int32_t, kBookmarkCount> bookmarkZRangeLow{}, bookmarkZRangeHigh{};
    std::array<uint8_t, kBookmarkCount> bookmarkZRangeMode{};
    // Slot i's copies start at i x 4096 and i x 16384.
    FixedArray<uint8_t, kBookmarkCount * kMaxSectors> bookmarkSectorIgnored;
    FixedArray<uint8_t, kBookmarkCount * kMaxSprites> bookmarkSpriteIgnored;
};

inline bool bookmarkUsed(const ViewBookmarks& b, int32_t slot) {
    return slot >= 0 && slot < kBookmarkCount && b.bookmarkZoom[size_t(slot)] > 0;
}

// Keeps the view, its zoom, the height filter and the hidden states in slot (0..9).
void storeBookmark(ViewBookmarks& b, int32_t slot, const ViewState& view, const MapStore& map,
                   const Settings& settings);
// Glides the plan view to slot's view and zoom and puts its height filter and hidden states
// back; the selected objects they hide are deselected. An empty slot changes nothing: false.
bool recallBookmark(const ViewBookmarks& b, int32_t slot, const ViewState& view,
                    ViewMotionState& motion, MapStore& map, Settings& settings);

// After objects were renumbered: every used slot takes the current hidden states, so a recall
// hides the same objects as the view does now.
void refreshBookmarkHiddenFlags(ViewBookmarks& b, const MapStore& map);
void refreshBookmarkHiddenFlags(Editor& ed);

}  // namespace korvel
