#include "platform/sdl/SplashFont.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korvel {
namespace {

TEST(SplashFont, EveryCharacterOfTheSplashHasAGlyph) {
    for (char c : std::string("Initializing Korvel...")) {
        if (c == ' ') continue;
        const auto rows = splashGlyph(c);
        EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](uint8_t r) { return r != 0; })) << c;
        for (uint8_t row : rows) EXPECT_LT(row, 1 << kSplashGlyphWidth) << c;
    }
    const auto blank = splashGlyph('#');
    EXPECT_TRUE(std::all_of(blank.begin(), blank.end(), [](uint8_t r) { return r == 0; }));
}

TEST(SplashFont, TextIsSetGlyphByGlyphAtItsScale) {
    const SplashBitmap b = renderSplashText("I.", 2);
    EXPECT_EQ(b.width, 2 * 12 - 2);
    EXPECT_EQ(b.height, 14);
    ASSERT_EQ(b.ink.size(), size_t(b.width * b.height));
    auto at = [&](int x, int y) { return b.ink[size_t(y * b.width + x)]; };
    // 'I' has its top bar from font column 1 to 3: pixels 2..7 of rows 0 and 1.
    EXPECT_EQ(at(1, 0), 0);
    EXPECT_EQ(at(2, 0), 1);
    EXPECT_EQ(at(7, 1), 1);
    EXPECT_EQ(at(8, 0), 0);
    // '.' starts 12 pixels on; its dot is in font rows 5 and 6.
    EXPECT_EQ(at(12 + 2, 13), 1);
    EXPECT_EQ(at(12 + 2, 9), 0);
    EXPECT_EQ(renderSplashText("", 2).width, 0);
}

}  // namespace
}  // namespace korvel
