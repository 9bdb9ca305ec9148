#include "platform/sdl/ScancodeTable.h"

#include <gtest/gtest.h>

#include <SDL_mouse.h>

namespace korvel {
namespace {

struct KeyCase {
    SDL_Scancode scancode;
    int vk;
};

void expectKeys(const std::vector<KeyCase>& cases, bool numLock) {
    for (const auto& c : cases)
        EXPECT_EQ(virtualKeyForScancode(c.scancode, numLock), c.vk)
            << "scancode " << int(c.scancode) << " NumLock " << numLock;
}

TEST(ScancodeTable, LettersAndDigits) {
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(virtualKeyForScancode(SDL_Scancode(SDL_SCANCODE_A + i), true), 'A' + i);
        EXPECT_EQ(virtualKeyForScancode(SDL_Scancode(SDL_SCANCODE_A + i), false), 'A' + i);
    }
    // SDL orders the digit row 1..9, 0.
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(virtualKeyForScancode(SDL_Scancode(SDL_SCANCODE_1 + i), true), '1' + i);
    EXPECT_EQ(virtualKeyForScancode(SDL_SCANCODE_0, true), '0');
}

TEST(ScancodeTable, FunctionKeys) {
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(virtualKeyForScancode(SDL_Scancode(SDL_SCANCODE_F1 + i), true), 112 + i);
}

TEST(ScancodeTable, NumericPadFollowsNumLock) {
    struct PadCase {
        SDL_Scancode scancode;
        int on, off;
    } cases[] = {
        {SDL_SCANCODE_KP_0, 96, 45},           {SDL_SCANCODE_KP_1, 97, 35},
        {SDL_SCANCODE_KP_2, 98, 40},           {SDL_SCANCODE_KP_3, 99, 34},
        {SDL_SCANCODE_KP_4, 100, 37},          {SDL_SCANCODE_KP_5, 101, 12},
        {SDL_SCANCODE_KP_6, 102, 39},          {SDL_SCANCODE_KP_7, 103, 36},
        {SDL_SCANCODE_KP_8, 104, 38},          {SDL_SCANCODE_KP_9, 105, 33},
        {SDL_SCANCODE_KP_PERIOD, 110, 46},     {SDL_SCANCODE_KP_MULTIPLY, 106, 106},
        {SDL_SCANCODE_KP_PLUS, 107, 107},      {SDL_SCANCODE_KP_MINUS, 109, 109},
        {SDL_SCANCODE_KP_DIVIDE, 111, 111},    {SDL_SCANCODE_KP_ENTER, 13, 13},
        {SDL_SCANCODE_NUMLOCKCLEAR, 144, 144},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(virtualKeyForScancode(c.scancode, true), c.on) << int(c.scancode);
        EXPECT_EQ(virtualKeyForScancode(c.scancode, false), c.off) << int(c.scancode);
    }
}

TEST(ScancodeTable, ModifiersArrowsAndEditingKeys) {
    const std::vector<KeyCase> cases = {
        {SDL_SCANCODE_LSHIFT, 160},     {SDL_SCANCODE_RSHIFT, 161},  {SDL_SCANCODE_LCTRL, 162},
        {SDL_SCANCODE_RCTRL, 163},      {SDL_SCANCODE_LALT, 164},    {SDL_SCANCODE_RALT, 165},
        {SDL_SCANCODE_LEFT, 37},        {SDL_SCANCODE_UP, 38},       {SDL_SCANCODE_RIGHT, 39},
        {SDL_SCANCODE_DOWN, 40},        {SDL_SCANCODE_INSERT, 45},   {SDL_SCANCODE_DELETE, 46},
        {SDL_SCANCODE_HOME, 36},        {SDL_SCANCODE_END, 35},      {SDL_SCANCODE_PAGEUP, 33},
        {SDL_SCANCODE_PAGEDOWN, 34},    {SDL_SCANCODE_BACKSPACE, 8}, {SDL_SCANCODE_TAB, 9},
        {SDL_SCANCODE_RETURN, 13},      {SDL_SCANCODE_ESCAPE, 27},   {SDL_SCANCODE_SPACE, 32},
        {SDL_SCANCODE_PAUSE, 19},       {SDL_SCANCODE_CAPSLOCK, 20}, {SDL_SCANCODE_SCROLLLOCK, 145},
        {SDL_SCANCODE_PRINTSCREEN, 44}, {SDL_SCANCODE_LGUI, 91},     {SDL_SCANCODE_APPLICATION, 93},
    };
    expectKeys(cases, true);
    expectKeys(cases, false);  // NumLock changes nothing outside the numeric pad
}

TEST(ScancodeTable, OemKeysByUsPosition) {
    expectKeys({{SDL_SCANCODE_SEMICOLON, 186},
                {SDL_SCANCODE_EQUALS, 187},
                {SDL_SCANCODE_COMMA, 188},
                {SDL_SCANCODE_MINUS, 189},
                {SDL_SCANCODE_PERIOD, 190},
                {SDL_SCANCODE_SLASH, 191},
                {SDL_SCANCODE_GRAVE, 192},
                {SDL_SCANCODE_LEFTBRACKET, 219},
                {SDL_SCANCODE_BACKSLASH, 220},
                {SDL_SCANCODE_RIGHTBRACKET, 221},
                {SDL_SCANCODE_APOSTROPHE, 222},
                {SDL_SCANCODE_NONUSBACKSLASH, 226}},
               true);
}

TEST(ScancodeTable, UnknownKeysAndOutOfRangeScancodesHaveNoVirtualKey) {
    EXPECT_EQ(virtualKeyForScancode(SDL_SCANCODE_UNKNOWN, true), 0);
    EXPECT_EQ(virtualKeyForScancode(SDL_SCANCODE_KP_HEXADECIMAL, true), 0);
    EXPECT_EQ(virtualKeyForScancode(-5, true), 0);
    EXPECT_EQ(virtualKeyForScancode(SDL_NUM_SCANCODES, false), 0);
}

TEST(ScancodeTable, EveryVirtualKeyComesFromOneKeyOnlyExceptKnownTwins) {
    // Enter and the pad's Enter, the mute keys and the key beside a short left Shift share a
    // virtual key, as they do on Windows; any other clash would be a slip in the table.
    std::vector<int> owners(256, 0);
    for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc)
        if (const int vk = virtualKeyForScancode(SDL_Scancode(sc), true)) ++owners[vk];
    for (int vk = 1; vk < 256; ++vk) {
        const bool twin = vk == 13 || vk == 173 || vk == 220;
        EXPECT_LE(owners[vk], twin ? 2 : 1) << "virtual key " << vk;
    }
}

TEST(ScancodeTable, MouseButtons) {
    EXPECT_EQ(virtualKeyForMouseButton(SDL_BUTTON_LEFT), 1);
    EXPECT_EQ(virtualKeyForMouseButton(SDL_BUTTON_RIGHT), 2);
    EXPECT_EQ(virtualKeyForMouseButton(SDL_BUTTON_MIDDLE), 4);
    EXPECT_EQ(virtualKeyForMouseButton(SDL_BUTTON_X1), 5);
    EXPECT_EQ(virtualKeyForMouseButton(SDL_BUTTON_X2), 6);
    EXPECT_EQ(virtualKeyForMouseButton(9), 0);
}

}  // namespace
}  // namespace korvel
