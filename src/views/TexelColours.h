// The display colours tile pixels show as in the map views: a game colour under a pal and a
// shade, on the display palette through the game palette's pair of display colours (the second
// for dithered rows), optionally tinted with a highlight colour.
#pragma once

#include <cstdint>

namespace korvel {

struct ColorTables;
struct PlanViewState;

// The pal and shade as the views read a record's bytes: pals past 26 as 26 (a copy of pal 0),
// a negative shade as 0 and one past 31 as 31.
constexpr int32_t viewPal(uint8_t pal) {
    return pal > 26 ? 26 : pal;
}
constexpr int32_t viewShade(uint8_t shade) {
    return shade >= 128 ? 0 : shade > 31 ? 31 : shade;
}

// 256 display colours per member, indexed by the tile's pixel byte.
struct TexelColourPair {
    const uint8_t* first;
    const uint8_t* second;
};

// The colours for pal and shade (as viewPal and viewShade give them), each mixed under the tint
// colour through the blend table when tinted. Built on first use in a frame (paintCount).
TexelColourPair texelColours(PlanViewState& st, const ColorTables& ct, int32_t pal, int32_t shade,
                             bool tinted, uint8_t tint);

}  // namespace korvel
