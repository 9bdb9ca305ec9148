#include "ui/HelpText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/EditorCanvas.h"
#include "base/Random.h"
#include "support/CommandRig.h"

namespace korvel {
namespace {

std::string repeated(const std::string& piece, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += piece;
    return s;
}

std::string withoutBreaks(std::string s) {
    for (size_t i; (i = s.find("\r\n")) != std::string::npos;) s.replace(i, 2, " ");
    return s;
}

struct HelpRig : test::CommandRig {
    static constexpr uint8_t kPaper = 7, kBackdrop = 201;

    // Draws topic `page` of `text` (laid out first) at the scroll, over a background of kPaper and
    // a backdrop of kBackdrop.
    void render(const std::string& text, int32_t page, int32_t scroll, int32_t frameTime = 0) {
        ed->help.documentText = text;
        layoutHelpText(ed->help.documentText, ed->fonts);
        ed->help.documentPage = page;
        ed->help.documentScroll = scroll;
        ed->help.documentHeight = -1;
        ed->input.frameTime = frameTime;
        std::fill(ed->frameBuffer.background.begin(), ed->frameBuffer.background.end(), kPaper);
        std::fill(ed->frameBuffer.viewBackdrop.begin(), ed->frameBuffer.viewBackdrop.end(),
                  kBackdrop);
        renderHelpTopic(*ed);
    }
    uint8_t at(int32_t x, int32_t y) { return backgroundView(ed->frameBuffer).at(x, y); }
    // The lowest row from 184 to 495 (between the soft edges) with a pixel other than the paper
    // in columns x0..x1, or -1.
    int32_t lowestInk(int32_t x0, int32_t x1) {
        for (int32_t y = 184; y <= 495; ++y)
            for (int32_t x = x0; x <= x1; ++x)
                if (at(x, y) != kPaper) return y;
        return -1;
    }
};

TEST(HelpText, LayoutBreaksLongLinesAtTheirLastBlankAndAlwaysEnds) {
    HelpRig r;
    struct Case {
        const char* what;
        std::string text;
        bool changes;
    } const cases[] = {
        {"a long paragraph", repeated("word ", 60) + "end", true},
        {"a line without a blank is left to the drawing", std::string(300, 'x'), false},
        {"a blank before a line break is not used after it", "a b\r\n" + std::string(200, 'x'),
         false},
        {"a margin wider than the page", "&d999" + repeated("ab ", 40), true},
        {"a code cut off at the end", repeated("word ", 30) + "&d9", true},
        {"mark-up only", "&f4&s9&k&e1234&e&w0001&&&", false},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text = c.text;
        layoutHelpText(text, r.ed->fonts);
        EXPECT_EQ(text != c.text, c.changes);
        EXPECT_EQ(withoutBreaks(text), withoutBreaks(c.text)) << "only blanks become line breaks";
    }
    // With font 1 a line of the paragraph holds at most 94 characters (16 + 8 x 94 = 768) and
    // none ends in a blank.
    std::string text = repeated("word ", 60) + "end";
    layoutHelpText(text, r.ed->fonts);
    size_t from = 0;
    for (size_t lf; (lf = text.find("\r\n", from)) != std::string::npos; from = lf + 2) {
        EXPECT_LT(lf - from, 94u);
        EXPECT_NE(text[lf - 1], ' ');
    }
}

TEST(HelpText, TopicsAreFoundByTheirMarkerAndMissingOnesSaySo) {
    HelpRig r;
    const std::string file = "intro&w0001\r\none\r\n&w0007\r\nA\r\nB\r\nC&&w0008\r\n&k&w0009\r\nk";
    struct Case {
        std::string text;
        int32_t page;
        int32_t height;  // 0 for a missing topic
    } const cases[] = {
        {file, 1, 24}, {file, 7, 48}, {file, 8, 0},  // "&&" and the letter are no marker
        {file, 9, 0},                                // a marker right after a two-byte code
        {file, 2, 0},  {"", 0, 0},    {"&w00", 0, 0}, {"&", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " " + std::to_string(c.page));
        r.render(c.text, c.page, 0);
        EXPECT_EQ(r.ed->help.documentHeight, c.height);
        // A missing topic shows its message at (16, 524) in colour 68 over a black outline.
        const bool missing = c.height == 0;
        bool red = false;
        for (int32_t y = 524; y <= 534; ++y)
            for (int32_t x = 16; x <= 23; ++x) red = red || r.at(x, y) == 68;
        if (missing) EXPECT_TRUE(red);
    }
}

TEST(HelpText, LinesMoveWithTheScrollPixelByPixel) {
    HelpRig r;
    // "X" on line 6 of the topic: y = scroll + 492 - 72.
    const std::string text = "&w0001" + repeated("\r\n", 6) + "X" + repeated("\r\n", 40) + "Z";
    struct Case {
        int32_t scroll;
    } const cases[] = {{0}, {35}, {36}, {47}, {60}};
    r.render(text, 1, 35);
    const int32_t base = r.lowestInk(16, 23);
    ASSERT_NE(base, -1);
    EXPECT_EQ(r.ed->help.documentHeight, 12 * 46);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scroll);
        r.render(text, 1, c.scroll);
        EXPECT_EQ(r.lowestInk(16, 23) - base, c.scroll - 35);
        EXPECT_EQ(r.ed->help.documentHeight, 12 * 46);
    }
    // The marker on a line of its own: its first text line at y = scroll + 480.
    const std::string first = "&w0001\r\nX";
    r.render(first, 1, 35 - 120);
    const int32_t at35 = r.lowestInk(16, 23);
    r.render(first, 1, 36 - 120);
    EXPECT_EQ(r.lowestInk(16, 23), at35 + 1);
}

