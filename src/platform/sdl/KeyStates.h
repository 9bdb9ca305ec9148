// Key states by virtual key, kept from press and release events of physical sources (keys and
// mouse buttons) in the format the program polls: sign bit while down, bit 0 the toggle state.
#pragma once

#include <array>
#include <cstdint>

namespace korvel {

class KeyStates {
public:
    // Sources are numbered by the caller (scancodes, then mouse buttons); each one presses the
    // virtual key it had when it went down until it comes up, whatever a lock key did meanwhile.
    static constexpr int kSourceCount = 1024;

    // A source went down as virtual key vk (1..255). Repeated downs of a held source are ignored.
    void sourceDown(int source, int vk);
    void sourceUp(int source);
    // Everything comes up (focus lost); toggle states stay.
    void releaseAll();
    // The toggle of a lock key follows the keyboard's real lock state.
    void setToggle(int vk, bool on);

    // A virtual key is down while any source holds it; Shift, Ctrl and Alt (16, 17, 18) are down
    // while either side (160..165) is. The toggle flips on every press, as the keyboard does.
    int16_t state(int vk) const;

private:
    void press(int vk);
    void release(int vk);

    std::array<uint8_t, kSourceCount> sourceVk_{};  // 0: source up
    std::array<uint8_t, 256> holders_{};
    std::array<bool, 256> toggled_{};
};

}  // namespace korvel
