#include "app/ChromeTexts.h"

#include <algorithm>

#include "app/EditorCanvas.h"
#include "base/Mainm.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kStatusRight = 793;
constexpr int32_t kStatusRow = 87;
constexpr int32_t kStatusChars = 60;
constexpr int32_t kTitleRight = 752;
constexpr int32_t kTopBarRow = 586;
// Widget numbers of the window buttons, as the hit test of the window chrome sets them.
constexpr int32_t kMinimiseWidget = 512;
constexpr int32_t kQuitWidget = 513;
constexpr int32_t kHistoryWidget = 515;

int32_t len(const std::string& s) {
    return int32_t(std::min<size_t>(s.size(), 1u << 24));
}

uint8_t skinAt(const Skin& skin, int32_t sx, int32_t sy) {
    if (sx < 0 || sy < 0 || sx >= kSkinSize || sy >= kSkinSize) return 0;
    return skin.skin[size_t(sy) * kSkinSize + size_t(sx)];
}

void putScreen(Editor& ed, int32_t x, int32_t y, int32_t colour) {
    if (x < 0 || y < 0 || x > kScreenRight || y > kScreenTop) return;
    screenView(ed.frameBuffer).at(x, y) = uint8_t(colour);
}

// A skin picture onto the screen, every pixel plus shift.
void blitShifted(Editor& ed, int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t w, int32_t h,
                 int32_t shift) {
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i)
            putScreen(ed, x + i, y + j, skinAt(ed.skin, sx + i, sy + j) + shift);
}

void fillScreenRows(Editor& ed, int32_t x1, int32_t x2, int32_t y1, int32_t y2, int32_t colour) {
    x1 = std::max(x1, 0);
    x2 = std::min(x2, kScreenRight);
    y1 = std::max(y1, 0);
    y2 = std::min(y2, kScreenTop);
    const SurfaceView s = screenView(ed.frameBuffer);
    for (int32_t y = y1; y <= y2; ++y)
        for (int32_t x = x1; x <= x2; ++x) s.at(x, y) = uint8_t(colour);
}

std::string num(int64_t v) {
    return std::to_string(v);
}

// The prompt that opened since the last frame keeps the value it opened with, which Esc puts
// back, and starts the status line's half second of flashes.
void notePromptOpening(Editor& ed) {
    ValuePromptState& p = ed.prompt;
    if (p.promptKind == 0 || ed.loop.shownPromptKind != 0) return;
    ed.app.caretBlinkTime = int32_t(uint32_t(ed.input.frameTime) + 500u);
    p.promptOriginal = p.promptInput;
    p.promptOriginalNegative = p.promptNegative;
    ed.dispatch.areaSelectLatch = 0;
}

void drawStatusLine(Editor& ed, bool flash) {
    const Canvas cv = canvasOf(ed);
    const ValuePromptState& p = ed.prompt;
    const int32_t normal = ed.colorSettings.colorUiLine2 + 8;
    if (p.promptKind != 0) {
        const PromptLine line = promptLine(p.promptInput, p.promptNegative != 0, p.promptText);
        const int32_t x0 = kStatusRight - 8 * len(line.value);
        const int32_t xc = x0 - 8 * len(line.caption);
        if (flash) {
            const int64_t from = int64_t(x0) - 8 * int64_t(p.promptText.size()) - 1;
            fillScreenRows(ed, int32_t(std::max<int64_t>(from, -1)), kStatusRight - 1,
                           kStatusRow, kStatusRow + 10, 83);
        }
        drawText(cv, ed.fonts, line.value, x0, kStatusRow, flash ? 0 : 83);
        drawText(cv, ed.fonts, line.caption, xc, kStatusRow, flash ? 0 : normal);
        return;
    }
    const std::string text = keepTail(ed.app.statusText, kStatusChars);
    const int32_t x = kStatusRight - 8 * len(text);
    if (flash) fillScreenRows(ed, x - 1, kStatusRight - 1, kStatusRow, kStatusRow + 10, 83);
    drawText(cv, ed.fonts, text, x, kStatusRow, flash ? 0 : normal);
}

void drawTimeOfDay(Editor& ed) {
    const TimeOfDay t = ed.app.platform ? ed.app.platform->timeOfDay() : TimeOfDay{};
    const std::string text = zeroPad(t.hour, 2) + ":" + zeroPad(t.minute, 2) + ":" +
                             zeroPad(t.second, 2);
    drawText(canvasOf(ed), ed.fonts, text, 304 - 8 * len(text), kStatusRow,
             ed.colorSettings.colorUiLine1 + 8);
}

void drawCoordinates(Editor& ed) {
    const HoverState& h = ed.hover;
    std::string text;
    switch (ed.app.currentPage) {
        case Page::PlanView:
            text = getMessage(359, ed.langs, num(h.hitPointX), num(h.hitPointY));
            break;
        case Page::SideView:
            text = getMessage(360, ed.langs, num(h.hitPointZ), num(h.sideHitPos));
            break;
        case Page::ArrayTool: {
            // 32-bit arithmetic, wrapping as the count field does.
            const uint32_t copies = uint32_t(maxLong(ed.pages.arrayTool.arrayCopyCount, 1));
            const auto n = int32_t(copies * uint32_t(ed.map.selectedSpriteCount) +
                                   uint32_t(ed.map.spriteCount));
            text = getMessage(361, ed.langs, num(n));
            break;
        }
        default:
            return;
    }
    drawText(canvasOf(ed), ed.fonts, text, 8, 69, ed.colorSettings.colorUiLine3 + 9);
}

