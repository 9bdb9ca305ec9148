#include "pages/ProblemList.h"

#include <algorithm>
#include <cmath>

#include "app/EditorCanvas.h"
#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "map/MapCheck.h"
#include "pages/ListScrollBar.h"
#include "ui/Text.h"
#include "views/PieChart.h"

namespace korvel {

namespace {

// Rows of the report list (from the bottom) and its columns.
constexpr int32_t kListTop = 554;
constexpr int32_t kListBottom = 134;
constexpr int32_t kLowestBandRow = 135;
constexpr int32_t kListLeft = 6;
constexpr int32_t kListRight = 779;
constexpr uint8_t kSkinTransparent = 255;

void fillBg(const SurfaceView& bg, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t c) {
    x1 = std::max(x1, 0), y1 = std::max(y1, 0);
    x2 = std::min(x2, bg.width - 1), y2 = std::min(y2, bg.height - 1);
    for (int32_t y = y1; y <= y2; ++y)
        for (int32_t x = x1; x <= x2; ++x) bg.at(x, y) = c;
}

// A w x h block of the skin from (sx, sy), each byte plus shift (wrapping), at (x, y) of the
// target; with `transparent` the skin's transparent bytes are skipped.
void blitSkinBlock(const SurfaceView& target, const Skin& skin, int32_t x, int32_t y, int32_t sx,
                   int32_t sy, int32_t w, int32_t h, int32_t shift, bool transparent) {
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i) {
            const int32_t tx = x + i, ty = y + j;
            if (tx < 0 || ty < 0 || tx >= target.width || ty >= target.height) continue;
            const uint8_t v = skin.skin[size_t(sy + j) * kSkinSize + size_t(sx + i)];
            if (transparent && v == kSkinTransparent) continue;
            target.at(tx, ty) = uint8_t(v + shift);
        }
}

// Drawn at both sides in one colour, then in the middle in another: a shadowed caption.
void drawFlanked(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                 int32_t y, int32_t sideColour, int32_t colour) {
    drawPropTextBg(cv, fonts, text, x - 1, y, sideColour);
    drawPropTextBg(cv, fonts, text, x + 1, y, sideColour);
    drawPropTextBg(cv, fonts, text, x, y, colour);
}

void drawProblemList(Editor& ed) {
    ProblemListState& ps = ed.pages.problemList;
    const Canvas cv = canvasOf(ed);
    drawListScrollBar(cv, ed.skin, kReportListBar, ed.messages.problemCount, ps.problemListScroll,
                      ed.app.hoveredWidget);
    if (!ps.problemListDirty) return;
    ps.problemListDirty = 0;
    drawProblemEntries(cv, ed.skin, ed.fonts, ed.langs, ed.messages, ps.problemListScroll);
}

std::string floorText(double v) {
    if (!std::isfinite(v)) return "0";
    const double f = std::floor(v);
    if (f >= 9.2e18 || f <= -9.2e18) return "0";
    return std::to_string(int64_t(f));
}

// One usage bar: 65 cells of 8 x 8 from column 263, lit up to `filled`.
void drawUsageBar(const Canvas& cv, const Skin& skin, int32_t row, int32_t filled) {
    const SurfaceView screen = screenView(cv.frame);
    for (int32_t c = 0; c <= 64; ++c) {
        const int32_t shift = c < 16 ? 12 : c < 32 ? 60 : c < 48 ? 84 : c < 64 ? 120 : 0;
        blitSkinBlock(screen, skin, 263 + 8 * c, row, 106, c <= filled ? 452 : 444, 8, 8, shift,
                      false);
    }
}

int32_t filledCells(int32_t count, int32_t shift) {
    return count <= 0 ? -1 : (count - 1) >> shift;
}

}  // namespace

void drawProblemEntries(const Canvas& cv, const Skin& skin, const Fonts& fonts,
                        const Languages& langs, const MessageLists& lists, int32_t scroll) {
    const SurfaceView bg = backgroundView(cv.frame);
    fillBg(bg, kListLeft, kListBottom, kListRight, kListTop, 0);
    const int32_t count = std::clamp(lists.problemCount, 0, kProblemListCapacity);
    if (count == 0) {
        const std::string text = getMessage(kMsgNoProblems, langs);
        drawPropTextBg(cv, fonts, text, 11, 540, 78);
        drawPropTextBg(cv, fonts, text, 13, 540, 78);
        drawPropTextBg(cv, fonts, text, 12, 541, 78);
        drawPropTextBg(cv, fonts, text, 12, 539, 78);
        drawPropTextBg(cv, fonts, text, 12, 540, 83);
        return;
    }
    int32_t y = kListTop;
    for (int32_t n = std::max(scroll, 0); n < count; ++n) {
        const MessageListEntry& e = lists.problemList[size_t(n)];
        const int32_t k = std::max<int32_t>(int32_t(e.lines.size()) - 1, 0);
        const int32_t low = y - 12 * k - 15;
        if (low < kLowestBandRow) break;
        fillBg(bg, kListLeft, low, kListRight, y, n % 2 == 0 ? 87 : 88);
        blitSkinBlock(bg, skin, 8, y - 13, 102, (e.kind & 4) ? 432 : 420, 12, 12, 0, true);
        const std::string number = std::to_string(n + 1) + ".";
        drawFlanked(cv, fonts, number, 24, y - 13, 209, 212);
        int32_t x = propTextWidth(fonts, number) + 29;
        const int32_t which = e.kind & 3;
        const std::string caption = which == 3 ? getMessage(kMsgFirstReportCaption + 3, langs)
                                               : getMessage(kMsgFirstReportCaption + which, langs,
                                                            std::to_string(e.objectNumber));
        drawFlanked(cv, fonts, caption, x, y - 13, 89, 92);
        x += propTextWidth(fonts, caption) + 5;
        for (size_t i = 0; i < e.lines.size(); ++i) {
            drawPropTextBg(cv, fonts, e.lines[i], x, y - 13 - 12 * int32_t(i), 83);
            x = 16;
        }
        y = low - 1;
    }
}

