#include "ui/TypedText.h"

#include <array>

#include "app/InputState.h"

namespace korvel {

namespace {

constexpr int kShiftKey = 16;
constexpr uint8_t kBackspace = 8;

// The digit row's shifted symbols: Latin ")!@#$%^&*(" and Cyrillic ")!"№;%:?*(".
constexpr std::array<uint8_t, 10> kLatinShiftedDigits = {')', '!', '@', '#', '$',
                                                         '%', '^', '&', '*', '('};
constexpr std::array<uint8_t, 10> kCyrillicShiftedDigits = {')', '!', '"', 0xB9, ';',
                                                            '%', ':', '?', '*',  '('};
// The small Cyrillic letters on the keys A to Z (Windows-1251); capitals are 32 lower.
constexpr std::array<uint8_t, 26> kCyrillicLetters = {
    0xF4, 0xE8, 0xF1, 0xE2, 0xF3, 0xE0, 0xEF, 0xF0, 0xF8, 0xEE, 0xEB, 0xE4, 0xFC,
    0xF2, 0xF9, 0xE7, 0xE9, 0xEA, 0xFB, 0xE5, 0xE3, 0xEC, 0xF6, 0xF7, 0xED, 0xFF};

// Punctuation keys by layout and Shift: {Latin, Latin shifted, Cyrillic, Cyrillic shifted}.
struct PunctuationKey {
    uint8_t key;
    std::array<uint8_t, 4> chars;
};
constexpr std::array<PunctuationKey, 11> kPunctuation = {{
    {186, {';', ':', 0xE6, 0xC6}},
    {187, {'=', '+', '=', '+'}},
    {188, {',', '<', 0xE1, 0xC1}},
    {189, {'-', '_', '-', '_'}},
    {190, {'.', '>', 0xFE, 0xDE}},
    {191, {'/', '?', '.', ','}},
    {192, {'`', '~', 0xB8, 0xA8}},
    {219, {'[', '{', 0xF5, 0xD5}},
    {220, {'\\', '|', '\\', '/'}},
    {221, {']', '}', 0xFA, 0xDA}},
    {222, {'\'', '"', 0xFD, 0xDD}},
}};

}  // namespace

uint8_t keyToChar(const InputState& in, uint8_t key) {
    const bool shift = in.keyStates[kShiftKey] < 0;
    const bool cyrillic = in.cyrillicKeyboard != 0;
    if (key == kBackspace) return kBackspace;
    if (key == 32) return ' ';
    if (key >= 48 && key <= 57) {
        if (!shift) return key;
        return cyrillic ? kCyrillicShiftedDigits[key - 48] : kLatinShiftedDigits[key - 48];
    }
    if (key >= 65 && key <= 90) {
        if (cyrillic) {
            const uint8_t small = kCyrillicLetters[key - 65];
            return shift ? uint8_t(small - 32) : small;
        }
        return shift ? key : uint8_t(key + 32);
    }
    // The numeric pad gives the digit row's Latin symbols with Shift, in both layouts.
    if (key >= 96 && key <= 105)
        return shift ? kLatinShiftedDigits[key - 96] : uint8_t('0' + key - 96);
    switch (key) {
        case 106:
            return '*';
        case 107:
            return '+';
        case 109:
            return '-';
        case 110:
            return '.';
        case 111:
            return '/';
        default:
            break;
    }
    for (const PunctuationKey& p : kPunctuation)
        if (p.key == key) return p.chars[(cyrillic ? 2 : 0) + (shift ? 1 : 0)];
    return 0;
}

void readTypedText(InputState& in, std::string& text) {
    for (int key = 0; key < 256; ++key) {
        if (!in.keyPressed[size_t(key)]) continue;
        const uint8_t c = keyToChar(in, uint8_t(key));
        if (c == 0) continue;
        in.keyPressed[size_t(key)] = 0;
        if (c == kBackspace) {
            if (!text.empty()) text.pop_back();
        } else {
            text += char(c);
        }
    }
}

}  // namespace korvel
