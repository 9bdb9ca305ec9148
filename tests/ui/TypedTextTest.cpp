#include "ui/TypedText.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "app/InputState.h"

namespace korvel {
namespace {

constexpr int kShift = 16;

InputState pressed(std::initializer_list<int> keys, bool shift = false, bool cyrillic = false) {
    InputState in;
    for (int k : keys) in.keyPressed[size_t(k)] = 1;
    if (shift) in.keyStates[kShift] = -128;
    in.cyrillicKeyboard = cyrillic ? 1 : 0;
    return in;
}

TEST(TypedText, EachKeyGivesItsCharacterInBothLayouts) {
    struct Case {
        int key;
        uint8_t latin, latinShift, cyrillic, cyrillicShift;
    } const cases[] = {
        {8, 8, 8, 8, 8},
        {32, ' ', ' ', ' ', ' '},
        {48, '0', ')', '0', ')'},
        {50, '2', '@', '2', '"'},
        {51, '3', '#', '3', 0xB9},  // the number sign
        {55, '7', '&', '7', '?'},
        {65, 'a', 'A', 0xF4, 0xD4},
        {81, 'q', 'Q', 0xE9, 0xC9},
        {90, 'z', 'Z', 0xFF, 0xDF},
        {96, '0', ')', '0', ')'},
        {97, '1', '!', '1', '!'},  // the pad gives the Latin symbols in both layouts
        {106, '*', '*', '*', '*'},
        {109, '-', '-', '-', '-'},
        {110, '.', '.', '.', '.'},
        {186, ';', ':', 0xE6, 0xC6},
        {188, ',', '<', 0xE1, 0xC1},
        {191, '/', '?', '.', ','},
        {192, '`', '~', 0xB8, 0xA8},
        {220, '\\', '|', '\\', '/'},
        {222, '\'', '"', 0xFD, 0xDD},
        {13, 0, 0, 0, 0},   // Enter
        {9, 0, 0, 0, 0},    // Tab
        {46, 0, 0, 0, 0},   // Delete
        {37, 0, 0, 0, 0},   // Left
        {112, 0, 0, 0, 0},  // F1
        {108, 0, 0, 0, 0},  // the pad separator
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(keyToChar(pressed({}, false, false), uint8_t(c.key)), c.latin);
        EXPECT_EQ(keyToChar(pressed({}, true, false), uint8_t(c.key)), c.latinShift);
        EXPECT_EQ(keyToChar(pressed({}, false, true), uint8_t(c.key)), c.cyrillic);
        EXPECT_EQ(keyToChar(pressed({}, true, true), uint8_t(c.key)), c.cyrillicShift);
    }
}

TEST(TypedText, TheFramesKeysAreAppendedInKeyOrderAndConsumed) {
    struct Case {
        const char* what;
        std::string before;
        std::initializer_list<int> keys;
        bool shift;
        bool cyrillic;
        std::string after;
    } const cases[] = {
        {"B and A in one frame", "", {66, 65}, false, false, "ab"},
        {"Shift with pad 1", "x", {97}, true, false, "x!"},
        {"A in the Cyrillic layout", "", {65}, false, true, "\xF4"},
        {"Backspace, then the letter of a higher key", "ab", {8, 67}, false, false, "ac"},
        {"Backspace on an empty text", "", {8}, false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InputState in = pressed(c.keys, c.shift, c.cyrillic);
        std::string text = c.before;
        readTypedText(in, text);
        EXPECT_EQ(text, c.after);
        for (int k : c.keys) EXPECT_EQ(in.keyPressed[size_t(k)], 0) << k;
    }
}

TEST(TypedText, KeysWithoutACharacterStayForOthers) {
    InputState in = pressed({13, 37, 46, 112, 65});
    std::string text;
    readTypedText(in, text);
    EXPECT_EQ(text, "a");
    for (int k : {13, 37, 46, 112}) EXPECT_EQ(in.keyPressed[size_t(k)], 1) << k;
}

}  // namespace
}  // namespace korvel
