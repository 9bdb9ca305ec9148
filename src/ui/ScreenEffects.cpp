#include "ui/ScreenEffects.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/Editor.h"
#include "base/Mainm.h"
#include "base/Random.h"
#include "platform/Platform.h"
#include "ui/FrameBuffer.h"
#include "ui/Sparks.h"

namespace korvel {

namespace {

constexpr size_t kCopyRow = size_t(kScreenWidth);

// The finished screen into screenCopy (rows of 800), and the screen cleared to colour 0.
void takeScreenCopy(FrameBuffer& fb) {
    const SurfaceView s = screenView(fb);
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        std::memcpy(&fb.screenCopy[size_t(y) * kCopyRow], &s.at(0, y), kCopyRow);
        std::memset(&s.at(0, y), 0, kCopyRow);
    }
}

}  // namespace

void scrollScreenImage(FrameBuffer& fb, Platform& platform, int32_t dx, int32_t dy) {
    takeScreenCopy(fb);
    const SurfaceView s = screenView(fb);
    const int64_t x0 = std::max<int64_t>(0, -int64_t(dx));
    const int64_t x1 = std::min<int64_t>(kScreenWidth - 1, int64_t(kScreenWidth) - 1 - dx);
    const int64_t y0 = std::max<int64_t>(0, -int64_t(dy));
    const int64_t y1 = std::min<int64_t>(kScreenHeight - 1, int64_t(kScreenHeight) - 1 - dy);
    if (x0 <= x1)
        for (int64_t j = y0; j <= y1; ++j)
            std::memcpy(&s.at(int32_t(x0), int32_t(j)),
                        &fb.screenCopy[size_t(j + dy) * kCopyRow + size_t(x0 + dx)],
                        size_t(x1 - x0 + 1));
    const PointerPos p = platform.pointerPosition();
    platform.warpPointer(int32_t(int64_t(p.x) - dx / 2), int32_t(int64_t(p.y) - dy / 2));
}

void rotateScreenImage(FrameBuffer& fb, float angle) {
    takeScreenCopy(fb);
    const SurfaceView s = screenView(fb);
    const float sn = std::sin(angle), cs = std::cos(angle);
    const double sd = sn, cd = cs;
    // The source of each pixel steps in 16.16 fixed point; no trigonometry inside the loops.
    int64_t rowX = safeFloor((300 * cd - 400 * sd + 400) * 65536);
    int64_t rowY = safeFloor((300 - (300 * sd + 400 * cd)) * 65536);
    const int64_t dXc = safeFloor(sd * 65536), dYc = safeFloor(cd * 65536);
    const int64_t dXr = safeFloor(-cd * 65536), dYr = safeFloor(sd * 65536);
    const uint8_t* copy = fb.screenCopy.data();
    // The source is truncated towards zero: it lies on the screen for x and y in
    // (-65536, 800 * 65536) and (-65536, 600 * 65536). Along a row both step linearly, so the
    // columns taking a pixel form one run; the ends are found first and the run copied without
    // tests, a negative coordinate within the first unit reading column or row 0.
    constexpr int64_t kEndX = int64_t(kScreenWidth) * 65536, kEndY = int64_t(kScreenHeight) * 65536;
    const auto inside = [](int64_t x, int64_t y) {
        return x > -65536 && x < kEndX && y > -65536 && y < kEndY;
    };
    for (int32_t i = 0; i < kScreenHeight; ++i, rowX += dXr, rowY += dYr) {
        int32_t first = 0, last = kScreenWidth - 1;
        while (first <= last && !inside(rowX + first * dXc, rowY + first * dYc)) ++first;
        while (last >= first && !inside(rowX + last * dXc, rowY + last * dYc)) --last;
        uint8_t* row = &s.at(0, i);
        int64_t x = rowX + first * dXc, y = rowY + first * dYc;
        for (int32_t j = first; j <= last; ++j, x += dXc, y += dYc)
            row[j] = copy[size_t(std::max<int64_t>(y, 0) >> 16) * kCopyRow +
                          size_t(std::max<int64_t>(x, 0) >> 16)];
    }
}

void initSparks(Sparks& sp, int32_t sparkCount, Random& random) {
    const int32_t n = std::clamp(sparkCount, 0, kMaxSparks);
    for (int32_t i = 1; i < n; ++i) {
        sp.sparkX[size_t(i)] = double(randomSingle(random) * 800.0f);
        sp.sparkY[size_t(i)] = double(randomSingle(random) * 456.0f + 128.0f);
        sp.sparkVelX[size_t(i)] = sp.sparkVelY[size_t(i)] = 0;
    }
    struct Step {
        int32_t colourClass;  // -1: drawn per spark
        double mass;
    };
    static constexpr Step kSteps[] = {{6, 128}, {6, 384}, {6, 32}, {-1, 128},
                                      {2, 128}, {3, 256}, {5, 1024}, {5, 256}};
    if (sp.sparkColorCycle < std::size(kSteps)) {
        const Step& step = kSteps[sp.sparkColorCycle];
        for (int32_t i = 0; i < n; ++i) {
            int32_t c = step.colourClass;
            if (c < 0) c = safeFloor(double(randomSingle(random)) * 2);
            if (sp.sparkColorCycle == 7 && i == 0) c = 2;
            sp.sparkColors[size_t(i)] = uint8_t(c);
            sp.sparkMass[size_t(i)] = step.mass;
        }
    }
    for (int32_t i = 0; i < n; ++i) {
        double& mass = sp.sparkMass[size_t(i)];
        sp.sparkRadius[size_t(i)] = std::sqrt(mass);
        switch (sp.sparkColors[size_t(i)]) {
            case 1: mass = -mass; break;
            case 2: mass *= 16; break;
            case 3: mass /= 16; break;
            case 4: mass *= 64; break;
            case 5: mass /= 64; break;
            default: break;
        }
    }
}

void rotateScreenImage(Editor& ed, float angle) {
    rotateScreenImage(ed.frameBuffer, angle);
}

void scrollScreenImage(Editor& ed, int32_t dx, int32_t dy) {
    if (ed.app.platform != nullptr) scrollScreenImage(ed.frameBuffer, *ed.app.platform, dx, dy);
}

void initSparks(Editor& ed) {
    initSparks(ed.pages.sparksToy, ed.pages.sparksToy.sparkCount, ed.random);
}

}  // namespace korvel
