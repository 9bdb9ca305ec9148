#include "platform/sdl/KeyStates.h"

#include "platform/Platform.h"

namespace korvel {

namespace {
// The generic modifier of a left or right one: 160/161 Shift 16, 162/163 Ctrl 17, 164/165 Alt 18.
int genericModifier(int vk) {
    return (vk >= 160 && vk <= 165) ? 16 + (vk - 160) / 2 : 0;
}
}  // namespace

void KeyStates::press(int vk) {
    if (holders_[vk]++ == 0) toggled_[vk] = !toggled_[vk];
}

void KeyStates::release(int vk) {
    if (holders_[vk] > 0) --holders_[vk];
}

void KeyStates::sourceDown(int source, int vk) {
    if (source < 0 || source >= kSourceCount || vk <= 0 || vk > 255) return;
    if (sourceVk_[source] != 0) return;
    sourceVk_[source] = uint8_t(vk);
    press(vk);
    if (const int generic = genericModifier(vk)) press(generic);
}

void KeyStates::sourceUp(int source) {
    if (source < 0 || source >= kSourceCount || sourceVk_[source] == 0) return;
    const int vk = sourceVk_[source];
    sourceVk_[source] = 0;
    release(vk);
    if (const int generic = genericModifier(vk)) release(generic);
}

void KeyStates::releaseAll() {
    sourceVk_.fill(0);
    holders_.fill(0);
}

void KeyStates::setToggle(int vk, bool on) {
    if (vk >= 0 && vk <= 255) toggled_[vk] = on;
}

int16_t KeyStates::state(int vk) const {
    if (vk < 0 || vk > 255) return 0;
    return int16_t((holders_[vk] > 0 ? kKeyDownBit : 0) | (toggled_[vk] ? kKeyToggleBit : 0));
}

}  // namespace korvel
