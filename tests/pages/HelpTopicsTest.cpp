// The help popup's topics: where a tool strip puts its items, which list entry the typed value
// boxes and when, the window of the sound list, and text cut at the popup's edges.
#include "pages/HelpTopics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "base/ValueConv.h"
#include "support/DrawFixtures.h"
#include "support/LanguageFixture.h"
#include "ui/Fonts.h"
#include "ui/Languages.h"
#include "ui/Text.h"

namespace korvel {
namespace {

constexpr uint8_t kClear = 3;
constexpr uint8_t kInk = 20;

// Fonts whose every glyph is solid ink; the proportional glyphs 5 pixels wide (advance 6).
Fonts solidFonts() {
    Fonts f;
    for (auto* sheet : {&f.font4x6, &f.font7x11, &f.font5x7, &f.font8x11})
        std::fill(sheet->begin(), sheet->end(), uint8_t(255));
    f.font8x11Widths.fill(5);
    f.font5x7Widths.fill(4);
    return f;
}

struct TopicRig {
    test::DrawRig draw;
    Fonts fonts = solidFonts();
    Languages langs;
    std::string prompt;
    int32_t frameTime = 0;
    NameTable soundNames = NameTable(1000);
    std::vector<int32_t> soundUsage = std::vector<int32_t>(1000);