std::string fileSizePercent(int32_t mapFileSize) {
    const int32_t thousandths = safeFloor(mapFileSize / 19.3333);
    std::string text = std::to_string(thousandths / 1000);
    int32_t frac = std::abs(thousandths % 1000);
    if (thousandths < 0 && thousandths > -1000) text = "-" + text;
    if (frac != 0) {
        std::string digits = std::to_string(frac);
        digits.insert(0, 3 - digits.size(), '0');
        while (digits.back() == '0') digits.pop_back();
        text += "." + digits;
    }
    return text + "%";
}

std::vector<StatisticsLine> statisticsLines(const MapStatistics& st, const Languages& langs) {
    std::vector<StatisticsLine> out;
    auto line = [&](int32_t row, const std::string& text) { out.push_back({row, text}); };
    line(488, std::to_string(st.statLoopCount));
    line(476, std::to_string(st.statSectorGroupCount));
    line(464, std::to_string(st.statVertexCount));
    line(452, std::to_string(st.statTileCount));
    // Sums of big maps exceed 32 bits: printed whole.
    line(440, getMessage(kMsgWallLengthSum, langs, floorText(st.statWallLengthSum),
                         floorText(st.statWallLengthSum / 400 + 0.5)));
    line(428, getMessage(kMsgAreaBlocks, langs, floorText(st.statArea)));
    line(416, std::to_string(st.statLotag32767SectorCount));
    line(404, std::to_string(st.statCategory1SpriteCount));
    for (size_t i = 0; i < st.statSpriteClassCounts.size(); ++i)
        line(392 - 12 * int32_t(i), std::to_string(st.statSpriteClassCounts[i]));
    line(332, std::to_string(st.statCategory4SpriteCount));
    line(320, getMessage(kMsgFileSizeBytes, langs, std::to_string(st.statMapFileSize), "", "",
                         st.statMapFileSize));
    line(308, std::to_string(st.statFirstFreeNumber));
    return out;
}

void drawStatisticsPage(const Canvas& cv, const Skin& skin, const Fonts& fonts,
                        const Languages& langs, const MapStatistics& st, int32_t sectorCount,
                        int32_t wallCount, int32_t spriteCount) {
    drawUsageBar(cv, skin, 514, filledCells(spriteCount, 8));
    drawUsageBar(cv, skin, 526, filledCells(wallCount, 9));
    drawUsageBar(cv, skin, 538, filledCells(sectorCount, 6));
    drawText(cv, fonts, std::to_string(sectorCount), 150, 536, 152);
    drawText(cv, fonts, std::to_string(wallCount), 150, 524, 152);
    drawText(cv, fonts, std::to_string(spriteCount), 150, 512, 152);

    for (const StatisticsLine& l : statisticsLines(st, langs))
        drawText(cv, fonts, l.text, 400, l.row, 4);
    drawText(cv, fonts, fileSizePercent(st.statMapFileSize), 328, 144, 28);
    for (int32_t i = 0; i < kEffectorGroups; ++i) {
        const std::string text = std::to_string(st.statFreeEffectorHitags[size_t(i)]);
        const int32_t col = i % 7;
        drawText(cv, fonts, text, 75 + 36 * col - 4 * int32_t(text.size()), i < 7 ? 198 : 168, 20);
    }
}

void drawReportPage(Editor& ed) {
    if (ed.app.currentPage == Page::ProblemList) {
        drawProblemList(ed);
    } else if (ed.app.currentPage == Page::Statistics) {
        drawStatisticsPage(canvasOf(ed), ed.skin, ed.fonts, ed.langs,
                           ed.pages.problemList.statistics, ed.map.sectorCount, ed.map.wallCount,
                           ed.map.spriteCount);
    }
}

namespace {

// Turns findings into report entries while the list has room.
class ReportListSink : public CheckSink {
public:
    explicit ReportListSink(Editor& ed) : ed_(ed) {}
    bool add(const CheckFinding& f) override {
        if (ed_.messages.problemCount >= kProblemListCapacity) return false;
        addCheckReportEntry(ed_.messages, ed_.fonts, ed_.langs, f.object, f.kind, f.code,
                            getMessage(f.message, ed_.langs, f.arg));
        return true;
    }

private:
    Editor& ed_;
};

}  // namespace

void runMapCheck(Editor& ed) {
    ProblemListState& ps = ed.pages.problemList;
    ed.messages.problemCount = 0;
    ps.problemListScroll = 0;
    ReportListSink sink(ed);
    checkMap(ed.map, TileSizes{ed.tiles.tileWidths, ed.tiles.tileHeights}, ps.problemListOption,
             ed.events, sink);
    ps.problemListDirty = 1;
}

void runMapStatistics(Editor& ed) {
    MapStatistics& st = ed.pages.problemList.statistics;
    computeMapStatistics(ed.map, ed.tileCatalog.tileCategories, st);
    const int32_t split = safeFloor(st.statMapFileSize / double(kFullMapFileSize) * 65536);
    drawPieChart(canvasOf(ed), ed.random, 400, 216, 64, 12, split, 120, 216);
}

void requestReportPageData(Editor& ed) {
    const Page page = ed.app.currentPage;
    if (page != Page::ProblemList && page != Page::Statistics) return;
    ed.cursor.cursorShape = CursorShape::Busy;
    ed.app.deferredAction =
        page == Page::ProblemList ? DeferredAction::CheckMap : DeferredAction::ComputeStatistics;
}

}  // namespace korvel
