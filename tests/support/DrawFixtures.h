// Small drawing fixtures: a screen whose rows carry guard bytes past column 799, a synthetic
// blend table, pixel probes and difference lists, and the file images of font sheets and skins.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "resources/ColorTables.h"
#include "ui/FrameBuffer.h"

namespace korvel::test {

// Bytes per screen row in guarded frames: the 32 after column 799 must never be written.
constexpr int32_t kGuardedRowLength = 832;
constexpr uint8_t kGuardByte = 0xA5;

// Every entry distinct enough that "a over b" and "b over a" differ.
inline void fillSyntheticBlend(ColorTables& ct) {
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) ct.blendTable[a * 256 + b] = uint8_t(a * 31 + b * 17 + 5);
}

// A frame buffer with guard bytes in every screen row and a colour table, with its canvas.
struct DrawRig {
    std::unique_ptr<FrameBuffer> fb = std::make_unique<FrameBuffer>(kGuardedRowLength);
    std::unique_ptr<ColorTables> colors = std::make_unique<ColorTables>();
    Canvas canvas{*fb, *colors, false};

    DrawRig() {
        fillSyntheticBlend(*colors);
        clear(0);
    }
    // Fills all surfaces with v and the screen's guard bytes with kGuardByte.
    void clear(uint8_t v) {
        for (int32_t y = 0; y < kScreenHeight; ++y) {
            uint8_t* row = &fb->screen[size_t(y) * kGuardedRowLength];
            std::fill(row, row + kScreenWidth, v);
            std::fill(row + kScreenWidth, row + kGuardedRowLength, kGuardByte);
        }
        std::fill(fb->background.begin(), fb->background.end(), v);
        for (auto* s : {&fb->menuBuffer, &fb->viewBackdrop}) std::fill(s->begin(), s->end(), v);
    }
    bool guardsIntact() const {
        for (int32_t y = 0; y < kScreenHeight; ++y) {
            const uint8_t* row = &fb->screen[size_t(y) * kGuardedRowLength];
            if (std::any_of(row + kScreenWidth, row + kGuardedRowLength,
                            [](uint8_t b) { return b != kGuardByte; }))
                return false;
        }
        return true;
    }
    uint8_t& px(int32_t x, int32_t y) { return fb->screen[size_t(y) * kGuardedRowLength + x]; }
    uint8_t& bg(int32_t x, int32_t y) { return fb->background[size_t(y) * 800 + x]; }
};

using PixelSet = std::set<std::pair<int32_t, int32_t>>;

// Pixels of an 800-column surface whose value differs from v.
inline PixelSet changedPixels(const SurfaceView& s, uint8_t v) {
    PixelSet out;
    for (int32_t y = 0; y < s.height; ++y)
        for (int32_t x = 0; x < s.width; ++x)
            if (s.at(x, y) != v) out.insert({x, y});
    return out;
}

// Whether every pixel of the surface outside the rectangle still holds v.
inline bool unchangedOutside(const SurfaceView& s, uint8_t v, const ClipRect& c) {
    for (int32_t y = 0; y < s.height; ++y) {
        const uint8_t* row = &s.at(0, y);
        const bool rowInside = y >= c.y0 && y <= c.y1;
        for (int32_t x = 0; x < s.width; ++x)
            if (row[x] != v && !(rowInside && x >= c.x0 && x <= c.x1)) return false;
    }
    return true;
}

// Whether the surface holds what the screen holds over the surface's rows and columns.
inline bool sameAsScreen(FrameBuffer& fb, const SurfaceView& other) {
    const SurfaceView screen = screenView(fb);
    for (int32_t y = 0; y < other.height; ++y)
        if (!std::equal(&screen.at(0, y), &screen.at(0, y) + other.width, &other.at(0, y)))
            return false;
    return true;
}

// Whether every changed pixel lies in the rectangle.
inline bool allInside(const PixelSet& set, const ClipRect& c) {
    for (const auto& [x, y] : set)
        if (x < c.x0 || x > c.x1 || y < c.y0 || y > c.y1) return false;
    return true;
}

// The file image of a 1-bit font sheet: 62 header bytes, then rows bottom first, most
// significant bit first, padded to 32 bits; ink(x, y) with y counted from the bottom.
inline std::string fontSheetFile(int32_t width, int32_t height,
                                 const std::function<bool(int32_t, int32_t)>& ink) {
    const size_t stride = 4 * ((size_t(width) + 31) / 32);
    std::string bytes(62 + stride * height, '\0');
    bytes[0] = 'B', bytes[1] = 'M';
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            if (ink(x, y)) bytes[62 + y * stride + x / 8] |= char(0x80 >> (x % 8));
    return bytes;
}

// The file image of a skin: 1078 header bytes, then 512 rows of 512 bytes, bottom row first.
inline std::string skinFile(const std::vector<uint8_t>& pixels) {
    std::string bytes(1078, '\0');
    bytes[0] = 'B', bytes[1] = 'M';
    bytes.append(reinterpret_cast<const char*>(pixels.data()), pixels.size());
    return bytes;
}

}  // namespace korvel::test
