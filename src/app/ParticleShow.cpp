#include "app/ParticleShow.h"

#include <cmath>

#include "app/EditorCanvas.h"
#include "app/FrameChrome.h"
#include "base/Mainm.h"
#include "ui/Raster.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kShowFrames = 200;

// Spark modes other than 1 and 2 (a hand-edited configuration) move like mode 0, so that every
// particle falls out of the list in the end.
int32_t effectiveMode(uint8_t sparkMode) {
    return sparkMode == 1 || sparkMode == 2 ? sparkMode : 0;
}

int32_t particleColour(Editor& ed, int32_t mode, const Particle& p) {
    switch (mode) {
        case 1: {
            const float r = randomSingle(ed.random);
            const int32_t c = safeFloor(double(float(p.shade) / 32.0f + 112.0f + 2.0f * r));
            return c > 119 ? 83 : c;
        }
        case 2:
            return speedColour(p.vx, p.vy);
        default:
            return lifeColour(p.shade);
    }
}

void moveParticle(Editor& ed, int32_t mode, Particle& p) {
    p.x += p.vx;
    p.y += p.vy;
    switch (mode) {
        case 1: {
            p.vy -= 0.04f;
            p.vx += float(std::sin(double(p.x / 4.0f + float(ed.loop.frameNumber) / 8.0f))) / 50.0f;
            p.vy /= 1.08f;
            p.vx /= 1.08f;
            const float r = randomSingle(ed.random);
            if (r < 0.3f && p.shade >= 1) --p.shade;
            break;
        }
        case 2: {
            p.vy = float(std::cos(double((p.y + p.x) / 4.0f))) + p.vy - 0.06f;
            p.vx = float(std::cos(double((p.x - p.y) / 4.0f))) + p.vx;
            p.vy /= 1.01f;
            p.vx /= 1.01f;
            const float r = randomSingle(ed.random);
            if (r < 0.3f && p.shade >= 1) --p.shade;
            break;
        }
        default:
            p.vy = (p.vy - 0.1f) / 1.01f;
            p.vx = p.vx / 1.01f;
            if (p.shade >= 1) --p.shade;
            break;
    }
}

int32_t roundEven(double v) {
    return safeFloor(std::nearbyint(v));
}

}  // namespace

int32_t lifeColour(int32_t life) {
    const int32_t k = uint8_t(life / 16);
    if (k >= 5 && k <= 8) return k + 120;
    if (k == 9 || k == 10) return k + 83;
    if (k == 11 || k == 12) return k + 59;
    if (k == 13) return 83;
    return k;
}

int32_t speedColour(float vx, float vy) {
    static constexpr int32_t kColours[12] = {8, 128, 92, 68, 212, 20, 152, 44, 104, 32, 114, 112};
    int32_t s = safeFloor(double(std::sqrt(vx * vx + vy * vy)));
    if (s >= 256) s = 255;
    return s >= 0 && s < 12 ? kColours[s] : 110;
}

void stepParticles(Editor& ed) {
    Particles& list = ed.particles;
    const int32_t mode = effectiveMode(ed.settings.sparkMode);
    const Canvas cv = canvasOf(ed);
    int32_t i = 0;
    while (i < list.particleCount) {
        Particle& p = list.particles[size_t(i)];
        const bool inside = p.x >= 1 && p.x < 799 && p.y >= 1 && p.y < 599;
        if (!inside && p.y < 1) {
            removeParticle(list, i);
            continue;
        }
        if (!inside) {
            if (p.x < 1) {
                p.vx = -p.vx / 1.5f;
                p.x = 1;
            }
            if (p.x > 798) {
                p.vx = -p.vx / 1.5f;
                p.x = 798;
            }
        } else {
            const int32_t c = particleColour(ed, mode, p);
            drawLineScreen(cv, safeFloor(p.x), safeFloor(p.y), safeFloor(double(p.x + p.vx)),
                           safeFloor(double(p.y + p.vy)), c);
        }
        moveParticle(ed, mode, p);
        ++i;
    }
}

