// The program's entry point. Until the editor starts up here, it shows a test picture: every
// colour of a synthetic palette of 12-shade ramps, to check the window, scaling and colours.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/sdl/SdlPlatform.h"

namespace {

using korvel::kFrameHeight;
using korvel::kFrameWidth;

korvel::Palette256 testPalette() {
    korvel::Palette256 palette{};
    // 21 hues of 12 shades each (dark to light), then four greys.
    for (int c = 0; c < 252; ++c) {
        const int ramp = c / 12, shade = c % 12;
        const int hue = ramp * 1536 / 21;  // 0..1535 around the colour wheel
        const int sector = hue / 256, f = hue % 256;
        int r = 0, g = 0, b = 0;
        switch (sector) {
            case 0:
                r = 255, g = f;
                break;
            case 1:
                r = 255 - f, g = 255;
                break;
            case 2:
                g = 255, b = f;
                break;
            case 3:
                g = 255 - f, b = 255;
                break;
            case 4:
                r = f, b = 255;
                break;
            default:
                r = 255, b = 255 - f;
                break;
        }
        auto scale = [shade](int v) { return v * (shade + 1) / 12; };
        palette[c] = {uint8_t(scale(r)), uint8_t(scale(g)), uint8_t(scale(b))};
    }
    for (int i = 0; i < 4; ++i)
        palette[252 + i] = {uint8_t(i * 85), uint8_t(i * 85), uint8_t(i * 85)};
    return palette;
}

// Rows counted from the bottom, as every surface of the program: the smooth ramp lies at the
// top of the window, the grid of all 256 colours below it, a white bar along the bottom edge.
std::vector<uint8_t> testFrame() {
    std::vector<uint8_t> frame(size_t(kFrameWidth) * kFrameHeight, 252);
    auto put = [&](int x, int y, uint8_t c) { frame[size_t(y) * kFrameWidth + x] = c; };
    for (int y = 440; y < 580; ++y)
        for (int x = 16; x < 784; ++x) put(x, y, uint8_t((x - 16) * 252 / 768));
    for (int c = 0; c < 256; ++c) {
        const int cx = 16 + (c % 16) * 48, cy = 40 + (15 - c / 16) * 24;
        for (int y = cy; y < cy + 22; ++y)
            for (int x = cx; x < cx + 46; ++x) put(x, y, uint8_t(c));
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < kFrameWidth; ++x) put(x, y, 255);
    return frame;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    auto platform = korvel::SdlPlatform::create(argc, argv, error);
    if (!platform) {
        std::fprintf(stderr, "korvel: %s\n", error.c_str());
        return 1;
    }
    bool running = true;
    platform->setCloseHandler([&running] { running = false; });
    const auto palette = testPalette();
    const auto frame = testFrame();
    // The picture never changes: it is presented once, and the platform draws it again when
    // the window is uncovered or resized.
    platform->present(frame.data(), palette);
    platform->showWindow();
    while (running) {
        platform->processEvents();
        platform->sleep(40);
    }
    return 0;
}
