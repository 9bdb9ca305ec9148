// An editor started on the generated data folder for tests of the frame chrome, with probes
// that tell whether a text or a colour shows at a place of the screen.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/EditorCanvas.h"
#include "app/Startup.h"
#include "support/EditorRig.h"
#include "ui/Text.h"

namespace korvel::test {

using TextDrawer = void (*)(const Canvas&, const Fonts&, const std::string&, int32_t, int32_t,
                            int32_t);

struct ChromeRig : EditorRig {
    ChromeRig() {
        EXPECT_TRUE(startup(*ed));
        ed->particles.screenEffectFrame = 200;  // no firework show unless a test starts one
        clearScreen(0);
    }
    void clearScreen(uint8_t c) { std::fill(screen().begin(), screen().end(), c); }
    std::vector<uint8_t>& screen() { return ed->frameBuffer.screen; }
    uint8_t px(int32_t x, int32_t y) {
        return ed->frameBuffer.screen[size_t(y) * size_t(ed->frameBuffer.screenRowLength) +
                                      size_t(x)];
    }
    // Every ink pixel of the text, drawn by `draw` at (x, y), shows in colour on the screen.
    bool shows(const std::string& text, int32_t x, int32_t y, int32_t colour,
               TextDrawer draw = &drawText) {
        FrameBuffer scratch;
        std::fill(scratch.screen.begin(), scratch.screen.end(), uint8_t(0));
        draw(Canvas{scratch, ed->colorTables, false}, ed->fonts, text, x, y, 1);
        int32_t ink = 0;
        for (int32_t yy = 0; yy < kScreenHeight; ++yy)
            for (int32_t xx = 0; xx < kScreenWidth; ++xx) {
                if (scratch.screen[size_t(yy) * kScreenWidth + size_t(xx)] != 1) continue;
                ++ink;
                if (px(xx, yy) != uint8_t(colour)) return false;
            }
        return ink > 0;
    }
    std::string msg(int32_t n, const std::string& a1 = "", const std::string& a2 = "") {
        return getMessage(n, ed->langs, a1, a2);
    }
};

}  // namespace korvel::test
