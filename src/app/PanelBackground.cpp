#include "app/PanelBackground.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/EditorCanvas.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kButtonSize = 22;
constexpr int32_t kIconSize = 16;

uint8_t skinAt(const Skin& skin, int32_t sx, int32_t sy) {
    if (sx < 0 || sy < 0 || sx >= kSkinSize || sy >= kSkinSize) return kSkinTransparent;
    return skin.skin[size_t(sy) * kSkinSize + size_t(sx)];
}

bool inside(const SurfaceView& s, int64_t x, int64_t y) {
    return x >= 0 && y >= 0 && x < s.width && y < s.height;
}

void drawButtons(Editor& ed, const SurfaceView& target, bool overlay) {
    const ToolbarState& t = ed.toolbar;
    const int32_t inactive = ed.colorSettings.colorUiInactive;
    for (int32_t i = 0; i < kToolbarSlots; ++i) {
        const ToolbarButton& b = t.toolbarButtons[size_t(i)];
        if (!toolbarContextHolds(ed, b.context)) continue;
        if (overlay && !b.lit && !(i == ed.app.hoveredWidget && i > 0)) continue;
        const int32_t offset = uint8_t(b.colorOffset);
        drawToolbarButton(target, ed.skin, b.x, b.y, b.code, offset, b.enabled != 0, overlay,
                          inactive + offset + 72);
    }
}

// The shaded strip inside a status box: each pixel from the row's shade and a dithered fall
// along x, one random draw per pixel, row by row from the bottom.
template <typename Fall>
void shadedStrip(Editor& ed, int32_t x1, int32_t x2, int32_t y1, int32_t y2, int32_t middle,
                 int32_t base, Fall fall) {
    const SurfaceView bg = backgroundView(ed.frameBuffer);
    for (int32_t y = y1; y <= y2; ++y)
        for (int32_t x = x1; x <= x2; ++x) {
            const double r = randomSingle(ed.random);
            bg.at(x, y) = uint8_t(base + std::abs(y - middle) / 2 - fall(r, x));
        }
}

int32_t roundEven(double v) {
    return int32_t(std::nearbyint(v));
}

void fullRebuild(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    const ColorSettings& c = ed.colorSettings;
    const int32_t shift = c.guiColor;
    const int32_t fill = uint8_t(c.colorUiBackground + c.guiColor);
    const SurfaceView bg = backgroundView(ed.frameBuffer);

    drawFrameBg(cv, ed.skin, 0, 584, 799, 599, fill, shift);
    drawFrameBg(cv, ed.skin, 0, 0, 799, 127, fill, shift);
    for (int32_t y = 4; y <= 39; ++y)
        for (int32_t x = 510; x <= 521; ++x)
            bg.at(x, y) = uint8_t(fill - 2 + (std::abs(x - 516) - 1) / 2);
    drawButtons(ed, bg, false);

    drawFrameBgStyle2(cv, ed.skin, 4, 84, 306, 100, fill, shift);
    shadedStrip(ed, 6, 304, 86, 98, 92, c.colorUiLine1,
                [](double r, int32_t x) { return roundEven(r * 192 + x - 64) / 160; });
    drawFrameBgStyle2(cv, ed.skin, 308, 84, 795, 100, fill, shift);
    shadedStrip(ed, 310, 793, 86, 98, 92, c.colorUiLine2,
                [](double r, int32_t x) { return roundEven(r * 320 + 750 - x) / 256; });
    drawFrameBgStyle2(cv, ed.skin, 4, 66, 795, 82, fill, shift);
    shadedStrip(ed, 6, 793, 68, 80, 74, c.colorUiLine3,
                [](double r, int32_t x) { return roundEven(r * 640 + x + 96) / 512; });
    drawFrameBgStyle2(cv, ed.skin, 590, 4, 795, 25, fill, shift);

    drawTextBg(cv, ed.fonts, getMessage(437, ed.langs), 8, 87, c.colorUiLine1 + 8);
    drawTextBg(cv, ed.fonts, getMessage(438, ed.langs), 8, 586, c.colorUiText);
    ed.app.redrawRequest = 0;
}

void partialRebuild(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    const ColorSettings& c = ed.colorSettings;
    const SurfaceView bg = backgroundView(ed.frameBuffer);
    const auto fill = uint8_t(c.colorUiBackground + c.guiColor);
    for (int32_t y = 2; y <= 64; ++y) std::fill_n(&bg.at(2, y), 464, fill);
    drawButtons(ed, bg, false);
    if (ed.app.currentPage == Page::ProblemList) {
        drawTextBg(cv, ed.fonts, getMessage(1307, ed.langs), 28, 5, c.colorUiText);
        drawTextBg(cv, ed.fonts, getMessage(1306, ed.langs), 28, 25, c.colorUiText);
        drawTextBg(cv, ed.fonts, getMessage(1305, ed.langs), 8, 45, c.colorUiText);
    }
    ed.app.redrawRequest = 0;
}

}  // namespace

