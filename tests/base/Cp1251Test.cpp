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

}  // namespace
}  // namespace korvel
