// Font sheets come from the data folder: any bytes must load or be refused, and text drawn with
// whatever loaded must stay inside its surfaces. The first byte picks the sheet.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "resources/ColorTables.h"
#include "ui/Fonts.h"
#include "ui/FrameBuffer.h"
#include "ui/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korvel;
    static auto fb = std::make_unique<FrameBuffer>();
    static auto colors = std::make_unique<ColorTables>();
    if (size < 1) return 0;
    auto fonts = std::make_unique<Fonts>();
    struct Sheet {
        std::vector<uint8_t>* pixels;
        int32_t width, height;
    };
    const Sheet sheets[4] = {{&fonts->font4x6, 64, 84},
                             {&fonts->font7x11, 112, 154},
                             {&fonts->font5x7, 80, 98},
                             {&fonts->font8x11, 128, 154}};
    const Sheet& s = sheets[data[0] % 4];
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (parseMonoBitmap(bytes, s.width, s.height, *s.pixels) != LoadStatus::Loaded) return 0;
    fonts->font5x7Widths.fill(5);
    fonts->font8x11Widths.fill(8);
    const Canvas cv{*fb, *colors, false};
    const std::string text = bytes.substr(0, 64);
    const int32_t x = int32_t(data[0]) * 4 - 200, y = int32_t(size % 700) - 50;
    drawText(cv, *fonts, text, x, y, 1);
    drawSmallTextOpaque(cv, *fonts, text, x, y, 2, 3);
    drawSmallTextMapClipped(cv, *fonts, text, x, y, 4);
    drawPropTextBold(cv, *fonts, text, x, y, 5);
    drawPropTextMenu(cv, *fonts, text, x, y, 6);
    drawSmallPropText(cv, *fonts, text, x, y, 7);
    drawGlyphMono7x11(cv, *fonts, x, y, data[0], 8, data[0] % 3);
    return 0;
}
