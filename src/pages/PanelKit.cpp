#include "pages/PanelKit.h"

#include <algorithm>

#include "base/Mainm.h"
#include "base/Random.h"
#include "ui/ColorSettings.h"
#include "ui/Languages.h"
#include "ui/Skin.h"
#include "ui/Text.h"

namespace korvel {

namespace {

// Clamps a rectangle to the background; false when nothing of it is left.
bool cut(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) {
    x1 = std::max(x1, 0), y1 = std::max(y1, 0);
    x2 = std::min(x2, kScreenRight), y2 = std::min(y2, kScreenTop);
    return x1 <= x2 && y1 <= y2;
}

}  // namespace

int32_t ditherColour(int32_t t, int32_t w, float r) {
    // Summed in double: in single precision t = w with the largest draw rounds up to 3.
    const double f = w == 0 ? 0.0 : double(t) / double(w);
    return std::clamp(79 + safeFloor(f * 2.0 + double(r)), 79, 81);
}

std::string PanelContext::msg(int32_t n) const {
    return getMessage(n, langs);
}

int32_t PanelContext::len(int32_t n) const {
    return int32_t(std::min<size_t>(msg(n).size(), 100000));
}

uint8_t PanelContext::labelColour() const {
    return colors.colorUiPreviewLine;
}

void PanelContext::title(int32_t n, int32_t colour, int32_t y) const {
    outlined(msg(n), 400 - 4 * len(n), y, colour);
}

void PanelContext::outlined(const std::string& s, int32_t x, int32_t y, int32_t colour) const {
    drawOutlinedTextBg(cv, fonts, s, x, y, colour);
}

void PanelContext::label(int32_t n, int32_t x, int32_t y) const {
    text(msg(n), x, y, labelColour());
}

void PanelContext::label(int32_t n, int32_t x, int32_t y, int32_t colour) const {
    text(msg(n), x, y, colour);
}

void PanelContext::text(const std::string& s, int32_t x, int32_t y, int32_t colour) const {
    drawTextBg(cv, fonts, s, x, y, colour);
}

int32_t PanelContext::after(int32_t first, int32_t k) const {
    return 8 * len(first) + k;
}

int32_t PanelContext::centredOn(int32_t n, int32_t c) const {
    return c - 4 * len(n);
}

void PanelContext::propText(const std::string& s, int32_t x, int32_t y, int32_t colour) const {
    drawPropTextBg(cv, fonts, s, x, y, colour);
}

void PanelContext::shadowed(const std::string& s, int32_t x, int32_t y, int32_t colour,
                            std::initializer_list<std::pair<int32_t, int32_t>> offsets) const {
    for (const auto& [dx, dy] : offsets) text(s, x + dx, y + dy, 0);
    text(s, x, y, colour);
}

void PanelContext::frameA(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t fill) const {
    drawFrameBg(cv, skin, x1, y1, x2, y2, fill, 72);
}

void PanelContext::frameB(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t fill) const {
    drawFrameBgStyle2(cv, skin, x1, y1, x2, y2, fill, 72);
}

void PanelContext::valueBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const {
    filledPanel(x1, y1, x2, y2, colors.colorUiTextBoxBack);
}

void PanelContext::filledPanel(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                               int32_t colour) const {
    drawFilledPanelBg(cv, skin, colors, x1, y1, x2, y2, colour);
}

void PanelContext::track(int32_t x, int32_t y, int32_t length, bool vertical) const {
    drawSkinSlider(cv, skin, x, y, length, vertical ? 1 : 0);
}

void PanelContext::pixel(int32_t x, int32_t y, int32_t colour) const {
    if (x < 0 || y < 0 || x > kScreenRight || y > kScreenTop) return;
    cv.frame.background[size_t(y) * kScreenWidth + size_t(x)] = uint8_t(colour);
}

void PanelContext::fill(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour) const {
    if (!cut(x1, y1, x2, y2)) return;
    for (int32_t y = y1; y <= y2; ++y)
        std::fill_n(cv.frame.background.begin() + ptrdiff_t(y) * kScreenWidth + x1, x2 - x1 + 1,
                    uint8_t(colour));
}

void PanelContext::tintOver(int32_t base, int32_t x1, int32_t y1, int32_t x2, int32_t y2) const {
    if (!cut(x1, y1, x2, y2)) return;
    const uint8_t* table = cv.colors.blendTable.data() + size_t(uint8_t(base)) * 256;
    for (int32_t y = y1; y <= y2; ++y)
        for (int32_t x = x1; x <= x2; ++x) {
            uint8_t& p = cv.frame.background[size_t(y) * kScreenWidth + size_t(x)];
            p = table[p];
        }
}

void PanelContext::stripeTint(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const {
    tintOver(colors.colorUiAls, x1, y1, x2, y2);
}

void PanelContext::darken(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const {
    if (!cut(x1, y1, x2, y2)) return;
    for (int32_t y = y1; y <= y2; ++y)
        for (int32_t x = x1; x <= x2; ++x) {
            uint8_t& p = cv.frame.background[size_t(y) * kScreenWidth + size_t(x)];
            p = cv.colors.blendTable[size_t(p) * 256];
        }
}

void PanelContext::rowStripes(int32_t b, int32_t w, int32_t rows) const {
    for (int32_t k = 0; k < rows; k += 2) stripeTint(0, b - 16 * k, w - 1, b - 16 * k + 15);
}

void PanelContext::ditheredPane(int32_t x0, int32_t w, int32_t r0, int32_t r1) const {
    for (int32_t y = r0; y <= r1; ++y)
        for (int32_t t = 0; t <= w; ++t)
            pixel(x0 + t, y, ditherColour(t, w, randomSingle(random)));
}

}  // namespace korvel