void drawCounters(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    const int32_t counts[3] = {ed.map.sectorCount, ed.map.wallCount, ed.map.spriteCount};
    for (int32_t k = 0; k < 3; ++k)
        for (int32_t j = 0; j < 2; ++j) {
            const int32_t n = 362 + 2 * k + j;
            const TextPosition pos = messagePosition(ed.langs, n);
            drawText(cv, ed.fonts, getMessage(n, ed.langs, num(counts[k])), pos.x, pos.y,
                     j == 0 ? ed.colorSettings.colorUiLine3 + 9 : 83);
        }
}

}  // namespace

std::string keepTail(const std::string& text, int32_t room) {
    if (len(text) <= room) return text;
    const int32_t keep = std::max(room - 3, 0);
    return "..." + text.substr(text.size() - size_t(keep));
}

std::string fitTitle(const std::string& title, int32_t room) {
    return keepTail(title, room);
}

PromptLine promptLine(const std::string& input, bool negative, const std::string& caption) {
    PromptLine line;
    line.value = keepTail((negative ? "-" : "") + input, kStatusChars);
    const int32_t room = kStatusChars - len(line.value);
    if (room > 3)
        line.caption = keepTail(caption, room);
    else if (room >= 1)
        line.caption = std::string(size_t(room), '.');
    return line;
}

bool promptFlashPhase(int32_t& caretBlinkTime, int32_t frameTime) {
    const int64_t diff = int64_t(caretBlinkTime) - frameTime;
    const bool on = caretBlinkTime >= 0 && diff % 125 < 63;
    if (caretBlinkTime < frameTime) caretBlinkTime = -1;
    return on;
}

void drawKeyboardIndicator(Editor& ed) {
    const Languages& l = ed.langs;
    if (l.currentLanguage >= l.languageCount() || l.languages[l.currentLanguage].pluralRule < 1)
        return;
    const int32_t sy = 472 - 12 * (ed.input.cyrillicKeyboard != 0 ? 1 : 0);
    const int32_t shift = ed.colorSettings.guiColor;
    for (int32_t j = 0; j < 12; ++j)
        for (int32_t i = 0; i < 15; ++i) {
            const bool rim = j < 2 || j > 9 || i < 2 || i > 12;
            putScreen(ed, 757 + i, 586 + j, skinAt(ed.skin, 123 + i, sy + j) + (rim ? shift : 0));
        }
}

void drawWindowButtons(Editor& ed) {
    struct Button {
        int32_t widget, x, y, size, sx, sy, hoveredSx, hoveredSy;
    };
    static constexpr Button kButtons[] = {{kMinimiseWidget, 774, 586, 12, 99, 472, 99, 460},
                                          {kQuitWidget, 786, 586, 12, 111, 472, 111, 460},
                                          {kHistoryWidget, 785, 101, 11, 80, 449, 91, 449}};
    for (const Button& b : kButtons) {
        const bool hovered = ed.app.hoveredWidget == b.widget;
        blitShifted(ed, b.x, b.y, hovered ? b.hoveredSx : b.sx, hovered ? b.hoveredSy : b.sy,
                    b.size, b.size, ed.colorSettings.guiColor);
    }
}

void drawMapTitle(Editor& ed) {
    const bool modified = ed.map.mapModified != MapModifiedState::Unmodified;
    const std::string menuTitles = getMessage(438, ed.langs);
    const std::string title = fitTitle(getMessage(modified ? 351 : 352, ed.langs, ed.mapFile.mapTitle),
                                       90 - len(menuTitles));
    drawText(canvasOf(ed), ed.fonts, title, kTitleRight - 8 * len(title), kTopBarRow,
             modified ? ed.colorSettings.colorUiMt2 : ed.colorSettings.colorUiMt1);
}

void drawStatusArea(Editor& ed) {
    notePromptOpening(ed);
    const bool flash = promptFlashPhase(ed.app.caretBlinkTime, ed.input.frameTime);
    drawStatusLine(ed, flash);
    drawTimeOfDay(ed);
    drawCoordinates(ed);
    drawCounters(ed);
}

void drawCornerTexts(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    const DemoState& d = ed.demo;
    if (d.demoFrameIndex >= 0) {
        const std::string text =
            d.demoRecording ? getMessage(1301, ed.langs, num(d.demoFrameIndex))
                            : getMessage(1302, ed.langs, num(d.demoFrameIndex),
                                         num(d.demoFrameCount));
        drawSmallText(cv, ed.fonts, text, 5, 573, 0);
        drawSmallText(cv, ed.fonts, text, 4, 574, d.demoRecording ? 8 : 83);
    }
    if (ed.bookmarks.bookmarkTool && ed.app.currentPage == Page::PlanView &&
        ed.tool.currentTool != Tool::ViewBookmarks) {
        const std::string text = getMessage(1312, ed.langs);
        drawSmallText(cv, ed.fonts, text, 5, 131, 0);
        drawSmallText(cv, ed.fonts, text, 4, 132, ed.colorSettings.colorSavedView);
    }
    if (ed.settings.showFps) {
        const std::string text =
            getMessage(439, ed.langs, num(safeFloor(double(ed.loop.framesPerSecond) + 0.5)));
        const int32_t n = len(text);
        drawText(cv, ed.fonts, text, 800 - 8 * n, 572, 0);
        drawText(cv, ed.fonts, text, 799 - 8 * n, 573, 83);
    }
    if (ed.settings.showTime) {
        const int32_t t = ed.input.frameTime;
        const std::string text = zeroPad(t / 3600000, 2) + ":" + zeroPad((t / 60000) % 60, 2) +
                                 ":" + zeroPad((t / 1000) % 60, 2) + ":" + zeroPad(t % 1000, 3);
        const int32_t n = len(text);
        drawText(cv, ed.fonts, text, 600 - 4 * n, 572, 0);
        drawText(cv, ed.fonts, text, 599 - 4 * n, 573, 83);
    }
}

}  // namespace korvel