void drawToolbarButton(const SurfaceView& target, const Skin& skin, int32_t x, int32_t y,
                       int32_t icon, int32_t colourOffset, bool enabled, bool pressed,
                       int32_t inactiveColour) {
    const int32_t faceX = pressed ? 88 : 66;
    for (int32_t j = 0; j < kButtonSize; ++j)
        for (int32_t i = 0; i < kButtonSize; ++i)
            if (inside(target, int64_t(x) + i, int64_t(y) + j))
                target.at(x + i, y + j) = uint8_t(skinAt(skin, faceX + i, 490 + j) + colourOffset);
    if (icon < 0) return;
    const int32_t sx = 153 + kIconSize * (icon / 16);
    const int32_t sy = 496 - kIconSize * (icon % 16);
    for (int32_t j = 0; j < kIconSize; ++j)
        for (int32_t i = 0; i < kIconSize; ++i) {
            const uint8_t v = skinAt(skin, sx + i, sy + j);
            if (v == kSkinTransparent) continue;
            const int64_t px = int64_t(x) + 3 + i, py = int64_t(y) + 3 + j;
            if (!inside(target, px, py)) continue;
            target.at(int32_t(px), int32_t(py)) = enabled ? v : uint8_t(inactiveColour);
        }
}

void drawToolbarOverlay(Editor& ed) {
    const SurfaceView scr = screenView(ed.frameBuffer);
    drawButtons(ed, scr, true);
    const int32_t h = ed.toolbar.hoveredElement;
    if (!ed.settings.buttonHighlight || h < 0 || h >= kToolbarSlots) return;
    const ToolbarButton& b = ed.toolbar.toolbarButtons[size_t(h)];
    if (!b.enabled) return;
    const auto& blend = ed.colorTables.blendTable;
    for (int32_t j = 0; j < kButtonSize; ++j)
        for (int32_t i = 0; i < kButtonSize; ++i) {
            const int64_t px = int64_t(b.x) + i, py = int64_t(b.y) + j;
            if (!inside(scr, px, py)) continue;
            uint8_t& p = scr.at(int32_t(px), int32_t(py));
            p = blend[83 * 256 + size_t(p)];
        }
}

void drawOpenMenuOverlay(Editor& ed) {
    const MenuState& m = ed.menus;
    if (m.openMenu == 0) return;
    const SurfaceView scr = screenView(ed.frameBuffer);
    const SurfaceView menu = menuView(ed.frameBuffer);
    const ColorSettings& c = ed.colorSettings;

    const int64_t rows = std::min<int64_t>(int64_t(m.menuBoxHeight) + 1, menu.height);
    const int64_t cols = std::min<int64_t>(int64_t(m.menuBoxWidth) + 1, menu.width);
    for (int64_t j = 0; j < rows; ++j)
        for (int64_t i = 0; i < cols; ++i) {
            const int64_t x = m.menuBoxX + i, y = m.menuBoxY + j;
            if (inside(scr, x, y)) scr.at(int32_t(x), int32_t(y)) = menu.at(int32_t(i), int32_t(j));
        }

    if (m.menuHighlightShown) {
        const auto back = uint8_t(c.guiColor + c.colorUiBackground);
        const auto onBack = uint8_t(c.guiColor + c.colorUiAmb);
        const auto other = uint8_t(c.guiColor + c.colorUiAmt);
        const int32_t x1 = std::max(m.menuHighlightX1, 0);
        const int32_t x2 = std::min(m.menuHighlightX2, kScreenRight);
        const int32_t y1 = std::max(m.menuHighlightY1, 0);
        const int32_t y2 = std::min(m.menuHighlightY2, kScreenTop);
        for (int32_t y = y1; y <= y2; ++y)
            for (int32_t x = x1; x <= x2; ++x) {
                uint8_t& p = scr.at(x, y);
                p = p == back ? onBack : other;
            }
    }

    const int32_t n = 352 + m.openMenu;
    const std::string title = getMessage(n, ed.langs);
    const TextPosition pos = messagePosition(ed.langs, n);
    const int64_t from = int64_t(pos.x) - 4;
    const int64_t to = from + 8 * int64_t(title.size()) + 8 - 1;
    const auto band = uint8_t(c.guiColor + c.colorUiAmb);
    for (int32_t y = 586; y <= 597; ++y)
        for (int64_t x = std::max<int64_t>(from, 0); x <= std::min<int64_t>(to, kScreenRight); ++x)
            scr.at(int32_t(x), y) = band;
    drawText(canvasOf(ed), ed.fonts, title, pos.x, pos.y, c.guiColor + c.colorUiAmt);
}

void rebuildBackground(Editor& ed) {
    if (ed.app.redrawRequest == 2) fullRebuild(ed);
    if (ed.app.redrawRequest == 1) partialRebuild(ed);
}

}  // namespace korvel
