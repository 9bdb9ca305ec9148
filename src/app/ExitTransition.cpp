#include "app/ExitTransition.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/Editor.h"
#include "app/EditorInit.h"
#include "base/Mainm.h"

namespace korvel {

namespace {

constexpr int32_t kSteps[kExitTransitions] = {32, 30, 32, 64, 64, 40, 50};

struct Surfaces {
    SurfaceView screen;
    std::vector<uint8_t> saved;  // S: the picture the transition started from
    const ColorTables& colors;

    uint8_t shade(int32_t level, uint8_t c) const {
        return colors.displayShades[size_t(std::clamp(level, 0, 31)) * 256 + c];
    }
    uint8_t s(int32_t x, int32_t y) const { return saved[size_t(y) * kScreenWidth + size_t(x)]; }
};

void clearSpan(const SurfaceView& v, int32_t y, int32_t x0, int32_t x1) {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, kScreenWidth - 1);
    if (x0 <= x1) std::memset(&v.at(x0, y), 0, size_t(x1 - x0 + 1));
}

int32_t roundNearest(double v) {
    return int32_t(std::nearbyint(v));
}

void step(Surfaces& sf, int32_t k, int32_t i, double& scale) {
    const SurfaceView& v = sf.screen;
    switch (k) {
        case 0:
            for (int32_t y = 0; y < kScreenHeight; ++y)
                for (int32_t x = 0; x < kScreenWidth; ++x) v.at(x, y) = sf.shade(i, sf.s(x, y));
            break;
        case 1:
            for (int32_t y = 0; y < kScreenHeight; ++y) {
                if (y <= 10 * i || y >= 600 - 10 * i) {
                    clearSpan(v, y, 0, kScreenWidth - 1);
                    continue;
                }
                clearSpan(v, y, 0, 10 * i - 1);
                if (i >= 1) clearSpan(v, y, kScreenWidth - 10 * i, kScreenWidth - 1);
            }
            break;
        case 2:
            scale *= 1.2;
            for (int32_t y = 0; y < kScreenHeight; ++y)
                for (int32_t x = 0; x < kScreenWidth; ++x) {
                    const int32_t sx = roundNearest((x - 400) * scale + 400);
                    uint8_t c = 0;
                    if (sx >= 0 && sx < kScreenWidth) {
                        const int32_t sy = roundNearest((y - 300) * scale + 300);
                        if (sy >= 1 && sy < kScreenHeight) c = sf.shade(i, sf.s(sx, sy));
                    }
                    v.at(x, y) = c;
                }
            break;
        case 3:
            for (int32_t x = 0; x < kScreenWidth; ++x) {
                const int32_t lower = i - x / 50, upper = x / 50 + i - 16;
                for (int32_t y = 0; y < 300; ++y) v.at(x, y) = sf.shade(lower, sf.s(x, y));
                for (int32_t y = 300; y < kScreenHeight; ++y)
                    v.at(x, y) = sf.shade(upper, sf.s(x, y));
            }
            break;
        case 4:
            for (int32_t y = 0; y < kScreenHeight; ++y) {
                const int32_t level = safeFloor(std::abs(y - 300) / 300.0 * 32 - 32 + i);
                for (int32_t x = 0; x < kScreenWidth; ++x) v.at(x, y) = sf.shade(level, sf.s(x, y));
            }
            break;
        case 5:
            for (int32_t y = 0; y < kScreenHeight; y += 2) {
                const int32_t n = 20 * i + 20;
                clearSpan(v, y, 0, n - 1);
                clearSpan(v, y + 1, 780 - 20 * i, kScreenWidth - 1);
            }
            break;
        case 6:
            for (int32_t cy = 0; cy < kScreenHeight; cy += 50)
                for (int32_t cx = 0; cx < kScreenWidth; cx += 50) {
                    clearSpan(v, cy + i, cx, cx + 49);
                    for (int32_t y = cy; y < cy + 50; ++y) v.at(cx + 49 - i, y) = 0;
                }
            break;
        default:
            break;
    }
}

}  // namespace

int32_t exitTransitionSteps(int32_t k) {
    return k >= 0 && k < kExitTransitions ? kSteps[k] : 0;
}

void runExitTransition(FrameBuffer& fb, const ColorTables& colors, int32_t k,
                       const std::function<void()>& afterStep) {
    if (k < 0 || k >= kExitTransitions) return;
    Surfaces sf{screenView(fb), {}, colors};
    if (k == 0 || k == 2 || k == 3 || k == 4) {
        sf.saved.resize(size_t(kScreenWidth) * kScreenHeight);
        for (int32_t y = 0; y < kScreenHeight; ++y)
            std::memcpy(&sf.saved[size_t(y) * kScreenWidth], &sf.screen.at(0, y), kScreenWidth);
    }
    double scale = 1.0;
    for (int32_t i = 0; i < kSteps[k]; ++i) {
        step(sf, k, i, scale);
        if (afterStep) afterStep();
    }
}

bool playExitTransition(Editor& ed) {
    const bool saved = saveConfig(ed);
    if (!ed.settings.exitEffect) return saved;
    const int32_t k = safeFloor(double(randomSingle(ed.random)) * kExitTransitions);
    Platform& p = *ed.app.platform;
    const auto delay = uint32_t(std::clamp(ed.settings.frameDelay, 0, 1000));
    runExitTransition(ed.frameBuffer, ed.colorTables, k, [&] {
        presentScreen(ed.frameBuffer, p);
        p.processEvents();
        if (delay > 0) p.sleep(delay);
    });
    return saved;
}

}  // namespace korvel
