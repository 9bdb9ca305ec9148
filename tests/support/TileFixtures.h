// Small tiles and colour tables for the picture tests: four tiles (8 x 8, 16 x 4, 6 x 5 and an
// empty one) whose texels are all distinct bytes, and colour tables under which a texel's byte
// shows as itself: identity pal remaps and shades, each game colour c shown as c (and as c xor 1
// on dithered rows), and the asymmetric synthetic blend table.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/ColorTables.h"
#include "resources/TileStore.h"

namespace korvel::test {

constexpr int32_t kTile8x8 = 1, kTile16x4 = 2, kTile6x5 = 3, kTileEmpty = 4;

struct FixtureTile {
    int32_t tile;
    int16_t width, height;
};
constexpr FixtureTile kFixtureTiles[] = {
    {kTile8x8, 8, 8}, {kTile16x4, 16, 4}, {kTile6x5, 6, 5}, {kTileEmpty, 0, 0}};

// Replaces the tiles by the fixture's and marks them loaded. Texel (u, r) (column from the left,
// row from the top) of the n-th tile is 1 + 64 n + u * H + r: 1..64, 65..128 and 129..158.
void installFixtureTiles(TileStore& tiles);
// The texel as installFixtureTiles writes it.
constexpr uint8_t fixtureTexel(int32_t tile, int32_t u, int32_t r) {
    const FixtureTile& f = kFixtureTiles[tile - 1];
    return uint8_t(1 + 64 * (tile - 1) + u * f.height + r);
}
// Adds a tile of the given size and pixels (column after column) after the loaded data, keeping
// the spare bytes at the end.
void addTile(TileStore& tiles, int32_t tile, int16_t width, int16_t height,
             const std::vector<uint8_t>& pixels);

// Identity pal remaps and shades, pairs (c, c xor 1), the synthetic blend table, and a tint
// table that adds 100.
void installFixtureColours(ColorTables& ct);

}  // namespace korvel::test
