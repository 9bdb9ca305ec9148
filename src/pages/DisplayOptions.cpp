#include "pages/DisplayOptions.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/EditorCanvas.h"
#include "base/Mainm.h"
#include "pages/ListScrollBar.h"
#include "ui/Skin.h"
#include "ui/Text.h"

namespace korvel {

namespace {

struct SettingBox {
    int32_t x, y;
    uint8_t Settings::*setting;
};

constexpr SettingBox kDisplayBoxes[] = {
    {8, 524, &Settings::fullScreen},        {8, 416, &Settings::alternatePalette},
    {8, 344, &Settings::showFps},           {408, 344, &Settings::showTime},
    {8, 320, &Settings::showSparks},        {408, 320, &Settings::pointerShadow},
    {8, 296, &Settings::exitEffect},        {408, 296, &Settings::pointerInterpolation},
    {8, 272, &Settings::transparentGrid},   {408, 272, &Settings::constantSpriteSize},
    {8, 248, &Settings::smoothLines},
};

constexpr SettingBox kGeneralBoxes[] = {
    {8, 494, &Settings::autoGrid},        {408, 494, &Settings::realtimeUpdate},
    {8, 470, &Settings::loadTilesOnInit}, {408, 470, &Settings::showTips},
    {8, 446, &Settings::enableSounds},    {408, 446, &Settings::alternateFps},
};

constexpr int32_t kLanguageRows = 16;
constexpr int32_t kGammaColumns = 64, kGammaRows = 32;

// The first bytes of the tile pictures from tile 0 on, one column pair per dither pair.
void drawGammaPreview(Editor& ed) {
    const TileStore& tiles = ed.tiles;
    if (tiles.tileWidths.empty() || tiles.tileHeights.empty() || tiles.tileOffsets.empty()) return;
    if (tiles.tileWidths[0] == 0 || tiles.tileHeights[0] == 0) return;
    const int64_t start = int64_t(tiles.tileOffsets[0]) + 1;
    const int64_t size = int64_t(tiles.artPixels.size());
    if (start < 0) return;
    const SurfaceView screen = screenView(ed.frameBuffer);
    const bool evenFrame = ed.loop.frameNumber % 2 == 0;
    for (int32_t k = 0; k < kGammaColumns * kGammaRows; ++k) {
        if (start + k >= size) break;
        const int32_t column = k / kGammaRows, row = k % kGammaRows;
        const ColorPair pair = ed.colorTables.gamePaletteMap[tiles.artPixels[size_t(start + k)]];
        const bool first = (column % 2 == 0) == evenFrame;
        screen.at(98 + column, 468 - row) = first ? uint8_t(pair & 0xFF) : uint8_t(pair >> 8);
    }
}

std::string cutName(const std::string& name, size_t cutFrom, size_t keep) {
    return name.size() >= cutFrom ? name.substr(0, keep) + "..." : name;
}

void drawLanguageList(Editor& ed) {
    Languages& langs = ed.langs;
    const int32_t count = langs.languageCount();
    langs.languageListTop =
        std::clamp(langs.languageListTop, 0, std::max(0, count - kLanguageRows));
    const Canvas cv = canvasOf(ed);
    const SurfaceView screen = screenView(ed.frameBuffer);
    for (int32_t m = 0; m < kLanguageRows && langs.languageListTop + m < count; ++m) {
        const int32_t n = langs.languageListTop + m;
        const int32_t r = 359 - 12 * m;
        const bool chosen = n == langs.languageIndex;
        if (chosen) {
            const int32_t ramp = 12 * (n % 21);
            const uint8_t c = uint8_t(
                (safeFloor(6 * std::sin(ed.input.frameTime / 100.0) + 6) + ramp) & 0xFF);
            for (int32_t x = 503; x <= 765; ++x) screen.at(x, r - 1) = screen.at(x, r + 11) = c;
            for (int32_t y = r - 1; y <= r + 11; ++y) screen.at(502, y) = screen.at(766, y) = c;
            for (int32_t y = r; y <= r + 10; ++y)
                for (int32_t x = 503; x <= 765; ++x) {
                    uint8_t& p = screen.at(x, y);
                    p = uint8_t(p % 12 + ramp - 4);
                }
        }
        drawText(cv, ed.fonts, cutName(langs.languages[size_t(n)].name, 33, 29), 506, r,
                 chosen ? 83 : 0);
    }
    drawListScrollBar(cv, ed.skin, kLanguageListBar, count, langs.languageListTop,
                      ed.app.hoveredWidget);
}

}  // namespace

void drawOptionsPage(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    if (ed.app.currentPage == Page::DisplayOptions) {
        for (const SettingBox& b : kDisplayBoxes) drawCheckBox(cv, ed.skin, b.x, b.y, ed.settings.*b.setting);
        drawGammaPreview(ed);
    } else if (ed.app.currentPage == Page::GeneralOptions) {
        for (int32_t mode = 0; mode < 3; ++mode)
            drawRadioButton(cv, ed.skin, 8 + 200 * mode, 518, ed.settings.limitCpu == mode);
        for (const SettingBox& b : kGeneralBoxes) drawCheckBox(cv, ed.skin, b.x, b.y, ed.settings.*b.setting);
        drawLanguageList(ed);
    }
}

}  // namespace korvel
