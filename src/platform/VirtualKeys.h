// Names of the virtual keys the program binds: the Windows numbers 0 to 255 that every key state
// inside the program is indexed by (letters and digits are their characters).
#pragma once

#include <cstdint>

namespace korvel::vk {

constexpr uint8_t MouseExtra1 = 5, MouseExtra2 = 6;
constexpr uint8_t Backspace = 8, Tab = 9, Enter = 13, Shift = 16, Ctrl = 17, Alt = 18;
constexpr uint8_t Escape = 27, Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36;
constexpr uint8_t Left = 37, Up = 38, Right = 39, Down = 40, Insert = 45, Delete = 46;
constexpr uint8_t Pad0 = 96, Pad1 = 97, Pad2 = 98, Pad3 = 99, Pad4 = 100, Pad5 = 101, Pad6 = 102;
constexpr uint8_t Pad7 = 103, Pad8 = 104, Pad9 = 105;
constexpr uint8_t PadMultiply = 106, PadPlus = 107, PadMinus = 109, PadPoint = 110;
constexpr uint8_t PadDivide = 111;
constexpr uint8_t F1 = 112, F2 = 113, F3 = 114, F4 = 115, F5 = 116, F6 = 117, F7 = 118;
constexpr uint8_t F8 = 119, F9 = 120, F10 = 121, F11 = 122, F12 = 123;
constexpr uint8_t ScrollLock = 145;
constexpr uint8_t Semicolon = 186, Equals = 187, Comma = 188, Minus = 189, Period = 190;
constexpr uint8_t Slash = 191, Grave = 192, LeftBracket = 219, Backslash = 220;
constexpr uint8_t RightBracket = 221;

}  // namespace korvel::vk
