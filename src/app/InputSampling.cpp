#include "app/InputSampling.h"

#include <cmath>
#include <cstdlib>

#include "app/Editor.h"
#include "app/InputState.h"
#include "app/Settings.h"

namespace korvel {

namespace {

int32_t wrapSub(int32_t a, int32_t b) {
    return int32_t(uint32_t(a) - uint32_t(b));
}
int32_t wrapAdd(int32_t a, int32_t b) {
    return int32_t(uint32_t(a) + uint32_t(b));
}

int32_t nearestInt(double v) {
    if (!(v > -2147483648.0 && v < 2147483647.0)) return 0;
    return int32_t(std::nearbyint(v));
}

PointerPos plainLock(PointerPos p, PointerPos a) {
    const int64_t dx = int64_t(p.x) - a.x, dy = int64_t(p.y) - a.y;
    if (std::llabs(dy) >= std::llabs(dx))
        p.x = a.x;
    else
        p.y = a.y;
    return p;
}

// An axis of the affine grid. Its squared length needs up to 63 bits: computed in 32 bits it
// would wrap.
struct Axis {
    int64_t x, y;
    uint64_t squaredLength() const { return uint64_t(x * x) + uint64_t(y * y); }
    double length() const { return std::sqrt(double(x) * double(x) + double(y) * double(y)); }
};

// Largest integer whose square is at most n (n below 2^64, so the root is below 2^32).
uint64_t isqrt64(uint64_t n) {
    uint64_t r = uint64_t(std::sqrt(double(n)));
    if (r > 0xFFFFFFFFu) r = 0xFFFFFFFFu;
    while (r > 0 && r * r > n) --r;
    while (r < 0xFFFFFFFFu && (r + 1) * (r + 1) <= n) ++r;
    return r;
}

}  // namespace

bool isModifierKey(int k) {
    return (k >= 0 && k <= 6) || k == 16 || k == 17 || (k >= 160 && k <= 163) || k == 255;
}

void sampleKey(InputState& in, int k, int16_t state, int32_t repeatStart, int32_t repeatDelay) {
    const size_t i = size_t(k);
    in.keyStates[256 + i] = in.keyStates[i];
    in.keyStates[i] = state;
    in.keyPressed[i] = 0;
    if (!keyIsDown(state)) {
        in.keyDownTime[i] = 0;
        in.keyRepeatCount[i] = 0;
        return;
    }
    const bool wasUp = !keyIsDown(in.keyStates[256 + i]);
    if (wasUp && !isModifierKey(k)) in.keyPressedThisFrame = 1;
    in.keyDownTime[i] = in.frameTime;
    if (wasUp) {
        in.keyPressed[i] = 1;
        in.keyRepeatTime[i] = in.frameTime;
    }
    if (wrapSub(in.keyDownTime[i], in.keyRepeatTime[i]) >= repeatStart) {
        in.keyPressed[i] = 1;
        in.keyRepeatTime[i] = wrapSub(wrapAdd(repeatDelay, in.frameTime), repeatStart);
        ++in.keyRepeatCount[i];
    }
}

PointerPos lockToAxis(PointerPos p, PointerPos a, const Settings& s) {
    if (s.affineGridMode == 0) return plainLock(p, a);
    if (p.x == a.x && p.y == a.y) return p;
    const Axis axisA{s.affineGridXx, s.affineGridYx}, axisB{s.affineGridXy, s.affineGridYy};
    const double dx = double(p.x) - a.x, dy = double(p.y) - a.y;
    auto distance = [&](const Axis& v) {
        const double len = v.length();
        if (len == 0) return HUGE_VAL;
        return std::fabs(double(v.x) * dy - double(v.y) * dx) / len;
    };
    const double toA = distance(axisA), toB = distance(axisB);
    if (toA == HUGE_VAL && toB == HUGE_VAL) return plainLock(p, a);
    const Axis& v = toA < toB ? axisA : axisB;
    const double len = v.length();
    const uint64_t whole = isqrt64(v.squaredLength());
    const uint64_t inv = whole > 0 ? 65536 / whole : 0;
    const double along = (double(v.x) * dx + double(v.y) * dy) / len;
    double tx, ty;
    if (inv > 0) {
        // The projection in 16.16 steps of the axis.
        const double t = std::nearbyint(along * double(inv));
        tx = std::trunc(t * double(v.x) / 65536.0);
        ty = std::trunc(t * double(v.y) / 65536.0);
    } else {
        // An axis longer than 65536 has no 16.16 step; it is projected exactly.
        tx = std::nearbyint(along * double(v.x) / len);
        ty = std::nearbyint(along * double(v.y) / len);
    }
    return {nearestInt(double(a.x) + tx), nearestInt(double(a.y) + ty)};
}

void sampleLiveInput(InputState& in, PointerPos& anchor, const Settings& s, Platform& platform,
                     uint32_t loopStartTick) {
    in.frameTime = int32_t(platform.ticks() - loopStartTick);
    in.keyPressedThisFrame = 0;
    for (int k = 0; k < 256; ++k)
        sampleKey(in, k, platform.keyState(k), s.repeatStart, s.repeatDelay);

    in.prevMouseX2 = in.prevMouseX;
    in.prevMouseY2 = in.prevMouseY;
    in.prevMouseX = in.mouseX;
    in.prevMouseY = in.mouseY;
    PointerPos p = platform.pointerPosition();
    if (!keyIsDown(in.keyStates[kAxisLockKey])) {
        anchor = p;
    } else {
        p = lockToAxis(p, anchor, s);
        anchor = p;
        platform.warpPointer(p.x, p.y);
    }
    // The platform's pointer is in frame pixels already: the window's corner is (0, 0).
    in.mouseX = p.x;
    in.mouseY = wrapSub(kFrameHeight - 1, p.y);
}

void sampleInput(Editor& ed) {
    if (ed.demo.demoRecording || ed.demo.demoFrameIndex < 0) {
        sampleLiveInput(ed.input, ed.loop.axisLockAnchor, ed.settings, *ed.app.platform,
                        ed.loop.loopStartTick);
        if (ed.demo.demoFrameIndex >= 0) ed.calls.recordDemoFrame(ed);
    } else {
        ed.calls.replayDemoFrame(ed);
    }
}

}  // namespace korvel
