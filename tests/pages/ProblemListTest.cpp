// The report list and statistics pages: the list scroll bar, the entry bands, the texts of the
// statistics and where the free channel numbers stand.
#include "pages/ProblemList.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "app/EditorCanvas.h"
#include "app/Startup.h"
#include "pages/ListScrollBar.h"
#include "support/EditorRig.h"
#include "support/LanguageFixture.h"

namespace korvel {
namespace {

TEST(ListScrollBar, ThumbStaysInsideItsTrack) {
    const struct {
        ListScrollBar bar;
        int32_t total;
    } lists[] = {{kReportListBar, 9},
                 {kReportListBar, 4096},
                 {kBrowserFilesBar, 33},
                 {kBrowserFoldersBar, 500},
                 {kLanguageListBar, 17}};
    for (const auto& l : lists)
        for (int32_t first : {INT32_MIN, -100, -1, 0, 1, l.total - l.bar.visible,
                              l.total - l.bar.visible + 1, l.total, l.total + 50, INT32_MAX}) {
            const ThumbSpan t = listThumb(l.bar, l.total, first);
            EXPECT_GE(t.position, 0) << l.total << " from " << first;
            EXPECT_LE(t.position + t.length, l.bar.trackLength) << l.total << " from " << first;
        }
    EXPECT_EQ(listThumb(kReportListBar, 9, 0).length, 346);
    EXPECT_EQ(listThumb(kReportListBar, 9, 0).position, 390 - 346);  // the top of the track
    EXPECT_EQ(listThumb(kReportListBar, 9, 1).position, 0);          // the last page
}

TEST(StatisticsTexts, FileSizePercentages) {
    const struct {
        int32_t size;
        const char* text;
    } cases[] = {{194, "0.01%"}, {966669, "50%"}, {1933338, "100%"},
                 {26, "0.001%"}, {19, "0%"},      {25000, "1.293%"}};
    for (const auto& c : cases) EXPECT_EQ(fileSizePercent(c.size), c.text) << c.size;
}

TEST(StatisticsTexts, BigSumsPrintInFull) {
    const Languages langs =
        test::languageWith({{338, "&1 units (&2 blocks)"}, {339, "&1 blocks"}, {340, "&1 byte&s"}});
    MapStatistics st;
    st.statWallLengthSum = 5000000000.75;
    st.statArea = 3000000000.5;
    st.statMapFileSize = 1;
    const std::vector<StatisticsLine> lines = statisticsLines(st, langs);
    auto at = [&](int32_t row) {
        for (const StatisticsLine& l : lines)
            if (l.row == row) return l.text;
        return std::string("none");
    };
    EXPECT_EQ(at(440), "5000000000 units (12500000 blocks)");
    EXPECT_EQ(at(428), "3000000000 blocks");
    EXPECT_EQ(at(320), "1 byte");
    EXPECT_EQ(lines.size(), 16u);
}

// An editor started with the shipped data folder (fonts, skin, language).
struct PageRig : test::EditorRig {
    PageRig() { EXPECT_TRUE(startup(*ed)); }
    uint8_t bg(int32_t x, int32_t y) { return backgroundView(ed->frameBuffer).at(x, y); }
    uint8_t screen(int32_t x, int32_t y) { return screenView(ed->frameBuffer).at(x, y); }
    void addEntries(int32_t n, int32_t lines) {
        for (int32_t i = 0; i < n; ++i) {
            MessageListEntry& e = ed->messages.problemList[size_t(ed->messages.problemCount++)];
            e = {uint8_t(i % 2 ? 5 : 0), 1, i, std::vector<std::string>(size_t(lines), "ab ")};
        }
    }
    void drawEntries(int32_t scroll) {
        drawProblemEntries(canvasOf(*ed), ed->skin, ed->fonts, ed->langs, ed->messages, scroll);
    }
};

TEST(ReportList, BandsFollowTheEntriesAndStopAboveTheBottom) {
    PageRig r;
    r.addEntries(1, 3);
    r.addEntries(29, 1);
    r.drawEntries(0);
    // Entry 0 has three lines: rows 515..554; entry 1 starts below it.
    EXPECT_EQ(r.bg(700, 554), 87);
    EXPECT_EQ(r.bg(700, 515), 87);
    EXPECT_EQ(r.bg(700, 514), 88);
    // One-line entries take 16 rows each: entry 23 (rows 147..162) is the last that stays
    // above row 135; entry 24 would reach row 131 and is left out entirely.
    EXPECT_EQ(r.bg(700, 147), 88);
    EXPECT_EQ(r.bg(700, 146), 0);

    // Scrolled by 5, the first band is entry 5's (odd: colour 88).
    r.drawEntries(5);
    EXPECT_EQ(r.bg(700, 554), 88);
}

TEST(ReportList, ScrollOutsideTheListDrawsNothingOutOfRange) {
    for (int32_t scroll : {INT32_MIN, -3, 3, 4096, INT32_MAX}) {
        PageRig r;
        r.addEntries(3, 1);
        r.drawEntries(scroll);
        const uint8_t expected = scroll < 0 ? 87 : 0;  // a negative scroll shows from the top
        EXPECT_EQ(r.bg(700, 554), expected) << scroll;
    }
    PageRig empty;
    empty.drawEntries(0);
    EXPECT_EQ(empty.bg(700, 554), 0);
}

TEST(StatisticsPage, FreeChannelsStandCentredInTheirCells) {
    PageRig r;
    MapStatistics st;
    for (int32_t i = 0; i < kEffectorGroups; ++i)
        st.statFreeEffectorHitags[size_t(i)] = i % 2 ? 1 : 12;
    std::fill(r.ed->frameBuffer.screen.begin(), r.ed->frameBuffer.screen.end(), 0);
    drawStatisticsPage(canvasOf(*r.ed), r.ed->skin, r.ed->fonts, r.ed->langs, st, 0, 0, 0);
    for (int32_t i = 0; i < kEffectorGroups; ++i) {
        const int32_t centre = 75 + 36 * (i % 7), row = i < 7 ? 198 : 168;
        const int32_t chars = i % 2 ? 1 : 2;
        int32_t left = INT32_MAX, right = INT32_MIN;
        for (int32_t x = centre - 18; x < centre + 18; ++x)
            for (int32_t y = row; y < row + 11; ++y)
                if (r.screen(x, y) == 20) left = std::min(left, x), right = std::max(right, x);
        ASSERT_NE(left, INT32_MAX) << "cell " << i;
        EXPECT_GE(left, centre - 4 * chars) << "cell " << i;
        EXPECT_LT(right, centre + 4 * chars) << "cell " << i;
    }
    // With no sprites every cell of the sprite bar is the unlit block.
    const uint8_t unlit = r.screen(263 + 3, 514 + 3);
    EXPECT_EQ(r.screen(263 + 8 * 20 + 3, 514 + 3), uint8_t(unlit + 60 - 12));
}

}  // namespace
}  // namespace korvel
