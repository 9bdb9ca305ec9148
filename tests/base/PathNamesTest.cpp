#include "base/PathNames.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(PathNames, SplitAtTheLastSeparatorOfEitherKind) {
    struct Case {
        std::string path, folder, name;
    } const cases[] = {
        {"C:\\MAPS\\E1L1.MAP", "C:\\MAPS\\", "E1L1.MAP"},
        {"/home/user/maps/e1l1.map", "/home/user/maps/", "e1l1.map"},
        {"/home/user\\maps/mixed.map", "/home/user\\maps/", "mixed.map"},
        {"C:/MAPS\\b.map", "C:/MAPS\\", "b.map"},
        {"/maps/", "/maps/", ""},
        {"/", "/", ""},
        {"bare.map", "", ""},  // no separator: neither part
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(getPathFolder(c.path), c.folder) << c.path;
        EXPECT_EQ(getPathFileName(c.path), c.name) << c.path;
    }
}

TEST(PathNames, LettersCompareWithoutCaseInBothAlphabets) {
    struct Case {
        std::string a, b;
        bool equal;
    } const cases[] = {
        {"/Maps/E1L1.map", "/MAPS/e1l1.MAP", true},
        {"\xCA\xE0\xF0\xF2\xE0.map", "\xEA\xC0\xD0\xD2\xC0.MAP", true},  // Cyrillic
        {"\xA8\xEB\xEA\xE0", "\xB8\xCB\xCA\xC0", true},                  // with yo
        {"a.map", "a.mab", false},
        {"a.map", "a.map ", false},
        {"[", "{", false},  // not letters: 0x5B and 0x7B stay apart
    };
    for (const Case& c : cases) EXPECT_EQ(equalIgnoringCase(c.a, c.b), c.equal) << c.a;
    EXPECT_EQ(upperCp1251('q'), 'Q');
    EXPECT_EQ(upperCp1251('7'), '7');
    EXPECT_EQ(uint8_t(upperCp1251(char(0xFF))), 0xDF);
}

}  // namespace
}  // namespace korvel
