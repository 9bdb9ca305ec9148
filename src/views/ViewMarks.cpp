#include "views/ViewMarks.h"

#include <algorithm>

#include "base/Mainm.h"
#include "base/Random.h"
#include "base/ValueConv.h"
#include "ui/Text.h"

namespace korvel {

namespace {

// blendTable rows the marks tint with.
constexpr int32_t kAreaTintRow = 53;
constexpr int32_t kCrosshairTintRow = 116;
// Half the crosshair's gap, plus one.
constexpr int64_t kCrosshairGap = 8;

bool rowInView(int64_t y) {
    return y >= kMapViewBottom && y <= kMapViewTop;
}
bool columnInView(int64_t x) {
    return x >= 0 && x <= kScreenRight;
}

void tint(const SurfaceView& s, const uint8_t* blend, int32_t row, int32_t x, int32_t y) {
    uint8_t& p = s.at(x, y);
    p = blend[row * 256 + p];
}

uint8_t ramp(int64_t n) {
    return rampColour(int16_t(std::clamp<int64_t>(n, -32768, 32767)));
}

// One edge pair of the box: the positions from b to a (each clamped to lo..hi) draw one random
// value each, which sets the ramp colour of both lines at that position.
template <typename Plot>
void rampEdges(Random& random, int64_t b, int64_t a, int64_t lo, int64_t hi, Plot plot) {
    const int64_t from = std::clamp(b, lo, hi), to = std::clamp(a, lo, hi);
    if (from == to) return;
    const double len = double(a - b);
    const int64_t step = to > from ? 1 : -1;
    for (int64_t p = from;; p += step) {
        const double rho = randomSingle(random);
        const int64_t n =
            safeFloor((double(p) + rho * len * 0.25 - len * 0.125 - double(a)) / len * 5);
        plot(p, n);
        if (p == to) break;
    }
}

}  // namespace

void drawAreaSelectBox(const Canvas& cv, Random& random, int32_t anchorX, int32_t anchorY,
                       int32_t hitX, int32_t hitY) {
    if (anchorX == hitX && anchorY == hitY) return;
    const SurfaceView s = screenView(cv.frame);
    const uint8_t* blend = cv.colors.blendTable.data();
    const int64_t xb = anchorX, yb = anchorY, xa = hitX, ya = hitY;
    if (xa != xb)
        rampEdges(random, xb, xa, 0, kScreenRight, [&](int64_t x, int64_t n) {
            if (rowInView(yb)) s.at(int32_t(x), int32_t(yb)) = ramp(-n);
            if (rowInView(ya)) s.at(int32_t(x), int32_t(ya)) = ramp(n + 6);
        });
    if (ya != yb)
        rampEdges(random, yb, ya, kMapViewBottom, kMapViewTop, [&](int64_t y, int64_t n) {
            if (columnInView(xb)) s.at(int32_t(xb), int32_t(y)) = ramp(-n);
            if (columnInView(xa)) s.at(int32_t(xa), int32_t(y)) = ramp(n + 6);
        });
    const int64_t left = std::clamp<int64_t>(std::min(xa, xb), 0, kScreenRight) + 1;
    const int64_t right = std::clamp<int64_t>(std::max(xa, xb), 0, kScreenRight) - 1;
    const int64_t bottom = std::clamp<int64_t>(std::min(ya, yb), kMapViewBottom, kMapViewTop) + 1;
    const int64_t top = std::clamp<int64_t>(std::max(ya, yb), kMapViewBottom, kMapViewTop) - 1;
    for (int64_t y = bottom; y <= top; ++y)
        for (int64_t x = left; x <= right; ++x)
            tint(s, blend, kAreaTintRow, int32_t(x), int32_t(y));
}

void drawCrosshair(const Canvas& cv, int32_t x, int32_t y) {
    const SurfaceView s = screenView(cv.frame);
    const uint8_t* blend = cv.colors.blendTable.data();
    const int64_t cx = x, cy = y;
    if (columnInView(cx)) {
        for (int64_t r = std::max<int64_t>(cy + kCrosshairGap, kMapViewBottom); r <= kMapViewTop;
             ++r)
            tint(s, blend, kCrosshairTintRow, x, int32_t(r));
        for (int64_t r = kMapViewBottom, top = std::min<int64_t>(cy - kCrosshairGap, kMapViewTop);
             r <= top; ++r)
            tint(s, blend, kCrosshairTintRow, x, int32_t(r));
    }
    if (rowInView(cy)) {
        for (int64_t c = std::max<int64_t>(cx + kCrosshairGap, 0); c <= kScreenRight; ++c)
            tint(s, blend, kCrosshairTintRow, int32_t(c), y);
        for (int64_t c = 0, right = std::min<int64_t>(cx - kCrosshairGap, kScreenRight); c <= right;
             ++c)
            tint(s, blend, kCrosshairTintRow, int32_t(c), y);
    }
}

void drawPointerText(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t mouseX,
                     int32_t mouseY, int32_t colour) {
    const int64_t w = 5 * int64_t(text.size());
    if (w >= kScreenWidth) return;
    int64_t x0, x1, y0, y1;
    if (mouseX < kViewCentreX) {
        x0 = int64_t(mouseX) + 2;
        x1 = int64_t(mouseX) + w + 2;
    } else {
        x0 = int64_t(mouseX) - w - 2;
        x1 = int64_t(mouseX) - 2;
    }
    if (mouseY < kViewCentreY) {
        y0 = int64_t(mouseY) + 2;
        y1 = int64_t(mouseY) + 8;
    } else {
        y0 = int64_t(mouseY) - 8;
        y1 = int64_t(mouseY) - 2;
    }
    if (x0 < 0) {
        x1 -= x0;
        x0 = 0;
    }
    if (x1 > kScreenRight) {
        x0 -= x1 - kScreenRight;
        x1 = kScreenRight;
    }
    if (y0 < kMapViewBottom) {
        y1 += kMapViewBottom - y0;
        y0 = kMapViewBottom;
    }
    if (y1 > kMapViewTop) {
        y0 -= y1 - kMapViewTop;
        y1 = kMapViewTop;
    }
    const int32_t x = int32_t(x0), y = int32_t(y0);
    const int32_t outline = colour - 5;
    drawSmallTextMapClipped(cv, fonts, text, x + 1, y, outline);
    drawSmallTextMapClipped(cv, fonts, text, x - 1, y, outline);
    drawSmallTextMapClipped(cv, fonts, text, x, y + 1, outline);
    drawSmallTextMapClipped(cv, fonts, text, x, y - 1, outline);
    drawSmallTextMapClipped(cv, fonts, text, x, y, colour);
}

void drawSnapMark(const Canvas& cv, int32_t x, int32_t y, int32_t colour) {
    if (x < 1 || x > kScreenRight - 1 || y < kMapViewBottom + 1 || y > kMapViewTop - 1) return;
    const SurfaceView s = screenView(cv.frame);
    const uint8_t c = uint8_t(colour);
    s.at(x, y) = uint8_t(colour + 4);
    s.at(x - 1, y) = c;
    s.at(x + 1, y) = c;
    s.at(x, y - 1) = c;
    s.at(x, y + 1) = c;
}

}  // namespace korvel
