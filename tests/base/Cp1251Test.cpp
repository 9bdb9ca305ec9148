#include "base/Cp1251.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(Cp1251, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += char(b);
    EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(all)), all);
}

TEST(Cp1251, KnownCharacters) {
    struct Case {
        std::string cp1251, utf8;
    } cases[] = {
        {"A", "A"},
        {"\xC0\xFF", "\xD0\x90\xD1\x8F"},  // capital A and small ya of the Cyrillic alphabet
        {"\xB0", "\xC2\xB0"},              // degree sign
        {"\xA8", "\xD0\x81"},              // capital Io
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp1251ToUtf8(c.cp1251), c.utf8);
        EXPECT_EQ(utf8ToCp1251(c.utf8), c.cp1251);
    }
}

TEST(Cp1251, UnmappableAndMalformedUtf8BecomeQuestionMarks) {
    EXPECT_EQ(utf8ToCp1251("\xE4\xB8\xAD"), "?");  // a CJK character
    EXPECT_EQ(utf8ToCp1251("a\xC3"), "a?");        // cut short
    EXPECT_EQ(utf8ToCp1251("\x80z"), "?z");        // stray continuation byte
    EXPECT_EQ(utf8ToCp1251("\xC3(x"), "?(x");      // bad continuation
}

// Names from the system keep what Windows-1251 cannot say, so that they come back byte for byte;
// the screen shows one '?' per such character.
TEST(Cp1251, PathTextGivesTheSystemBytesBack) {
    struct Case {
        const char* name;
        std::string utf8, path, shown;
    } cases[] = {
        {"plain", "maps/a.map", "maps/a.map", "maps/a.map"},
        {"Cyrillic", "\xD0\x9A.map", "\xCA.map", "\xCA.map"},
        {"CJK", "\xE4\xB8\xAD.map", "\x98" "E4\x98" "B8\x98" "AD.map", "?.map"},
        {"emoji beside Cyrillic", "\xF0\x9F\x98\x80\xD0\x9A",
         "\x98" "F0\x98" "9F\x98" "98\x98" "80\xCA", "?\xCA"},
        {"U+0098 itself", "\xC2\x98", "\x98" "C2\x98" "98", "?"},
        {"stray continuation byte", "\x80z", "\x98" "80z", "?z"},
        {"cut short", "a\xC3", "a\x98" "C3", "a?"},
        {"overlong slash", "\xC0\xAF", "\x98" "C0\x98" "AF", "?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8ToPathText(c.utf8), c.path);
        EXPECT_EQ(pathTextToUtf8(c.path), c.utf8);
        EXPECT_EQ(shownPathText(c.path), c.shown);
    }
    // Text typed in the program reads as before, 0x98 without two hex digits too.
    EXPECT_EQ(pathTextToUtf8("\x98z\xCA"), cp1251ToUtf8("\x98z\xCA"));
}

}  // namespace
}  // namespace korvel
