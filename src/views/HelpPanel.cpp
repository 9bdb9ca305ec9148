#include "views/HelpPanel.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "pages/HelpTopics.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr uint8_t kFrameColour = 20;
constexpr uint8_t kDimColour = 17;
constexpr int32_t kLastTile = 15359;
constexpr int32_t kOpenStep = 32;

uint8_t& pixel(const Canvas& cv, int32_t x, int32_t y) {
    return cv.frame.screen[size_t(y) * size_t(cv.frame.screenRowLength) + size_t(x)];
}

void drawTilePicture(const Canvas& cv, const TileStore& tiles, const AttributeClipboard& clip,
                     int32_t frame) {
    const int32_t t = clip.picnum;
    if (t < 0 || t > kLastTile || size_t(t) >= tiles.tileWidths.size()) return;
    const int32_t w = tiles.tileWidths[size_t(t)], h = tiles.tileHeights[size_t(t)];
    if (w <= 0 || h <= 0) return;
    const double s = std::max({double(w) / 224, double(h) / 192, 0.5});
    const int32_t anim = tiles.tileAnims[size_t(t)];
    const int32_t ox = int8_t((anim >> 8) & 0xFF), oy = int8_t((anim >> 16) & 0xFF);
    const int32_t x0 = 136 - safeFloor((w / 2 - ox) / s);
    const int32_t y0 = 300 - safeFloor((h / 2 + oy) / s);
    const int32_t pw = int32_t(std::nearbyint(w / s)), ph = int32_t(std::nearbyint(h / s));
    const int32_t kx = x0 <= 0 ? -x0 : 0, ky = y0 <= kMapViewBottom ? kMapViewBottom - y0 : 0;
    const int32_t left = x0 <= 0 ? 0 : x0, bottom = y0 <= kMapViewBottom ? kMapViewBottom : y0;
    const ColorTables& c = cv.colors;
    const int32_t shade = clip.shade < 0 ? 0 : std::min<int32_t>(clip.shade, 31);
    const int32_t pal = std::min<int32_t>(clip.pal, 26);
    const int64_t base = int64_t(tiles.tileOffsets[size_t(t)]) + 1;
    for (int32_t i = 0; kx + i < pw && left + i <= kScreenRight; ++i) {
        const int32_t column = safeFloor((i + kx) * s);
        if (column < 0 || column >= w) continue;
        const bool first = (i - frame) % 2 == 0;
        for (int32_t j = 0; ky + j < ph && bottom + j <= kMapViewTop; ++j) {
            const int32_t row = h - 1 - safeFloor((j + ky) * s);
            if (row < 0 || row >= h) continue;
            const int64_t at = base + int64_t(column) * h + row;
            if (at < 0 || at >= int64_t(tiles.artPixels.size())) continue;
            const uint8_t p = tiles.artPixels[size_t(at)];
            if (p == 255) continue;
            const uint8_t g = c.gameShades[size_t(shade) * 256 + c.palRemaps[size_t(pal) * 256 + p]];
            const ColorPair pair = c.gamePaletteMap[g];
            pixel(cv, left + i, bottom + j) = uint8_t(first ? pair & 0xFF : pair >> 8);
        }
    }
}

}  // namespace

void drawDarkPanel(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int32_t top = std::min(y2, kMapViewTop);
    for (int32_t y = std::max(y1, kMapViewBottom); y <= top; ++y) {
        for (int32_t x = std::max(x1, 0); x <= std::min(x2, kScreenRight); ++x) {
            uint8_t& p = pixel(cv, x, y);
            const bool edge = x == x1 || x == x2 || ((y == y1 || y == y2) && x < x2);
            p = edge ? kFrameColour : cv.colors.blendTable[size_t(p) * 256 + 16];
        }
    }
}

