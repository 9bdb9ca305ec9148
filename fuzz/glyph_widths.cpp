// Width files come from the data folder: any text gives widths within the glyph cells, and text
// measured and drawn with them stays consistent and inside its surfaces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
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
    static auto fonts = [] {
        auto f = std::make_unique<Fonts>();
        f->font5x7.assign(f->font5x7.size(), 255);
        f->font8x11.assign(f->font8x11.size(), 255);
        return f;
    }();
    const std::string text(reinterpret_cast<const char*>(data), size);
    parseGlyphWidths(text, 5, fonts->font5x7Widths);
    parseGlyphWidths(text, 8, fonts->font8x11Widths);
    for (size_t k = 0; k < 224; ++k)
        if (fonts->font5x7Widths[k] > 5 || fonts->font8x11Widths[k] > 8) std::abort();
    const std::string sample = text.substr(0, 48);
    const int32_t width = propTextWidth(*fonts, sample);
    if (width < -1 || width > int32_t(sample.size()) * 9) std::abort();
    (void)propTextWidthBold(*fonts, sample);
    (void)smallPropTextWidth(*fonts, sample);
    const Canvas cv{*fb, *colors, false};
    const int32_t x = 800 - width / 2, y = int32_t(size % 620) - 10;
    drawPropText(cv, *fonts, sample, x, y, 1);
    drawPropTextBoldBg(cv, *fonts, sample, -x, y, 2);
    drawPropTextBoldMenu(cv, *fonts, sample, x / 2, y, 3);
    drawSmallPropText(cv, *fonts, sample, x, 599 - y, 4);
    drawGlyphProp8x11(cv, *fonts, x, y, size > 0 ? data[0] : 0, 5, 2);
    drawGlyphProp5x7(cv, *fonts, x, y, size > 1 ? data[1] : 0, 5, 0);
    return 0;
}
