#include "platform/sdl/SplashFont.h"

#include <algorithm>

namespace korvel {

namespace {

struct Glyph {
    char c;
    std::array<uint8_t, kSplashGlyphHeight> rows;
};

// Drawn for "Initializing Korvel...": no other text is ever shown before the data folder loads.
constexpr Glyph kGlyphs[] = {
    {'I', {0b01110, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'K', {0b10001, 0b10010, 0b10100, 0b11000, 0b10100, 0b10010, 0b10001}},
    {'a', {0b00000, 0b00000, 0b01110, 0b00001, 0b01111, 0b10001, 0b01111}},
    {'e', {0b00000, 0b00000, 0b01110, 0b10001, 0b11111, 0b10000, 0b01110}},
    {'g', {0b00000, 0b01111, 0b10001, 0b10001, 0b01111, 0b00001, 0b01110}},
    {'i', {0b00100, 0b00000, 0b01100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'l', {0b01100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'n', {0b00000, 0b00000, 0b10110, 0b11001, 0b10001, 0b10001, 0b10001}},
    {'o', {0b00000, 0b00000, 0b01110, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'r', {0b00000, 0b00000, 0b10110, 0b11001, 0b10000, 0b10000, 0b10000}},
    {'t', {0b01000, 0b01000, 0b11100, 0b01000, 0b01000, 0b01001, 0b00110}},
    {'v', {0b00000, 0b00000, 0b10001, 0b10001, 0b10001, 0b01010, 0b00100}},
    {'z', {0b00000, 0b00000, 0b11111, 0b00010, 0b00100, 0b01000, 0b11111}},
    {'.', {0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b01100, 0b01100}},
};

}  // namespace

std::array<uint8_t, kSplashGlyphHeight> splashGlyph(char c) {
    for (const Glyph& g : kGlyphs)
        if (g.c == c) return g.rows;
    return {};
}

SplashBitmap renderSplashText(const std::string& text, int scale) {
    scale = std::clamp(scale, 1, 16);
    SplashBitmap out;
    const int advance = (kSplashGlyphWidth + 1) * scale;
    out.width = text.empty() ? 0 : int(text.size()) * advance - scale;
    out.height = kSplashGlyphHeight * scale;
    out.ink.assign(size_t(out.width) * size_t(out.height), 0);
    for (size_t i = 0; i < text.size(); ++i) {
        const auto rows = splashGlyph(text[i]);
        for (int gy = 0; gy < kSplashGlyphHeight; ++gy)
            for (int gx = 0; gx < kSplashGlyphWidth; ++gx) {
                if (!(rows[size_t(gy)] >> (kSplashGlyphWidth - 1 - gx) & 1)) continue;
                for (int sy = 0; sy < scale; ++sy)
                    for (int sx = 0; sx < scale; ++sx) {
                        const int x = int(i) * advance + gx * scale + sx, y = gy * scale + sy;
                        out.ink[size_t(y) * size_t(out.width) + size_t(x)] = 1;
                    }
            }
    }
    return out;
}

}  // namespace korvel