void drawAttributeClipboardPanel(const Canvas& cv, const Fonts& fonts, const Languages& langs,
                                 const TileStore& tiles, const AttributeClipboard& clip,
                                 bool pasteHeinum, int32_t frame) {
    drawDarkPanel(cv, 8, 192, 264, 576);
    const int32_t kind = int32_t(clip.kind);
    if (kind <= 3) {
        static constexpr int32_t kTitles[4] = {583, 597, 598, 599};
        drawTextMapClipped(cv, fonts, getMessage(kTitles[kind], langs), 24, 556, kFrameColour);
        struct Line {
            int32_t message, value;
            uint8_t dimKinds;  // bit k: dim for kind k
        };
        const Line lines[] = {
            {584, clip.stat, 0b1000},
            {585, clip.picnum, 0},
            {kind == 0 && !pasteHeinum ? 587 : 586, clip.heinum, 0b1110},
            {588, uint8_t(clip.shade), 0},
            {589, clip.pal, 0},
            {590, clip.xrepeat, 0b1001},
            {591, clip.yrepeat, 0b1001},
            {592, clip.xpanning, 0b1100},
            {593, clip.ypanning, 0b1100},
            {594, clip.lotag, 0b1000},
            {595, clip.hitag, 0b1000},
            {596, clip.extra, 0b1000},
        };
        int32_t y = 532;
        for (const Line& l : lines) {
            const uint8_t colour = (l.dimKinds >> kind) & 1 ? kDimColour : kFrameColour;
            drawTextMapClipped(cv, fonts, getMessage(l.message, langs, std::to_string(l.value)), 24,
                               y, colour);
            y -= 12;
        }
    }
    drawTilePicture(cv, tiles, clip, frame);
}

void drawAttributeClipboardPanel(Editor& ed, int32_t frame) {
    drawAttributeClipboardPanel(canvasOf(ed), ed.fonts, ed.langs, ed.tiles, ed.attributes.attributeClipboard,
                                ed.attributes.pasteHeinum != 0, frame);
}

HelpRect helpPopupRect(int32_t topic, int32_t step) {
    HelpRect target{8, 136, 792, 162};
    HelpRect start{8, 136, 792, 136};
    if (topic == 0) target = {112, 210, 688, 502};
    if (topic == 1) target = {136, 263, 664, 459};
    if (topic == 23) target = {250, 140, 550, 572};
    if (topic == 2 || topic == 11 || topic == 16 || topic == 33 || topic == 36)
        target = {8, 136, 792, 174};
    if (topic == 0 || topic == 1 || topic == 23) start = {400, 356, 400, 356};
    if (step >= kOpenStep) return target;
    const int32_t f = std::max(step, 0) * 2048;
    return {lerpFixed(start.x1, target.x1, f), lerpFixed(start.y1, target.y1, f),
            lerpFixed(start.x2, target.x2, f), lerpFixed(start.y2, target.y2, f)};
}

void drawHelpPanel(Editor& ed) {
    int32_t& step = ed.app.helpPopupStep;
    if (step < 0 || !ed.settings.showTips) return;
    const int32_t topic = ed.app.helpTopic;
    const HelpRect r = helpPopupRect(topic, step);
    if (step < kOpenStep) ++step;
    drawDarkPanel(canvasOf(ed), r.x1, r.y1, r.x2, r.y2);
    if (step != kOpenStep) return;
    using Hint = void (*)(Editor&);
    static constexpr Hint kHints[] = {
        drawToolHint1,  drawToolHint2,  drawToolHint3,  drawToolHint4,  drawToolHint5,
        drawToolHint6,  drawToolHint7,  drawToolHint8,  drawToolHint9,  drawToolHint10,
        drawToolHint11, drawToolHint12, drawToolHint13, drawToolHint14, drawToolHint15,
        drawToolHint16, drawToolHint17, drawToolHint18, drawToolHint19, drawToolHint20,
        drawToolHint21, drawToolHint22, drawToolHint23, drawToolHint24, drawToolHint25,
        drawToolHint26, drawToolHint27, drawToolHint28, drawToolHint29, drawToolHint30,
        drawToolHint31, drawToolHint32, drawToolHint33, drawToolHint34, drawToolHint35};
    if (topic == 0)
        drawEffectorLotagList(ed);
    else if (topic == 1)
        drawSectorLotagList(ed);
    else if (topic >= 2 && topic <= 22)
        kHints[topic - 2](ed);
    else if (topic == 23)
        drawSoundList(ed);
    else if (topic >= 24 && topic <= 37)
        kHints[topic - 3](ed);
}

}  // namespace korvel
