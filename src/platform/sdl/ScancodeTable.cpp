#include "platform/sdl/ScancodeTable.h"

#include <SDL_mouse.h>

#include <array>
#include <cstdint>

namespace korvel {

namespace {

struct ScancodeEntry {
    SDL_Scancode scancode;
    uint8_t vk;            // NumLock on, and every key outside the numeric pad
    uint8_t vkNumLockOff;  // 0: the same as vk
};

// Keys that print characters are named by their position on a US keyboard.
constexpr ScancodeEntry kScancodeTable[] = {
    {SDL_SCANCODE_A, 'A', 0},
    {SDL_SCANCODE_B, 'B', 0},
    {SDL_SCANCODE_C, 'C', 0},
    {SDL_SCANCODE_D, 'D', 0},
    {SDL_SCANCODE_E, 'E', 0},
    {SDL_SCANCODE_F, 'F', 0},
    {SDL_SCANCODE_G, 'G', 0},
    {SDL_SCANCODE_H, 'H', 0},
    {SDL_SCANCODE_I, 'I', 0},
    {SDL_SCANCODE_J, 'J', 0},
    {SDL_SCANCODE_K, 'K', 0},
    {SDL_SCANCODE_L, 'L', 0},
    {SDL_SCANCODE_M, 'M', 0},
    {SDL_SCANCODE_N, 'N', 0},
    {SDL_SCANCODE_O, 'O', 0},
    {SDL_SCANCODE_P, 'P', 0},
    {SDL_SCANCODE_Q, 'Q', 0},
    {SDL_SCANCODE_R, 'R', 0},
    {SDL_SCANCODE_S, 'S', 0},
    {SDL_SCANCODE_T, 'T', 0},
    {SDL_SCANCODE_U, 'U', 0},
    {SDL_SCANCODE_V, 'V', 0},
    {SDL_SCANCODE_W, 'W', 0},
    {SDL_SCANCODE_X, 'X', 0},
    {SDL_SCANCODE_Y, 'Y', 0},
    {SDL_SCANCODE_Z, 'Z', 0},

    {SDL_SCANCODE_1, '1', 0},
    {SDL_SCANCODE_2, '2', 0},
    {SDL_SCANCODE_3, '3', 0},
    {SDL_SCANCODE_4, '4', 0},
    {SDL_SCANCODE_5, '5', 0},
    {SDL_SCANCODE_6, '6', 0},
    {SDL_SCANCODE_7, '7', 0},
    {SDL_SCANCODE_8, '8', 0},
    {SDL_SCANCODE_9, '9', 0},
    {SDL_SCANCODE_0, '0', 0},

    {SDL_SCANCODE_RETURN, 13, 0},
    {SDL_SCANCODE_ESCAPE, 27, 0},
    {SDL_SCANCODE_BACKSPACE, 8, 0},
    {SDL_SCANCODE_TAB, 9, 0},
    {SDL_SCANCODE_SPACE, 32, 0},

    // OEM keys.
    {SDL_SCANCODE_SEMICOLON, 186, 0},
    {SDL_SCANCODE_EQUALS, 187, 0},
    {SDL_SCANCODE_COMMA, 188, 0},
    {SDL_SCANCODE_MINUS, 189, 0},
    {SDL_SCANCODE_PERIOD, 190, 0},
    {SDL_SCANCODE_SLASH, 191, 0},
    {SDL_SCANCODE_GRAVE, 192, 0},
    {SDL_SCANCODE_LEFTBRACKET, 219, 0},
    {SDL_SCANCODE_BACKSLASH, 220, 0},
    {SDL_SCANCODE_NONUSHASH, 220, 0},
    {SDL_SCANCODE_RIGHTBRACKET, 221, 0},
    {SDL_SCANCODE_APOSTROPHE, 222, 0},
    {SDL_SCANCODE_NONUSBACKSLASH, 226, 0},

    {SDL_SCANCODE_CAPSLOCK, 20, 0},
    {SDL_SCANCODE_NUMLOCKCLEAR, 144, 0},
    {SDL_SCANCODE_SCROLLLOCK, 145, 0},

    {SDL_SCANCODE_F1, 112, 0},
    {SDL_SCANCODE_F2, 113, 0},
    {SDL_SCANCODE_F3, 114, 0},
    {SDL_SCANCODE_F4, 115, 0},
    {SDL_SCANCODE_F5, 116, 0},
    {SDL_SCANCODE_F6, 117, 0},
    {SDL_SCANCODE_F7, 118, 0},
    {SDL_SCANCODE_F8, 119, 0},
    {SDL_SCANCODE_F9, 120, 0},
    {SDL_SCANCODE_F10, 121, 0},
    {SDL_SCANCODE_F11, 122, 0},
    {SDL_SCANCODE_F12, 123, 0},
    {SDL_SCANCODE_F13, 124, 0},
    {SDL_SCANCODE_F14, 125, 0},
    {SDL_SCANCODE_F15, 126, 0},
    {SDL_SCANCODE_F16, 127, 0},
    {SDL_SCANCODE_F17, 128, 0},
    {SDL_SCANCODE_F18, 129, 0},
    {SDL_SCANCODE_F19, 130, 0},
    {SDL_SCANCODE_F20, 131, 0},
    {SDL_SCANCODE_F21, 132, 0},
    {SDL_SCANCODE_F22, 133, 0},
    {SDL_SCANCODE_F23, 134, 0},
    {SDL_SCANCODE_F24, 135, 0},

    {SDL_SCANCODE_PRINTSCREEN, 44, 0},
    {SDL_SCANCODE_PAUSE, 19, 0},
    {SDL_SCANCODE_INSERT, 45, 0},
    {SDL_SCANCODE_DELETE, 46, 0},
    {SDL_SCANCODE_HOME, 36, 0},
    {SDL_SCANCODE_END, 35, 0},
    {SDL_SCANCODE_PAGEUP, 33, 0},
    {SDL_SCANCODE_PAGEDOWN, 34, 0},
    {SDL_SCANCODE_LEFT, 37, 0},
    {SDL_SCANCODE_UP, 38, 0},
    {SDL_SCANCODE_RIGHT, 39, 0},
    {SDL_SCANCODE_DOWN, 40, 0},

    // Numeric pad: with NumLock off the digits are the cursor block and 5 is Clear (12).
    {SDL_SCANCODE_KP_0, 96, 45},
    {SDL_SCANCODE_KP_1, 97, 35},
    {SDL_SCANCODE_KP_2, 98, 40},
    {SDL_SCANCODE_KP_3, 99, 34},
    {SDL_SCANCODE_KP_4, 100, 37},
    {SDL_SCANCODE_KP_5, 101, 12},
    {SDL_SCANCODE_KP_6, 102, 39},
    {SDL_SCANCODE_KP_7, 103, 36},
    {SDL_SCANCODE_KP_8, 104, 38},
    {SDL_SCANCODE_KP_9, 105, 33},
    {SDL_SCANCODE_KP_MULTIPLY, 106, 0},
    {SDL_SCANCODE_KP_PLUS, 107, 0},
    {SDL_SCANCODE_KP_MINUS, 109, 0},
    {SDL_SCANCODE_KP_PERIOD, 110, 46},
    {SDL_SCANCODE_KP_DIVIDE, 111, 0},
    {SDL_SCANCODE_KP_ENTER, 13, 0},

    {SDL_SCANCODE_LSHIFT, 160, 0},
    {SDL_SCANCODE_RSHIFT, 161, 0},
    {SDL_SCANCODE_LCTRL, 162, 0},
    {SDL_SCANCODE_RCTRL, 163, 0},
    {SDL_SCANCODE_LALT, 164, 0},
    {SDL_SCANCODE_RALT, 165, 0},
    {SDL_SCANCODE_LGUI, 91, 0},
    {SDL_SCANCODE_RGUI, 92, 0},
    {SDL_SCANCODE_APPLICATION, 93, 0},

    {SDL_SCANCODE_CLEAR, 12, 0},
    {SDL_SCANCODE_SELECT, 41, 0},
    {SDL_SCANCODE_EXECUTE, 43, 0},
    {SDL_SCANCODE_HELP, 47, 0},
    {SDL_SCANCODE_SLEEP, 95, 0},
    {SDL_SCANCODE_AUDIOMUTE, 173, 0},
    {SDL_SCANCODE_MUTE, 173, 0},
    {SDL_SCANCODE_VOLUMEDOWN, 174, 0},
    {SDL_SCANCODE_VOLUMEUP, 175, 0},
    {SDL_SCANCODE_AUDIONEXT, 176, 0},
    {SDL_SCANCODE_AUDIOPREV, 177, 0},
    {SDL_SCANCODE_AUDIOSTOP, 178, 0},
    {SDL_SCANCODE_AUDIOPLAY, 179, 0},
};

struct Lookup {
    std::array<uint8_t, SDL_NUM_SCANCODES> on{}, off{};
};

const Lookup& lookup() {
    static const Lookup table = [] {
        Lookup t;
        for (const auto& e : kScancodeTable) {
            t.on[e.scancode] = e.vk;
            t.off[e.scancode] = e.vkNumLockOff != 0 ? e.vkNumLockOff : e.vk;
        }
        return t;
    }();
    return table;
}

}  // namespace

int virtualKeyForScancode(int scancode, bool numLockOn) {
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
    return numLockOn ? lookup().on[scancode] : lookup().off[scancode];
}

int virtualKeyForMouseButton(int sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return 1;
        case SDL_BUTTON_RIGHT:
            return 2;
        case SDL_BUTTON_MIDDLE:
            return 4;
        case SDL_BUTTON_X1:
            return 5;
        case SDL_BUTTON_X2:
            return 6;
        default:
            return 0;
    }
}

}  // namespace korvel
