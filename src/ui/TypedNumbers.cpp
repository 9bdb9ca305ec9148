#include "ui/TypedNumbers.h"

#include <array>
#include <cstring>

#include "app/InputState.h"
#include "map/MapStore.h"

namespace korvel {

namespace {

constexpr int kKeyBackspace = 8, kKeyC = 67, kKeyV = 86, kKeyMinus = 189, kKeyPadMinus = 109;

bool take(InputState& in, int key) {
    if (!in.keyPressed[size_t(key)]) return false;
    in.keyPressed[size_t(key)] = 0;
    return true;
}

// The keys in the order every routine looks at them; a routine leaves out the ones it does not
// handle, and they stay pressed.
struct Handlers {
    bool minus = true, backspace = true;
};

template <typename Digit, typename Minus, typename Back, typename Copy, typename Paste>
bool typeKeys(DigitKeys k, Handlers h, Digit digit, Minus minus, Back back, Copy copy,
              Paste paste) {
    bool changed = false;
    for (int d = 0; d <= 9; ++d)
        if (take(k.input, '0' + d)) digit(d), changed = true;
    if (h.minus) {
        if (take(k.input, kKeyMinus)) minus(), changed = true;
        if (take(k.input, kKeyPadMinus)) minus(), changed = true;
    }
    if (h.backspace && take(k.input, kKeyBackspace)) back(), changed = true;
    if (k.ctrlHeld) {
        if (take(k.input, kKeyC)) copy();
        if (take(k.input, kKeyV)) paste(), changed = true;
    }
    return changed;
}

int32_t wrapInt(int64_t v) {
    return int32_t(uint32_t(uint64_t(v)));
}
int16_t wrapShort(int64_t v) {
    return int16_t(uint16_t(uint64_t(v)));
}
uint8_t wrapByte(int64_t v) {
    return uint8_t(uint64_t(v));
}

// Field widths of each record kind in file order.
constexpr std::array<uint8_t, 23> kSectorWidths = {2, 2, 4, 4, 2, 2, 2, 2, 1, 1, 1, 1,
                                                   2, 2, 1, 1, 1, 1, 1, 1, 2, 2, 2};
constexpr std::array<uint8_t, 17> kWallWidths = {4, 4, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 2, 2, 2};
constexpr std::array<uint8_t, 23> kSpriteWidths = {4, 4, 4, 2, 2, 1, 1, 1, 1, 1, 1, 1,
                                                   1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};

template <size_t N>
constexpr size_t recordSize(const std::array<uint8_t, N>& widths) {
    size_t n = 0;
    for (uint8_t w : widths) n += w;
    return n;
}
static_assert(recordSize(kSectorWidths) == sizeof(SectorRecord));
static_assert(recordSize(kWallWidths) == sizeof(WallRecord));
static_assert(recordSize(kSpriteWidths) == sizeof(SpriteRecord));

template <size_t N>
bool typeIntoField(DigitKeys keys, uint8_t* record, const std::array<uint8_t, N>& widths,
                   int32_t field) {
    if (field < 0 || size_t(field) >= N) return false;
    size_t at = 0;
    for (int32_t i = 0; i < field; ++i) at += widths[size_t(i)];
    uint8_t* p = record + at;
    switch (widths[size_t(field)]) {
        case 4: {
            int32_t v;
            std::memcpy(&v, p, 4);
            const bool changed = typeDigitInt(keys, v);
            std::memcpy(p, &v, 4);
            return changed;
        }
        case 2: {
            int16_t v;
            std::memcpy(&v, p, 2);
            const bool changed = typeDigitShort(keys, v);
            std::memcpy(p, &v, 2);
            return changed;
        }
        default:
            return typeDigitUByte(keys, *p);
    }
}

}  // namespace

bool typeDigitInt(DigitKeys k, int32_t& v) {
    return typeKeys(
        k, {}, [&](int d) { v = wrapInt(int64_t(v) * 10 + d * signOf(v)); },
        [&] { v = wrapInt(-int64_t(v)); }, [&] { v /= 10; }, [&] { k.valueClipboard = v; },
        [&] { v = k.valueClipboard; });
}

bool typeDigitShort(DigitKeys k, int16_t& v) {
    return typeKeys(
        k, {}, [&](int d) { v = wrapShort(int64_t(v) * 10 + d * signOf(v)); },
        [&] { v = wrapShort(-int64_t(v)); }, [&] { v = int16_t(v / 10); },
        [&] { k.valueClipboard = v; }, [&] { v = wrapShort(k.valueClipboard); });
}

bool typeDigitUByte(DigitKeys k, uint8_t& v) {
    return typeKeys(
        k, {}, [&](int d) { v = wrapByte(int32_t(v) * 10 + d); },
        [&] { v = wrapByte(256 - int32_t(v)); }, [&] { v = uint8_t(v / 10); },
        [&] { k.valueClipboard = v; }, [&] { v = wrapByte(k.valueClipboard); });
}

bool typeDigitUInt(DigitKeys k, int32_t& v) {
    return typeKeys(
        k, {.minus = false}, [&](int d) { v = wrapInt(int64_t(v) * 10 + d); }, [] {},
        [&] { v /= 10; }, [&] { k.valueClipboard = v; }, [&] { v = k.valueClipboard; });
}

void typeDigitByteSetting(DigitKeys k, uint8_t& v) {
    typeKeys(
        k, {.minus = false}, [&](int d) { v = wrapByte(int32_t(v) * 10 + d); }, [] {},
        [&] { v = uint8_t(v / 10); }, [&] { k.valueClipboard = v; },
        [&] { v = wrapByte(k.valueClipboard); });
}

void typeOptionalNumber(DigitKeys k, int32_t& v) {
    // Whether the number is empty is decided once: every digit of this frame then replaces it.
    const bool empty = v == -1;
    typeKeys(
        k, {.minus = false, .backspace = !empty},
        [&](int d) { v = empty ? d : wrapInt(int64_t(v) * 10 + d); }, [] {},
        [&] { v = v > 9 ? v / 10 : -1; }, [&] { k.valueClipboard = v; },
        [&] { v = k.valueClipboard; });
}

bool editRecordField(DigitKeys keys, MapStore& map, int32_t kind, int32_t number, int32_t field) {
    switch (kind) {
        case 0:
            if (!isSector(map, number)) return false;
            return typeIntoField(keys, reinterpret_cast<uint8_t*>(&map.sectors[number]),
                                 kSectorWidths, field);
        case 1:
            if (!isWall(map, number)) return false;
            return typeIntoField(keys, reinterpret_cast<uint8_t*>(&map.walls[number]), kWallWidths,
                                 field);
        case 2:
            if (!isSprite(map, number)) return false;
            return typeIntoField(keys, reinterpret_cast<uint8_t*>(&map.sprites[number]),
                                 kSpriteWidths, field);
        default:
            return false;
    }
}

// The row editors arrive with the record editor's and the search page's columns; until then
// their fields take no keys.
void typeDigitIntoRecordEditor(Editor&, int32_t) {}
void typeDigitIntoSearchTemplate(Editor&, int32_t) {}
void typeDigitIntoSearchApplyValue(Editor&, int32_t) {}

}  // namespace korvel
