// A tiny bitmap font built into the program for the splash, which shows before any data file has
// been read: the glyphs of the splash's own text, 5 x 7 pixels each.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvel {

constexpr int kSplashGlyphWidth = 5;
constexpr int kSplashGlyphHeight = 7;

// Rows of the glyph of c, top row first, bit 4 the leftmost pixel; all zero (a blank) for a
// character the font does not hold.
std::array<uint8_t, kSplashGlyphHeight> splashGlyph(char c);

// A text set in the font: width x height bytes, top row first, 1 where there is ink. Every font
// pixel becomes scale x scale pixels; glyphs stand one font pixel apart.
struct SplashBitmap {
    int width = 0, height = 0;
    std::vector<uint8_t> ink;
};
SplashBitmap renderSplashText(const std::string& text, int scale);

}  // namespace korvel
