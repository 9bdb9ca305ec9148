#include "views/PieChart.h"

#include <cmath>

#include "base/Mainm.h"
#include "ui/Raster.h"

namespace korvel {

namespace {

constexpr double kUnitsPerRadian = 10430.378350470464;
constexpr double kSqrt3 = 1.732;

void put(const SurfaceView& bg, int64_t col, int64_t row, int32_t value) {
    if (col < 0 || row < 0 || col >= bg.width || row >= bg.height) return;
    bg.at(int32_t(col), int32_t(row)) = uint8_t(value);
}

}  // namespace

void drawPieChart(const Canvas& cv, Random& random, int32_t x, int32_t y, int32_t r, int32_t t,
                  int32_t a, uint8_t c1, uint8_t c2) {
    if (r < 4 || r > 1000 || t < 0 || t > 1000) return;
    const SurfaceView bg = backgroundView(cv.frame);
    const int32_t ry = safeFloor(r / kSqrt3);
    const int32_t ex = safeFloor(x - r * std::cos(a / kUnitsPerRadian) + 0.5);
    const int32_t ey = safeFloor(y - ry * std::sin(a / kUnitsPerRadian) + 0.5);

    // The rim: the lower edge of the ellipse, t rows deep, lighter towards the front.
    for (int32_t col = x - r; col <= x + r; ++col) {
        const double u = double(col - x) / r;
        const int32_t yy = safeFloor(y - ry * std::sin(arcCos(u)));
        const int32_t colour = (a < 32768 && col >= ex) ? c2 : c1;
        const float f = float((colour + 3) + 4.0 * (y - yy) / r);
        for (int32_t row = yy - t; row <= yy; ++row)
            put(bg, col, row, safeFloor(f + randomSingle(random)));
    }

    // The top face, darker towards its edge.
    const int32_t quarter = r / 4;
    for (int32_t col = x - r; col <= x + r; ++col)
        for (int32_t row = y - ry; row <= y + ry; ++row) {
            const int32_t d = distLong(x, safeFloor(kSqrt3 * y), col, safeFloor(kSqrt3 * row));
            if (d >= r) continue;
            int32_t g = angleOf65536(safeFloor(-kSqrt3 * y), x, safeFloor(-kSqrt3 * row), col);
            g = ((g % 65536) + 65536) % 65536;
            const int32_t colour = g > a + 128 ? c2 : c1;
            const float rnd = randomSingle(random);
            put(bg, col, row, safeFloor((colour + 10) - double(d) / quarter + rnd));
        }

    // The outline of the top face and of the rim's lower edge.
    int64_t uu = int64_t(x) * 65536, vv = (int64_t(y) + ry + 1) * 65536;
    for (int32_t i = 0; i < 363; ++i) {
        uu = safeFloor(double(vv - int64_t(y) * 65536) / 33.333 + double(uu));
        vv = safeFloor(double(vv) - double(uu - int64_t(x) * 65536) / 100);
        const int64_t col = uu / 65536, row = vv / 65536;
        put(bg, col, row, 0);
        if (row < y) put(bg, col, row - t, 0);
    }
    for (int32_t i = 0; i <= t; ++i) {
        put(bg, int64_t(x) - r - 1, int64_t(y) - i, 0);
        put(bg, int64_t(x) + r, int64_t(y) - i, 0);
    }
    if (a < 32768)
        for (int32_t i = 0; i <= t + 1; ++i) put(bg, ex, int64_t(ey) - i, 0);
    drawLineBg(cv, x, y, ex, ey, 0);
    drawLineBg(cv, x, y, x - r, y, 0);
}

}  // namespace korvel
