#include "app/InputSampling.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "app/InputState.h"
#include "app/Settings.h"
#include "platform/HeadlessPlatform.h"
#include "support/TempFolder.h"

namespace korvel {
namespace {

struct SamplingRig {
    TempFolder dir;
    HeadlessPlatform platform{dir.path()};
    InputState in;
    Settings settings;
    PointerPos anchor;

    void frame() { sampleLiveInput(in, anchor, settings, platform, 0); }
};

TEST(InputSampling, PressThenAutoRepeatAfterStartThenEveryDelay) {
    SamplingRig r;
    r.settings.repeatStart = 500;
    r.settings.repeatDelay = 50;
    std::vector<int32_t> pressedAt;
    r.platform.setKeyDown('A', true);
    for (int32_t t = 0; t <= 600; t += 10) {
        r.platform.setClock(uint32_t(t));
        r.frame();
        if (r.in.keyPressed['A']) pressedAt.push_back(t);
        EXPECT_EQ(r.in.keyDownTime['A'], t);
    }
    EXPECT_EQ(pressedAt, (std::vector<int32_t>{0, 500, 550, 600}));
    EXPECT_EQ(r.in.keyRepeatCount['A'], 3);
    EXPECT_TRUE(keyIsDown(r.in.keyStates['A']));
    EXPECT_TRUE(keyIsDown(r.in.keyStates[256 + 'A']));

    r.platform.setKeyDown('A', false);
    r.frame();
    EXPECT_EQ(r.in.keyPressed['A'], 0);
    EXPECT_EQ(r.in.keyDownTime['A'], 0);
    EXPECT_EQ(r.in.keyRepeatCount['A'], 0);
    EXPECT_TRUE(keyIsDown(r.in.keyStates[256 + 'A'])) << "the previous frame's state is kept";
}

TEST(InputSampling, FrameTimeWrapsWithTheTickCount) {
    SamplingRig r;
    r.settings.repeatStart = 500;
    r.platform.setClock(5);
    sampleLiveInput(r.in, r.anchor, r.settings, r.platform, UINT32_MAX - 4);
    EXPECT_EQ(r.in.frameTime, 10);
    // A key held across the wrap of frameTime still repeats on time.
    r.platform.setKeyDown('B', true);
    r.in.frameTime = INT32_MAX - 100;
    sampleKey(r.in, 'B', kKeyDownBit, 500, 50);
    r.in.frameTime = int32_t(uint32_t(INT32_MAX) + 399u);
    sampleKey(r.in, 'B', kKeyDownBit, 500, 50);
    EXPECT_EQ(r.in.keyPressed['B'], 0);
    r.in.frameTime = int32_t(uint32_t(INT32_MAX) + 400u);
    sampleKey(r.in, 'B', kKeyDownBit, 500, 50);
    EXPECT_EQ(r.in.keyPressed['B'], 1);
}

TEST(InputSampling, ModifiersNeverCountAsTypedKeys) {
    struct Case {
        int key;
        bool typed;
    };
    for (const Case c : {Case{16, false},
                         {17, false},
                         {160, false},
                         {163, false},
                         {1, false},
                         {4, false},
                         {255, false},
                         {18, true},
                         {164, true},
                         {'Q', true},
                         {32, true}}) {
        SCOPED_TRACE(c.key);
        SamplingRig r;
        r.platform.setKeyDown(c.key, true);
        r.frame();
        EXPECT_EQ(r.in.keyPressedThisFrame, c.typed);
        EXPECT_EQ(r.in.keyPressed[size_t(c.key)], 1) << "every key gets its press";
        r.frame();
        EXPECT_EQ(r.in.keyPressedThisFrame, 0) << "only the frame it goes down";
    }
}

TEST(InputSampling, PointerYIsFlippedAndTheLastThreePositionsKept) {
    SamplingRig r;
    r.platform.setPointer(0, 0);
    r.frame();
    EXPECT_EQ(r.in.mouseX, 0);
    EXPECT_EQ(r.in.mouseY, 599);
    r.platform.setPointer(10, 20);
    r.frame();
    r.platform.setPointer(30, 40);
    r.frame();
    EXPECT_EQ(r.in.mouseX, 30);
    EXPECT_EQ(r.in.mouseY, 559);
    EXPECT_EQ(r.in.prevMouseX, 10);
    EXPECT_EQ(r.in.prevMouseY, 579);
    EXPECT_EQ(r.in.prevMouseX2, 0);
    EXPECT_EQ(r.in.prevMouseY2, 599);
    EXPECT_TRUE(r.platform.warps().empty());
}

TEST(InputSampling, AxisLockFollowsTheLockedPosition) {
    SamplingRig r;
    r.platform.setPointer(100, 100);
    r.frame();
    r.platform.setKeyDown(kAxisLockKey, true);
    r.platform.setPointer(110, 103);  // 10 right, 3 down: only the horizontal motion stays
    r.frame();
    EXPECT_EQ(r.in.mouseX, 110);
    EXPECT_EQ(r.in.mouseY, 599 - 100);
    ASSERT_EQ(r.platform.warps().size(), 1u);
    EXPECT_EQ(r.platform.warps()[0].x, 110);
    EXPECT_EQ(r.platform.warps()[0].y, 100);
    r.platform.setPointer(115, 108);  // from the locked position: 5 right, 8 down
    r.frame();
    EXPECT_EQ(r.in.mouseX, 110);
    EXPECT_EQ(r.in.mouseY, 599 - 108);
}

TEST(InputSampling, AxisLockCases) {
    struct Case {
        const char* name;
        int32_t mode, xx, xy, yx, yy;
        PointerPos to;  // from the anchor (100, 100)
        PointerPos expected;
        int32_t slack = 0;  // how far x may fall short where the axis has no exact 16.16 step
    };
    const Case cases[] = {
        {"plain, horizontal wins", 0, 0, 0, 0, 0, {110, 103}, {110, 100}},
        {"plain, a tie keeps the vertical", 0, 0, 0, 0, 0, {105, 105}, {100, 105}},
        {"unit axes lock like the plain lock", 1, 1, 0, 0, 1, {110, 103}, {110, 100}},
        {"unit axes, a tie keeps the vertical", 1, 1, 0, 0, 1, {105, 105}, {100, 105}},
        {"1024 axes", 1, 1024, 0, 0, 1024, {97, 120}, {100, 120}},
        {"a diagonal axis", 1, 1024, 0, 1024, 1024, {110, 111}, {110, 110}},
        {"a zero axis is never chosen", 1, 0, 0, 0, 1024, {130, 101}, {100, 101}},
        {"both axes zero: the plain lock", 1, 0, 0, 0, 0, {130, 101}, {130, 100}},
        {"squares that wrap 32 bits", 1, 50000, 0, 0, 50000, {110, 103}, {110, 100}, 3},
        {"an axis longer than 16.16", 1, 70000, 0, 0, 70000, {110, 103}, {110, 100}},
        {"extreme components",
         1,
         INT32_MIN,
         INT32_MAX,
         INT32_MAX,
         INT32_MIN,
         {110, 103},
         {104, 96},
         1},
        {"no motion", 1, 1, 0, 0, 1, {100, 100}, {100, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Settings s;
        s.affineGridMode = c.mode;
        s.affineGridXx = c.xx;
        s.affineGridXy = c.xy;
        s.affineGridYx = c.yx;
        s.affineGridYy = c.yy;
        const PointerPos p = lockToAxis(c.to, {100, 100}, s);
        EXPECT_LE(std::abs(p.x - c.expected.x), c.slack);
        EXPECT_LE(std::abs(p.y - c.expected.y), c.slack);
    }
}

}  // namespace
}  // namespace korvel