void stepFireworkShow(Editor& ed) {
    Particles& list = ed.particles;
    if (list.screenEffectFrame >= kShowFrames) return;
    if (list.screenEffectFrame == 0)
        list.showPattern = safeFloor(double(randomSingle(ed.random)) * 10);
    const int32_t f = list.screenEffectFrame;
    const bool on = ed.settings.showSparks != 0;
    Random& rnd = ed.random;
    const auto add = [&](int32_t x, int32_t y, int32_t kind) {
        addParticle(list, rnd, on, x, y, kind);
    };
    const auto r = [&] { return double(randomSingle(rnd)); };
    switch (list.showPattern) {
        case 0:
            add(4 * f, 584, 1);
            add(800 - 4 * f, 584, 1);
            break;
        case 1:
            add(safeFloor(std::sin(f / 8.0) * (f + 100) + 400), 2 * f + 184, 1);
            add(safeFloor(std::sin((f + 0.5) / 8.0) * (f + 100.5) + 400), 2 * f + 184, 1);
            break;
        case 2:
            add(400, 584, 3);
            add(400, 584, 3);
            break;
        case 3:
            add(400, 300, 1);
            add(400, 300, 1);
            break;
        case 4:
            for (int32_t k = 0; k < 2; ++k) add(1, safeFloor(600 * r()), 3);
            for (int32_t k = 0; k < 2; ++k) add(798, safeFloor(600 * r()), 3);
            break;
        case 5:
            for (int32_t k = 0; k < 2; ++k) add(safeFloor(800 * r()), 1, 4);
            break;
        case 6:
            for (const double d : {0.0, 0.33, 0.66})
                add(roundEven(std::sin((f + d) / 8.0) * 350 + 400), 1, 7);
            break;
        case 7:
            add(roundEven(std::sin(f / 16.0) * 200 + 400), roundEven(std::cos(f / 16.0) * 200 + 360),
                1);
            add(roundEven(400 - std::sin(f / 16.0) * 200), 360, 1);
            add(400, roundEven(360 - std::cos(f / 16.0) * 200), 1);
            break;
        case 8:
            add(400, 1, 5);
            add(400, 1, 6);
            add(roundEven(std::sin(f / 8.0) * 300 + 400), 360, 0);
            add(roundEven(400 - std::sin(f / 8.0) * 300), 360, 0);
            break;
        default:
            add(1, 1, 5);
            add(798, 1, 6);
            break;
    }
    ++list.screenEffectFrame;
}

TooltipBox tooltipBox(int32_t mouseX, int32_t mouseY, int32_t w) {
    const int64_t mx = mouseX, my = mouseY;
    int64_t left, right, bottom, top;
    if (mx < 400) {
        left = mx + 5;
        right = mx + w + 10;
    } else {
        left = mx - w - 10;
        right = mx - 5;
    }
    if (my < 300) {
        bottom = my + 4;
        top = my + 18;
    } else {
        bottom = my - 24;
        top = my - 10;
    }
    if (left < 0) {
        right -= left;
        left = 0;
    }
    if (right >= 800) {
        left = left - right + 799;
        right = 799;
    }
    if (bottom < 0) {
        top -= bottom;
        bottom = 0;
    }
    if (top >= 600) {
        bottom = bottom - top + 599;
        top = 599;
    }
    return {int32_t(left), int32_t(bottom), int32_t(right), int32_t(top)};
}

void drawTooltip(Editor& ed) {
    const std::string& text = ed.app.tooltipText;
    if (text.empty()) return;
    const int32_t w = propTextWidth(ed.fonts, text);
    if (int64_t(w) + 6 >= 800) return;
    const TooltipBox b = tooltipBox(ed.input.mouseX, ed.input.mouseY, w);
    const SurfaceView scr = screenView(ed.frameBuffer);
    const auto& blend = ed.colorTables.blendTable;
    const auto at = [&](int32_t x, int32_t y) -> uint8_t* {
        if (x < 0 || y < 0 || x > kScreenRight || y > kScreenTop) return nullptr;
        return &scr.at(x, y);
    };
    const auto get = [&](int32_t x, int32_t y) -> uint8_t {
        const uint8_t* p = at(x, y);
        return p ? *p : 0;
    };
    uint8_t row[kScreenWidth + 2];
    for (int32_t y = b.bottom + 1; y <= b.top - 1; ++y) {
        // Every read of the row sees it as it was before the blur.
        for (int32_t x = b.left; x <= b.right && x <= kScreenRight; ++x)
            if (x >= 0) row[x] = get(x, y);
        const auto old = [&](int32_t x) { return x >= 0 && x <= kScreenRight ? row[x] : get(x, y); };
        for (int32_t x = b.left + 1; x <= b.right - 1; ++x) {
            uint8_t* p = at(x, y);
            if (!p) continue;
            uint8_t c = old(x - 1);
            if (x < 799) c = blend[size_t(c) * 256 + old(x)];
            if (x < 798) c = blend[size_t(old(x + 1)) * 256 + c];
            *p = blend[83 * 256 + size_t(c)];
        }
    }
    for (int32_t x = b.left; x <= b.right; ++x) {
        if (uint8_t* p = at(x, b.bottom)) *p = 0;
        if (uint8_t* p = at(x, b.top)) *p = 0;
    }
    for (int32_t y = b.bottom; y <= b.top; ++y) {
        if (uint8_t* p = at(b.left, y)) *p = 0;
        if (uint8_t* p = at(b.right, y)) *p = 0;
    }
    drawPropText(canvasOf(ed), ed.fonts, text, b.left + 3, b.bottom + 2, 0);
}

}  // namespace korvel
