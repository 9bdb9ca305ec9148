#include "resources/TileLists.h"

#include <algorithm>
#include <array>

#include "base/MessageNumbers.h"
#include "map/MapEvents.h"
#include "map/ProgressScope.h"

namespace korvel {

namespace {

constexpr int32_t kColourClasses = 9;

// Windows-1251 letters folded to capitals: ASCII, the Cyrillic block and Yo.
uint8_t foldCase(uint8_t c) {
    if (c >= 'a' && c <= 'z') return uint8_t(c - 32);
    if (c >= 0xE0) return uint8_t(c - 32);
    if (c == 0xB8) return 0xA8;
    return c;
}

std::string folded(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = char(foldCase(uint8_t(c)));
    return out;
}

// Colour class 1..9 of a game colour; 0 for colours 240..255, which count in none.
int32_t colourClass(uint8_t c) {
    if (c < 128) return c / 32 + 1;
    if (c < 144 || (c >= 208 && c < 224)) return 5;
    if (c < 160) return 6;
    if (c < 192) return 7;
    if (c < 208) return 8;
    if (c >= 224 && c < 240) return 9;
    return 0;
}

bool passesPixels(std::span<const uint8_t> pixels, const TileFilter& f) {
    if (f.tileFilterColor != 0) {
        if (f.tileFilterColor < 1 || f.tileFilterColor > kColourClasses) return false;
        std::array<int64_t, kColourClasses + 1> counts{};
        for (uint8_t p : pixels) ++counts[size_t(colourClass(p))];
        const int64_t chosen = counts[size_t(f.tileFilterColor)];
        bool any = false;
        for (int32_t c = 1; c <= kColourClasses; ++c) {
            if (counts[size_t(c)] > chosen) return false;
            any = any || counts[size_t(c)] > 0;
        }
        if (!any) return false;
    }
    if (f.tileFilterTransparency != 0) {
        const bool transparent = std::find(pixels.begin(), pixels.end(), 255) != pixels.end();
        if (f.tileFilterTransparency == 2) return transparent;
        if (f.tileFilterTransparency == 1) return !transparent;
        return false;
    }
    return true;
}

// "n tiles found", with the ending the language's plural rule asks for (rule 1: the Russian one).
void reportCount(MapEvents& events, int32_t n, int32_t pluralRule) {
    const std::vector<std::string> count{std::to_string(n)};
    if (n == 0)
        events.statusMessage(kMsgFilterNoTile);
    else if (pluralRule != 1)
        n == 1 ? events.statusMessage(kMsgFilterOneTile, count, n)
               : events.statusMessage(kMsgFilterFewTiles, count, n);
    else if (n % 100 >= 10 && n % 100 <= 19)
        events.statusMessage(kMsgFilterOneTile, count, n);
    else if (n % 10 == 1)
        events.statusMessage(kMsgFilterFewTiles, count, n);
    else if (n % 10 >= 2 && n % 10 <= 4)
        events.statusMessage(kMsgFilterManyTiles, count, n);
    else
        events.statusMessage(kMsgFilterOneTile, count, n);
}

}  // namespace

int32_t filterTileList(TileCatalog& catalog, const TileStore& tiles, const TileFilter& filter,
                       int32_t pluralRule, MapEvents& events) {
    std::fill(catalog.tileList.begin(), catalog.tileList.end(), -1);
    std::fill(catalog.tileUseCounts.begin(), catalog.tileUseCounts.end(), 0);
    const std::string nameFilter = folded(filter.tileNameFilter);
    int32_t n = 0;
    {
        ProgressScope progress(events, kTileCount - 1);
        for (int32_t t = 0; t < kTileCount; ++t) {
            const int32_t w = tiles.tileWidths[size_t(t)], h = tiles.tileHeights[size_t(t)];
            bool pass = w != 0 && h != 0 &&
                        (filter.tileWidthFilter == -1 || filter.tileWidthFilter == w) &&
                        (filter.tileHeightFilter == -1 || filter.tileHeightFilter == h);
            if (pass && !nameFilter.empty()) {
                const std::string name = folded(catalog.tileNames[size_t(t)]);
                pass = filter.tileNameSubstring ? name.find(nameFilter) != std::string::npos
                                                : name == nameFilter;
            }
            if (pass && (filter.tileFilterColor != 0 || filter.tileFilterTransparency != 0))
                pass = passesPixels(tilePixels(tiles, t), filter);
            if (pass) catalog.tileList[size_t(n++)] = t;
            progress.step();
        }
    }
    reportCount(events, n, pluralRule);
    return n;
}

void listUsedTiles(TileCatalog& catalog, std::span<const int16_t> picnums) {
    std::vector<int32_t> position(kTileCount, -1);
    struct Used {
        int32_t tile, count;
    };
    std::vector<Used> used;
    for (const int16_t picnum : picnums) {
        if (picnum < 0 || picnum >= kTileCount) continue;
        int32_t& at = position[size_t(picnum)];
        if (at < 0) {
            at = int32_t(used.size());
            used.push_back({picnum, 0});
        }
        ++used[size_t(at)].count;
    }
    // Stable: tiles used equally often keep the order in which the map first uses them.
    std::stable_sort(used.begin(), used.end(),
                     [](const Used& a, const Used& b) { return a.count > b.count; });
    for (size_t i = 0; i < used.size(); ++i) {
        catalog.tileList[i] = used[i].tile;
        catalog.tileUseCounts[i] = used[i].count;
    }
    catalog.tileList[used.size()] = -1;
    catalog.tileUseCounts[used.size()] = 0;
}

void listUsedFloorTiles(TileCatalog& catalog, std::span<const int16_t> floorPicnums) {
    listUsedTiles(catalog, floorPicnums);
    catalog.usedTileListKind = 0;
}

void listUsedCeilingTiles(TileCatalog& catalog, std::span<const int16_t> ceilingPicnums) {
    listUsedTiles(catalog, ceilingPicnums);
    catalog.usedTileListKind = 1;
}

void listUsedSpriteTiles(TileCatalog& catalog, std::span<const int16_t> spritePicnums) {
    listUsedTiles(catalog, spritePicnums);
}

void listUsedWallTiles(TileCatalog& catalog, std::span<const int16_t> wallPicnums) {
    listUsedTiles(catalog, wallPicnums);
}

void listUsedMaskedWallTiles(TileCatalog& catalog, std::span<const int16_t> overPicnums) {
    listUsedTiles(catalog, overPicnums);
}

void countSoundUsage(TileCatalog& catalog, std::span<const SpriteSoundTags> sprites) {
    std::fill(catalog.soundUsage.begin(), catalog.soundUsage.end(), 0);
    for (const auto& s : sprites) {
        if (s.picnum != kSoundSpriteTile) continue;
        if (s.lotag >= 0 && s.lotag < kSoundCount) ++catalog.soundUsage[size_t(s.lotag)];
        if (s.hitag >= 0 && s.hitag < kSoundCount) ++catalog.soundUsage[size_t(s.hitag)];
    }
}

}  // namespace korvel
