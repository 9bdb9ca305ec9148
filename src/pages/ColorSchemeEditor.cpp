#include "pages/ColorSchemeEditor.h"

#include <cmath>

#include "base/Mainm.h"
#include "ui/ColorSettings.h"
#include "ui/Languages.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kListRows = 29;
constexpr int32_t kFirstNameMessage = 1217;

void hline(const SurfaceView& s, int32_t y, int32_t xa, int32_t xb, uint8_t c) {
    for (int32_t x = xa; x <= xb; ++x)
        if (x >= 0 && x < s.width && y >= 0 && y < s.height) s.at(x, y) = c;
}

void vline(const SurfaceView& s, int32_t x, int32_t ya, int32_t yb, uint8_t c) {
    for (int32_t y = ya; y <= yb; ++y)
        if (x >= 0 && x < s.width && y >= 0 && y < s.height) s.at(x, y) = c;
}

}  // namespace

void drawColorSchemeEditor(const Canvas& cv, const Fonts& fonts, const Languages& langs,
                           const ColorSettings& colors, const ColorSchemeEditorState& editor,
                           int32_t frameTime) {
    const SurfaceView s = screenView(cv.frame);
    const int32_t sel = editor.colorEditorSelected, top = editor.colorEditorTop;
    const int32_t b = getColorSetting(colors, sel);
    const int32_t ramp = 12 * (b / 12);
    const int32_t slowPulse = safeFloor(6 * std::sin(frameTime / 100.0) + 6);

    if (int64_t(sel) >= top && int64_t(sel) <= int64_t(top) + kListRows - 1) {
        const int32_t r = 511 - 12 * (sel - top);
        // Colours at the end of the palette have no ramp of their own to pulse in.
        const uint8_t e = uint8_t(b >= 252 ? 72 + slowPulse : ramp + slowPulse);
        hline(s, r - 1, 11, 568, e);
        hline(s, r + 11, 11, 568, e);
        vline(s, 10, r - 1, r + 11, e);
        vline(s, 569, r - 1, r + 11, e);
        // The band takes the ramp of the selected colour and keeps each pixel's shade.
        for (int32_t y = r; y <= r + 10; ++y)
            for (int32_t x = 11; x <= 568; ++x) {
                uint8_t& p = s.at(x, y);
                p = uint8_t(ramp - 4 + p % 12);
            }
        if (sel < kColorSettingCount)
            drawText(cv, fonts, getMessage(kFirstNameMessage + sel, langs), 14, r, 83);
    }
    for (int32_t j = 0; j < kListRows; ++j) {
        const int64_t c = int64_t(top) + j;
        if (c >= kColorSettingCount) break;
        if (c < 0 || c == sel) continue;
        drawText(cv, fonts, getMessage(kFirstNameMessage + int32_t(c), langs), 14, 511 - 12 * j, 0);
    }

    const uint8_t q = uint8_t(safeFloor(6 * std::sin(frameTime / 25.0) + 78));
    const int32_t X = 597 + 16 * (b % 12), Y = 506 - 16 * (b / 12);
    hline(s, Y, X, X + 15, q);
    vline(s, X + 16, Y, Y + 15, q);
    hline(s, Y + 16, X + 1, X + 16, q);
    vline(s, X, Y + 1, Y + 16, q);

    const uint8_t u = uint8_t(safeFloor(6 * std::sin(frameTime / 100.0) + 78));
    const int32_t g = colors.guiColor;
    hline(s, 533, 412 + g, 423 + g, u);
    hline(s, 545, 413 + g, 424 + g, u);
    vline(s, 412 + g, 534, 545, u);
    vline(s, 424 + g, 533, 544, u);
}

}  // namespace korvel