    TopicRig() {
        std::map<int32_t, std::string> texts;
        for (int32_t n = 600; n <= 720; ++n) texts[n] = std::string(size_t(n % 7 + 2), 'm');
        langs = test::languageWith(texts);
        draw.clear(kClear);
    }
    HelpTopicInput input() {
        return {draw.canvas, fonts, langs, prompt, frameTime, soundNames, soundUsage};
    }
    uint8_t at(int32_t x, int32_t y) { return draw.px(x, y); }
    int32_t countInk() {
        int32_t n = 0;
        for (int32_t y = 0; y < 600; ++y)
            for (int32_t x = 0; x < 800; ++x) n += at(x, y) == kInk;
        return n;
    }
};

TEST(HelpTopics, StripItemsFollowEachOtherByTheLayoutRule) {
    // Caption x, message x: message = caption + 8 (characters + 1); next caption = message +
    // width + 48, where a proportional text of n characters is 6n - 1 wide in these fonts.
    struct Case {
        int32_t tool, y;
        std::vector<int32_t> starts;  // caption, message, caption, message, ...
    };
    TopicRig r;
    auto messageWidth = [&](int32_t n) { return 6 * int32_t(getMessage(n, r.langs).size()) - 1; };
    // Strip of the polygon tool, first line: "[Space]" 652, "[R]" 653, "[U]" 654, "[-], [+]" 655.
    std::vector<int32_t> polygon{16, 16 + 64};
    polygon.push_back(polygon[1] + messageWidth(652) + 48);
    polygon.push_back(polygon[2] + 32);
    polygon.push_back(polygon[3] + messageWidth(653) + 48);
    polygon.push_back(polygon[4] + 32);
    // Second line of the affine grid tool: "[N]" 678 alone.
    const Case cases[] = {{1, 156, polygon}, {31, 144, {16, 48}}, {2, 144, {16, 80}}};
    for (const Case& c : cases) {
        r.draw.clear(kClear);
        drawToolHint(r.input(), c.tool);
        for (int32_t x : c.starts) {
            EXPECT_EQ(r.at(x, c.y + 5), kInk) << "tool " << c.tool << " x " << x;
            EXPECT_EQ(r.at(x - 1, c.y + 5), kClear) << "tool " << c.tool << " x " << x;
        }
    }
    // One-line strips stand on row 144 only; the two-line ones use 156 as well.
    for (int32_t tool : {1, 10, 15, 31, 34, 2, 35}) {
        r.draw.clear(kClear);
        drawToolHint(r.input(), tool);
        const bool twoLines = tool == 1 || tool == 10 || tool == 15 || tool == 31 || tool == 34;
        EXPECT_EQ(r.at(16, 161), twoLines ? kInk : kClear) << tool;
        EXPECT_EQ(r.at(16, 149), kInk) << tool;
    }
}

TEST(HelpTopics, TextLongerThanItsPopupIsCutAtTheEdge) {
    TopicRig r;
    std::map<int32_t, std::string> texts;
    for (int32_t n = 600; n <= 720; ++n) texts[n] = std::string(300, 'w');
    r.langs = test::languageWith(texts);
    r.soundNames.set(5, std::string(200, 'n'));
    struct Case {
        void (*draw)(const HelpTopicInput&);
        ClipRect box;
    } cases[] = {
        {[](const HelpTopicInput& in) { drawToolHint(in, 1); }, {8, 136, 792, 174}},
        {[](const HelpTopicInput& in) { drawToolHint(in, 2); }, {8, 136, 792, 162}},
        {drawEffectorLotagList, {112, 210, 688, 502}},
        {drawSectorLotagList, {136, 263, 664, 459}},
        {drawSoundList, {250, 140, 550, 572}},
    };
    for (const Case& c : cases) {
        r.draw.clear(kClear);
        r.frameTime = 150;  // no highlight box
        c.draw(r.input());
        const ClipRect inner{c.box.x0 + 1, c.box.y0 + 1, c.box.x1 - 1, c.box.y1 - 1};
        EXPECT_TRUE(test::unchangedOutside(screenView(r.draw.canvas.frame), kClear, inner))
            << c.box.x0;
        EXPECT_TRUE(r.draw.guardsIntact());
    }
}

TEST(HelpTopics, TheTypedValueBoxesItsEntryInTheFirstHalfOfEvery200Ms) {
    struct Case {
        void (*draw)(const HelpTopicInput&);
        std::string typed;
        bool boxed;
        int32_t x, bottom, w;
    };
    const Case cases[] = {
        {drawEffectorLotagList, "", true, 126, 452, 264},
        {drawEffectorLotagList, "abc", true, 126, 452, 264},
        {drawEffectorLotagList, "4", true, 126, 404, 264},
        {drawEffectorLotagList, "6", true, 126, 392, 264},
        {drawEffectorLotagList, "21", true, 126, 224, 264},
        {drawEffectorLotagList, "22", true, 398, 452, 264},
        {drawEffectorLotagList, "36", true, 398, 320, 264},
        {drawEffectorLotagList, "45", true, 398, 236, 264},
        {drawEffectorLotagList, "5", false, 0, 0, 0},
        {drawEffectorLotagList, "16", false, 0, 0, 0},
        {drawEffectorLotagList, "26", false, 0, 0, 0},
        {drawEffectorLotagList, "34", false, 0, 0, 0},
        {drawEffectorLotagList, "-1", false, 0, 0, 0},
        {drawSectorLotagList, "", false, 0, 0, 0},
        {drawSectorLotagList, "1", true, 150, 409, 240},
        {drawSectorLotagList, "9", true, 150, 385, 240},
        {drawSectorLotagList, "23", true, 150, 277, 240},
        {drawSectorLotagList, "25", true, 398, 409, 240},
        {drawSectorLotagList, "10500", true, 398, 325, 240},
        {drawSectorLotagList, "32767", true, 398, 313, 240},
        {drawSectorLotagList, "65534", true, 398, 301, 240},
        {drawSectorLotagList, "65535", true, 398, 289, 240},
        {drawSectorLotagList, "24", false, 0, 0, 0},
        {drawSoundList, "", true, 258, 523, 284},
        {drawSoundList, "3", true, 258, 487, 284},
        {drawSoundList, "500", true, 258, 331, 284},
        {drawSoundList, "984", true, 258, 331, 284},
        {drawSoundList, "985", true, 258, 319, 284},
        {drawSoundList, "999", true, 258, 151, 284},
        {drawSoundList, "1000", false, 0, 0, 0},
        {drawSoundList, "-1", false, 0, 0, 0},
    };
    TopicRig r;
    r.fonts = Fonts{};  // no text: only the box is ink
    for (const Case& c : cases) {
        const std::string what = std::to_string(size_t(&c - cases)) + " '" + c.typed + "'";
        r.prompt = c.typed;
        for (int32_t t : {0, 99, 100, 199, 200, 350}) {
            r.frameTime = t;
            r.draw.clear(kClear);
            c.draw(r.input());
            const bool on = c.boxed && t % 200 < 100;
            ASSERT_EQ(r.countInk(), on ? 24 + 2 * c.w : 0) << what << " at " << t;
            if (!on) continue;
            for (auto [x, y] : {std::pair{c.x, c.bottom}, {c.x + c.w, c.bottom + 12},
                                {c.x + c.w, c.bottom}, {c.x + c.w - 1, c.bottom + 12}})
                EXPECT_EQ(r.at(x, y), kInk) << what << " (" << x << ", " << y << ")";
        }
    }
}

TEST(HelpTopics, SoundListWindowFollowsTheTypedNumber) {
    const std::pair<std::string, int32_t> cases[] = {
        {"3", 0}, {"16", 0}, {"17", 1}, {"984", 968}, {"985", 968}, {"999", 968},
        {"-2147483648", 0}, {"2147483647", 968}};
    for (const auto& [typed, first] : cases) EXPECT_EQ(soundListFirst(parseInt32(typed)), first);

    TopicRig r;
    r.frameTime = 150;
    r.prompt = "999";
    r.soundUsage[968] = 7;      // the first row shows "[7]" right-aligned to 540
    r.soundUsage[999] = 12345;  // and the last "[12345]"
    r.soundNames.set(968, "a");
    r.soundNames.set(969, "");  // an empty name shows message 715
    drawSoundList(r.input());
    EXPECT_EQ(r.at(525, 526), kInk);
    EXPECT_EQ(r.at(524, 526), kClear);
    EXPECT_EQ(r.at(538, 526), kInk);
    EXPECT_EQ(r.at(539, 526), kClear);
    EXPECT_EQ(r.at(505, 154), kInk);
    EXPECT_EQ(r.at(504, 154), kClear);
    EXPECT_EQ(r.at(306, 529), kInk);  // "a": one glyph of 5 columns at x 302
    EXPECT_EQ(r.at(307, 529), kClear);
    const int32_t missing = 6 * int32_t(getMessage(715, r.langs).size()) - 1;
    EXPECT_EQ(r.at(302 + missing - 1, 517), kInk);
    EXPECT_EQ(r.at(302 + missing, 517), kClear);
    // Sounds without uses show no count.
    EXPECT_EQ(r.at(538, 518), kClear);
}

}  // namespace
}  // namespace korvel
