// The input of the current frame as sampled at its start: key states with press edges and
// auto-repeat, the frame time and the last three mouse positions, and the typing layout keys are
// read in. Everything later in the frame reads only these values.
#pragma once

#include <array>
#include <cstdint>

namespace korvel {

struct InputState {
    int32_t frameTime = 0;  // milliseconds since the frame loop started (or the recorded time)
    // 0..255: state of virtual key k this frame (negative while down, bit 0 the toggle);
    // 256..511: the state of key k - 256 in the previous frame.
    std::array<int16_t, 512> keyStates{};
    // 1 when key k went down or auto-repeated this frame; a handler that acts on it clears it.
    std::array<uint8_t, 256> keyPressed{};
    std::array<int32_t, 256> keyDownTime{};     // frameTime while down, 0 while up
    std::array<int32_t, 256> keyRepeatTime{};   // base time of the next auto-repeat
    std::array<int32_t, 256> keyRepeatCount{};  // auto-repeats since the key went down
    uint8_t keyPressedThisFrame = 0;            // a key other than the modifiers went down
    // Pointer in screen pixels, y counted from the bottom row; then one and two frames earlier.
    int32_t mouseX = 0, mouseY = 0;
    int32_t prevMouseX = 0, prevMouseY = 0;
    int32_t prevMouseX2 = 0, prevMouseY2 = 0;
    // Typed keys give the characters of the second (Cyrillic) layout.
    uint8_t cyrillicKeyboard = 0;
    // Set by the window's close handler; also ends a step-by-step wait of the start-up log.
    bool closeRequested = false;
};

}  // namespace korvel
