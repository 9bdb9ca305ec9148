#include "support/TileFixtures.h"

#include "support/DrawFixtures.h"

namespace korvel::test {

void installFixtureTiles(TileStore& tiles) {
    std::fill(tiles.tileWidths.begin(), tiles.tileWidths.end(), int16_t(0));
    std::fill(tiles.tileHeights.begin(), tiles.tileHeights.end(), int16_t(0));
    std::fill(tiles.tileAnims.begin(), tiles.tileAnims.end(), 0);
    std::fill(tiles.tileOffsets.begin(), tiles.tileOffsets.end(), 0);
    tiles.artPixels.assign(size_t(kArtPadding), 0);
    for (const FixtureTile& f : kFixtureTiles) {
        std::vector<uint8_t> px;
        for (int32_t u = 0; u < f.width; ++u)
            for (int32_t r = 0; r < f.height; ++r) px.push_back(fixtureTexel(f.tile, u, r));
        addTile(tiles, f.tile, f.width, f.height, px);
    }
    tiles.artLoaded = 1;
}

void addTile(TileStore& tiles, int32_t tile, int16_t width, int16_t height,
             const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t>& art = tiles.artPixels;
    const size_t end = art.size() >= size_t(kArtPadding) ? art.size() - size_t(kArtPadding) : 0;
    art.resize(end);
    tiles.tileOffsets[size_t(tile)] = int32_t(end) - 1;
    tiles.tileWidths[size_t(tile)] = width;
    tiles.tileHeights[size_t(tile)] = height;
    art.insert(art.end(), pixels.begin(), pixels.end());
    art.resize(art.size() + size_t(kArtPadding), 0);
}

void installFixtureColours(ColorTables& ct) {
    for (int32_t p = 0; p < 27; ++p)
        for (int32_t c = 0; c < 256; ++c) ct.palRemaps[size_t(p * 256 + c)] = uint8_t(c);
    for (int32_t s = 0; s < 32; ++s)
        for (int32_t c = 0; c < 256; ++c) ct.gameShades[size_t(s * 256 + c)] = uint8_t(c);
    for (int32_t c = 0; c < 256; ++c) {
        ct.gamePaletteMap[size_t(c)] = ColorPair(c | (c ^ 1) << 8);
        ct.uiTint[size_t(c)] = uint8_t(c + 100);
    }
    fillSyntheticBlend(ct);
}

}  // namespace korvel::test
