#include "app/ChromeTexts.h"

#include <gtest/gtest.h>

#include "support/ChromeRig.h"

namespace korvel {
namespace {

using test::ChromeRig;

TEST(ChromeTexts, TitleKeepsItsTailWhenItDoesNotFit) {
    struct Case {
        int32_t titleLength, room;
        std::string want;
    };
    const std::string title = "abcdefghij";
    const Case cases[] = {
        {10, 10, "abcdefghij"},  // exactly the room
        {10, 9, "...efghij"},    // one more: dots and the last room - 3
        {10, 3, "..."},
        {10, 2, "..."},  // less room than the dots: none of the title is kept
        {10, -5, "..."},
        {0, 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitTitle(title.substr(0, size_t(c.titleLength)), c.room), c.want)
            << c.titleLength << " in " << c.room;
}

TEST(ChromeTexts, PromptValueAndCaptionShareSixtyCharacters) {
    struct Case {
        int32_t digits;
        bool negative;
        std::string value, caption;
    };
    const std::string d(70, '7');
    const std::string caption = "Height";
    const Case cases[] = {
        {56, false, d.substr(0, 56), "...t"},  // room 4 for the caption: dots and its last one
        {57, false, d.substr(0, 57), "..."},
        {58, false, d.substr(0, 58), ".."},
        {59, false, d.substr(0, 59), "."},
        {60, false, d.substr(0, 60), ""},
        {61, false, "..." + d.substr(0, 57), ""},
        {59, true, "-" + d.substr(0, 59), ""},  // the minus sign counts
        {58, true, "-" + d.substr(0, 58), "."},
        {2, false, "77", "Height"},
    };
    for (const Case& c : cases) {
        const PromptLine line = promptLine(d.substr(0, size_t(c.digits)), c.negative, caption);
        EXPECT_EQ(line.value, c.value) << c.digits << (c.negative ? " negative" : "");
        EXPECT_EQ(line.caption, c.caption) << c.digits << (c.negative ? " negative" : "");
    }
}

TEST(ChromeTexts, PromptFlashesFourTimesAndOnceMore) {
    // A prompt opened at 1000 flashes until 1500; the first frame after that once more.
    struct Case {
        int32_t now;
        bool flash;
        int32_t blinkAfter;
    };
    const Case cases[] = {
        {1000, true, 1500},  {1001, false, 1500}, {1062, false, 1500}, {1063, true, 1500},
        {1125, true, 1500},  {1126, false, 1500}, {1188, true, 1500},  {1437, false, 1500},
        {1438, true, 1500},  {1500, true, 1500},
        {1510, true, -1},  // past the end: flashed, then over
    };
    for (const Case& c : cases) {
        int32_t blink = 1500;
        EXPECT_EQ(promptFlashPhase(blink, c.now), c.flash) << c.now;
        EXPECT_EQ(blink, c.blinkAfter) << c.now;
    }
    int32_t none = -1;
    EXPECT_FALSE(promptFlashPhase(none, 5));
    int32_t far = 2147483647;  // the difference does not wrap
    EXPECT_TRUE(promptFlashPhase(far, -2147483647 - 1));
    EXPECT_EQ(far, 2147483647);
}

TEST(ChromeTexts, StatusLineEndsAtColumn793AndFlashesWhenAPromptOpens) {
    ChromeRig r;
    Editor& ed = *r.ed;
    ed.app.statusText = "Ready";
    drawStatusArea(ed);
    const int32_t line = ed.colorSettings.colorUiLine2 + 8;
    EXPECT_TRUE(r.shows("Ready", 793 - 40, 87, line));

    r.clearScreen(0);
    ed.input.frameTime = 1000;
    ed.loop.shownPromptKind = 0;
    ed.prompt.promptKind = 1;
    ed.prompt.promptInput = "12";
    ed.prompt.promptNegative = 1;
    ed.prompt.promptText = "Height";
    drawStatusArea(ed);
    EXPECT_EQ(ed.app.caretBlinkTime, 1500);
    EXPECT_EQ(ed.prompt.promptOriginal, "12");
    EXPECT_EQ(ed.prompt.promptOriginalNegative, 1);
    // Flashed: the band from the caption's left to 792 in colour 83, the texts in colour 0.
    EXPECT_TRUE(r.shows("-12", 793 - 24, 87, 0));
    EXPECT_EQ(r.px(793 - 24 - 48 - 1, 90), 83);
    EXPECT_EQ(r.px(792, 97), 83);
    EXPECT_EQ(r.px(793, 90), 0);

    r.clearScreen(0);
    ed.loop.shownPromptKind = 1;
    ed.input.frameTime = 1130;  // between two flashes
    drawStatusArea(ed);
    EXPECT_TRUE(r.shows("-12", 793 - 24, 87, 83));
    EXPECT_TRUE(r.shows("Height", 793 - 24 - 48, 87, line));
}

TEST(ChromeTexts, CoordinatesLineByPage) {
    ChromeRig r;
    Editor& ed = *r.ed;
    ed.map.spriteCount = 5;
    ed.map.selectedSpriteCount = 3;
    const int32_t colour = ed.colorSettings.colorUiLine3 + 9;
    struct Case {
        Page page;
        int32_t copies;
        std::string text;
    };
    ed.hover.hitPointX = -12;
    ed.hover.hitPointY = 34;
    ed.hover.hitPointZ = 56;
    ed.hover.sideHitPos = 78;
    const Case cases[] = {
        {Page::PlanView, 0, r.msg(359, "-12", "34")},
        {Page::SideView, 0, r.msg(360, "56", "78")},
        {Page::ArrayTool, 0, r.msg(361, "8")},  // no copies count as one
        {Page::ArrayTool, 4, r.msg(361, "17")},
    };
    for (const Case& c : cases) {
        r.clearScreen(0);
        ed.app.currentPage = c.page;
        ed.pages.arrayTool.arrayCopyCount = c.copies;
        drawStatusArea(ed);
        EXPECT_TRUE(r.shows(c.text, 8, 69, colour)) << int(c.page) << " " << c.text;
    }
    r.clearScreen(0);
    ed.app.currentPage = Page::Statistics;
    drawStatusArea(ed);
    for (int32_t x = 8; x < 300; ++x) EXPECT_EQ(r.px(x, 72), 0) << x;
}

TEST(ChromeTexts, TopBarTitleAndKeyboardIndicator) {
    ChromeRig r;
    Editor& ed = *r.ed;
    ed.mapFile.mapTitle = "rooms.map";
    ed.map.mapModified = MapModifiedState::Modified;
    drawMapTitle(ed);
    const std::string modified = r.msg(351, "rooms.map");
    EXPECT_TRUE(r.shows(modified, 752 - 8 * int32_t(modified.size()), 586,
                        ed.colorSettings.colorUiMt2));

    // English has plural rule 0: no indicator; with rule 1 the first layout's picture.
    r.clearScreen(0);
    drawKeyboardIndicator(ed);
    EXPECT_EQ(r.px(764, 590), 0);
    ed.langs.languages[ed.langs.currentLanguage].pluralRule = 1;
    drawKeyboardIndicator(ed);
    bool drawn = false;
    for (int32_t y = 586; y <= 597; ++y)
        for (int32_t x = 757; x <= 771; ++x) drawn = drawn || r.px(x, y) != 0;
    EXPECT_TRUE(drawn);
    EXPECT_EQ(r.px(756, 590), 0);
    EXPECT_EQ(r.px(772, 590), 0);
}

TEST(ChromeTexts, CornerTexts) {
    ChromeRig r;
    Editor& ed = *r.ed;
    ed.settings.showTime = 1;
    ed.input.frameTime = 3723004;  // 1 h 2 min 3 s 4 ms
    drawCornerTexts(ed);
    const std::string clock = "01:02:03:004";
    EXPECT_TRUE(r.shows(clock, 599 - 4 * 12, 573, 83));

    r.clearScreen(0);
    ed.settings.showTime = 0;
    ed.demo.demoFrameIndex = 7;
    ed.demo.demoFrameCount = 90;
    drawCornerTexts(ed);
    EXPECT_TRUE(r.shows(r.msg(1302, "7", "90"), 4, 574, 83, &drawSmallText));
}

TEST(ChromeTexts, HostileTextsStayOnTheScreen) {
    ChromeRig r;
    Editor& ed = *r.ed;
    const std::string huge(10000, 'W');
    ed.mapFile.mapTitle = huge;
    ed.app.statusText = huge;
    ed.prompt.promptKind = 1;
    ed.prompt.promptInput = huge;
    ed.prompt.promptText = huge;
    ed.langs.languages[ed.langs.currentLanguage].texts[438] = huge;
    ed.langs.languages[ed.langs.currentLanguage].positions[362] = {-100000, 2000000};
    ed.langs.languages[ed.langs.currentLanguage].positions[363] = {2000000000, -2000000000};
    drawMapTitle(ed);
    drawStatusArea(ed);
    ed.prompt.promptText = "x";
    ed.prompt.promptInput = "1";
    drawStatusArea(ed);
    // With the menu titles as long as that, the title keeps only its dots.
    const std::string dots = "...";
    EXPECT_TRUE(r.shows(dots, 752 - 24, 586, ed.colorSettings.colorUiMt1));
}

}  // namespace
}  // namespace korvel
