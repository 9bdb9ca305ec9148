// The two palettes (display and game) and the byte tables through which colours are mixed:
// translucency, shading, pal remaps, the interface tint and the game-to-display colour map.
#pragma once

#include <array>
#include <cstdint>

namespace korvel {

using ColorPair = uint16_t;  // low byte the first display colour, high byte the second

struct ColorTables {
    // Display palette (the screen's colours, from Palette.pal) and game palette (the colours of
    // tile pixels). All zero until read.
    std::array<uint8_t, 256> paletteRed{}, paletteGreen{}, paletteBlue{};
    std::array<uint8_t, 256> gamePaletteRed{}, gamePaletteGreen{}, gamePaletteBlue{};

    // [j * 256 + k]: display colour showing colour k laid over colour j.
    std::array<uint8_t, 65536> blendTable{};
    // [level * 256 + c], level 0 (full) .. 31 (darkest).
    std::array<uint8_t, 8192> gameShades{};
    std::array<uint8_t, 8192> displayShades{};
    // [p * 256 + c]: game colour c under pal number p (0..26); row 26 copies row 0.
    std::array<uint8_t, 27 * 256> palRemaps{};
    // Display colour c mixed 1:6 with the tint base colour.
    std::array<uint8_t, 256> uiTint{};
    // Game colour c shown on the display palette, with a second colour for dithering.
    std::array<ColorPair, 256> gamePaletteMap{};
};

}  // namespace korvel