TEST(HelpText, BlinkingTextShowsInTheFirstHalfOfEveryHalfSecondAndUnderlinesStay) {
    HelpRig r;
    const std::string text = "&w0001" + repeated("\r\n", 10) + "&p&e1234XXXX&e";
    r.render(text, 1, 0, 100);
    const int32_t shown = r.lowestInk(16, 60);
    r.render(text, 1, 0, 300);
    const int32_t hidden = r.lowestInk(16, 60);
    ASSERT_NE(shown, -1);
    ASSERT_NE(hidden, -1) << "the underline stays";
    int32_t inkShown = 0, inkHidden = 0;
    r.render(text, 1, 0, 100);
    for (int32_t y = hidden + 1; y <= hidden + 12; ++y)
        for (int32_t x = 16; x <= 60; ++x) inkShown += r.at(x, y) != HelpRig::kPaper;
    r.render(text, 1, 0, 300);
    for (int32_t y = hidden + 1; y <= hidden + 12; ++y)
        for (int32_t x = 16; x <= 60; ++x) inkHidden += r.at(x, y) != HelpRig::kPaper;
    EXPECT_GT(inkShown, 0);
    EXPECT_EQ(inkHidden, 0);
}

// Whatever the mark-up and the scroll, a render draws 73,920 random values for its soft edges,
// writes nothing outside columns 8..777 of rows 128..551, and gives rows 128..135 and 544..551
// back to the backdrop.
TEST(HelpText, DrawingStaysInTheTextArea) {
    HelpRig r;
    const std::string hostile[] = {
        "&w0001\r\n" + repeated("&f1&k&cffXXXXXXXX", 40),
        "&w0001&d999&i9&s9" + repeated("\tW W", 300),
        "&w0001&f3&h" + repeated("MMMMMMMMMMMMMMMMMMMMMMMM", 50) + "&f2" + repeated("y\r\n", 80),
        "&w0001&f4&x9999" + std::string(2000, 'Q') + "&f9zz&f1" + repeated("\x01\x1f", 300),
        "&w0001" + repeated("\r\n", 3) + "&e0000" + std::string(150, '_') + "&d000" +
            repeated("\n", 60) + "&g",
    };
    for (const std::string& text : hostile)
        for (const int32_t scroll : {0, 35, 10000, -50, -100000}) {
            SCOPED_TRACE(scroll);
            Random before = r.ed->random;
            r.render(text, 1, scroll, 125);
            for (int i = 0; i < 73920; ++i) randomLong(before);
            EXPECT_EQ(randomLong(before), randomLong(r.ed->random));
            for (int32_t y = 0; y < kScreenHeight; ++y)
                for (int32_t x = 0; x < kScreenWidth; ++x) {
                    const bool area = x >= 8 && x <= 777 && y >= 128 && y <= 551;
                    const bool edge = area && (y <= 135 || y >= 544);
                    if (!area) ASSERT_EQ(r.at(x, y), HelpRig::kPaper) << x << "," << y;
                    if (edge) ASSERT_EQ(r.at(x, y), HelpRig::kBackdrop) << x << "," << y;
                }
        }
}

TEST(HelpText, TheGeneratedHelpFileHasEveryTopicFromTheFirst) {
    HelpRig r;
    test::Trace log;
    test::recordLog(r.ed->calls, log, false);
    loadHelpFile(*r.ed);
    EXPECT_TRUE(log.empty());
    const std::string text = r.ed->help.documentText;
    ASSERT_FALSE(text.empty());
    int32_t topics = 0;
    for (size_t i = 0; (i = text.find("&w", i)) != std::string::npos; i += 2) ++topics;
    ASSERT_GT(topics, 0);
    for (int32_t page = 0; page < topics; ++page) {
        SCOPED_TRACE(page);
        r.ed->help.documentPage = page;
        r.ed->help.documentScroll = 0;
        renderHelpTopic(*r.ed);
        EXPECT_GT(r.ed->help.documentHeight, 0);
    }
}

TEST(HelpText, AHelpFileNameThatIsNoPlainFileNameCountsAsMissing) {
    for (const char* name :
         {"../korvel_en.hlp", "C:korvel_en.hlp", "sub/korvel_en.hlp", "", "nothere.hlp"}) {
        SCOPED_TRACE(name);
        HelpRig r;
        r.ed->langs.languages[size_t(r.ed->langs.currentLanguage)].helpFile = name;
        r.ed->help.documentText = "kept";
        test::Trace log;
        test::recordLog(r.ed->calls, log, false);
        loadHelpFile(*r.ed);
        EXPECT_EQ(r.ed->help.documentText, "kept");
        ASSERT_EQ(log.size(), 1u);
        EXPECT_NE(log[0].find(std::string("\"") + name + "\""), std::string::npos) << log[0];
        EXPECT_NE(log[0].find("@68"), std::string::npos);
    }
}

}  // namespace
}  // namespace korvel
