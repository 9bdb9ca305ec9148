#include "ui/TypedDigits.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <span>

#include "app/InputState.h"
#include "base/Mainm.h"
#include "base/ValueConv.h"

namespace korvel {

namespace {

constexpr int kDigit0 = 48;
constexpr int kMinusMain = 189, kMinusPad = 109;
constexpr int kBackspace = 8;
constexpr int kKeyC = 67, kKeyV = 86;

// Consumes the key's event of this frame; whether there was one.
bool take(InputState& in, int key) {
    uint8_t& pressed = in.keyPressed[size_t(key)];
    if (!pressed) return false;
    pressed = 0;
    return true;
}

// The frame's digit keys in ascending order, each applied to the value by `apply`.
template <typename T, typename Apply>
void digitKeys(InputState& in, T& v, bool& handled, Apply apply) {
    for (int32_t d = 0; d <= 9; ++d)
        if (take(in, kDigit0 + d)) {
            v = apply(v, d);
            handled = true;
        }
}

// While Ctrl is held: C copies the value to the one-number clipboard, V takes it back through
// `fromClipboard` (which cuts it to the value's width).
template <typename T, typename FromClipboard>
void clipboardKeys(const DigitTyping& t, T& v, bool& handled, FromClipboard fromClipboard) {
    if (!t.ctrlHeld) return;
    if (take(t.input, kKeyC)) t.valueClipboard = v;
    if (take(t.input, kKeyV)) {
        v = fromClipboard(t.valueClipboard);
        handled = true;
    }
}

// A digit appended away from zero: from -5 the digit 3 gives -53.
int32_t appendDigit(int32_t v, int32_t d) {
    return wrap32(int64_t(v) * 10 + int64_t(d) * signOf(v));
}

// The two minus keys each negate once.
int32_t negateTimes(InputState& in, int32_t v, bool& handled) {
    for (int key : {kMinusMain, kMinusPad})
        if (take(in, key)) {
            v = wrap32(-int64_t(v));
            handled = true;
        }
    return v;
}

// The stat-bit block (0 first, 1 second) of the record editor's row, -1 for a row without one.
int32_t statBlockOf(RecordEditorSubject subject, int32_t row) {
    switch (subject) {
        case RecordEditorSubject::Sprite:
        case RecordEditorSubject::SelectedSprites:
            return row == 3 ? 0 : -1;
        case RecordEditorSubject::Sector:
        case RecordEditorSubject::SelectedSectors:
            return row == 3 ? 0 : row == 11 ? 1 : -1;
        case RecordEditorSubject::Wall:
        case RecordEditorSubject::SelectedWalls:
            return row == 5 ? 0 : -1;
        default:
            return -1;
    }
}

void fillStatBlock(PropertyColumns& c, RecordEditorSubject subject, int32_t row, uint8_t value) {
    const int32_t block = statBlockOf(subject, row);
    if (block < 0) return;
    std::fill_n(c.propertyStatBits.begin() + 16 * block, 16, value);
}

// A row with a blank state: values V with blank flags B. The record editor's rows also keep
// their stat-bit blocks in step.
bool typeIntoRow(const DigitTyping& t, int32_t& v, uint8_t& blank, PropertyColumns& c,
                 const RecordEditorSubject* subject, int32_t row) {
    InputState& in = t.input;
    bool handled = false;
    if (blank != 0) {
        for (int32_t d = 0; d <= 9; ++d)
            if (take(in, kDigit0 + d)) {
                v = d;
                blank = 0;
                handled = true;
                if (subject) clearStatBitFlags(c, *subject, row);
            }
    } else {
        digitKeys(in, v, handled, appendDigit);
        v = negateTimes(in, v, handled);
        if (take(in, kBackspace)) {
            handled = true;
            if (std::llabs(int64_t(v)) >= 10) {
                v /= 10;
            } else {
                v = 0;
                blank = 1;
                if (subject) fillStatBlock(c, *subject, row, 1);
            }
        }
    }
    if (t.ctrlHeld) {
        if (blank == 0 && take(in, kKeyC)) t.valueClipboard = v;
        if (take(in, kKeyV)) {
            v = t.valueClipboard;
            blank = 0;
            handled = true;
            if (subject) clearStatBitFlags(c, *subject, row);
        }
    }
    return handled;
}

bool validRow(int32_t row) {
    return row >= 0 && row < kPropertyColumns;
}

// Field widths of each record kind in file order.
constexpr std::array<int32_t, 23> kSectorWidths = {2, 2, 4, 4, 2, 2, 2, 2, 1, 1, 1, 1,
                                                   2, 2, 1, 1, 1, 1, 1, 1, 2, 2, 2};
constexpr std::array<int32_t, 17> kWallWidths = {4, 4, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 2, 2, 2};
constexpr std::array<int32_t, 23> kSpriteWidths = {4, 4, 4, 2, 2, 1, 1, 1, 1, 1, 1, 1,
                                                   1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};

constexpr int32_t sum(std::span<const int32_t> widths) {
    int32_t s = 0;
    for (int32_t w : widths) s += w;
    return s;
}
static_assert(sum(kSectorWidths) == sizeof(SectorRecord));
static_assert(sum(kWallWidths) == sizeof(WallRecord));
static_assert(sum(kSpriteWidths) == sizeof(SpriteRecord));

std::span<const int32_t> widthsOf(int32_t kind) {
    switch (kind) {
        case 0:
            return kSectorWidths;
        case 1:
            return kWallWidths;
        case 2:
            return kSpriteWidths;
        default:
            return {};
    }
}

// The record's bytes, or null for a record number outside the kind's count.
uint8_t* recordBytes(MapStore& map, int32_t kind, int32_t number) {
    if (number < 0) return nullptr;
    switch (kind) {
        case 0:
            return number < map.sectorCount ? reinterpret_cast<uint8_t*>(&map.sectors[number])
                                            : nullptr;
        case 1:
            return number < map.wallCount ? reinterpret_cast<uint8_t*>(&map.walls[number])
                                          : nullptr;
        case 2:
            return number < map.spriteCount ? reinterpret_cast<uint8_t*>(&map.sprites[number])
                                            : nullptr;
        default:
            return nullptr;
    }
}

template <typename T, typename Edit>
bool editBytes(uint8_t* at, Edit&& edit) {
    T v;
    std::memcpy(&v, at, sizeof v);
    const bool handled = edit(v);
    std::memcpy(at, &v, sizeof v);
    return handled;
}

}  // namespace

int32_t signOf(int32_t v) {
    return v < 0 ? -1 : 1;
}

bool typeDigitInt(const DigitTyping& t, int32_t& v) {
    InputState& in = t.input;
    bool handled = false;
    digitKeys(in, v, handled, appendDigit);
    v = negateTimes(in, v, handled);
    if (take(in, kBackspace)) {
        v /= 10;
        handled = true;
    }
    clipboardKeys(t, v, handled, [](int32_t c) { return c; });
    return handled;
}

bool typeDigitShort(const DigitTyping& t, int16_t& v) {
    InputState& in = t.input;
    bool handled = false;
    digitKeys(in, v, handled, [](int16_t x, int32_t d) { return wrapToInt16(appendDigit(x, d)); });
    v = wrapToInt16(negateTimes(in, v, handled));
    if (take(in, kBackspace)) {
        v = int16_t(v / 10);
        handled = true;
    }
    clipboardKeys(t, v, handled, [](int32_t c) { return wrapToInt16(c); });
    return handled;
}

namespace {

// The unsigned byte members; the setting has no minus.
bool typeByte(const DigitTyping& t, uint8_t& v, bool withMinus) {
    InputState& in = t.input;
    bool handled = false;
    digitKeys(in, v, handled, [](uint8_t x, int32_t d) { return wrapToByte(x * 10 + d); });
    if (withMinus)
        for (int key : {kMinusMain, kMinusPad})
            if (take(in, key)) {
                v = wrapToByte(256 - v);
                handled = true;
            }
    if (take(in, kBackspace)) {
        v = uint8_t(v / 10);
        handled = true;
    }
    clipboardKeys(t, v, handled, [](int32_t c) { return wrapToByte(c); });
    return handled;
}

}  // namespace

bool typeDigitUByte(const DigitTyping& t, uint8_t& v) {
    const bool handled = typeByte(t, v, true);
    return handled;
}

bool typeDigitByteSetting(const DigitTyping& t, uint8_t& v) {
    return typeByte(t, v, false);
}

bool typeDigitUInt(const DigitTyping& t, int32_t& v) {
    InputState& in = t.input;
    bool handled = false;
    digitKeys(in, v, handled, [](int32_t x, int32_t d) { return wrap32(int64_t(x) * 10 + d); });
    if (take(in, kBackspace)) {
        v /= 10;
        handled = true;
    }
    clipboardKeys(t, v, handled, [](int32_t c) { return c; });
    return handled;
}

bool typeOptionalNumber(const DigitTyping& t, int32_t& v) {
    InputState& in = t.input;
    const bool empty = v == -1;
    bool handled = false;
    digitKeys(in, v, handled,
              [empty](int32_t x, int32_t d) { return empty ? d : wrap32(int64_t(x) * 10 + d); });
    if (!empty && take(in, kBackspace)) {
        v = v > 9 ? v / 10 : -1;
        handled = true;
    }
    clipboardKeys(t, v, handled, [](int32_t c) { return c; });
    return handled;
}

bool typeDigitIntoRecordEditor(const DigitTyping& t, PropertyColumns& c,
                               RecordEditorSubject subject, int32_t row) {
    if (!validRow(row)) return false;
    return typeIntoRow(t, c.propertyValues[size_t(row)], c.propertyState[size_t(row)], c, &subject,
                       row);
}

bool typeDigitIntoSearchTemplate(const DigitTyping& t, PropertyColumns& c, int32_t row) {
    if (!validRow(row)) return false;
    return typeIntoRow(t, c.propertyValues[size_t(row)], c.propertyState[size_t(row)], c, nullptr,
                       row);
}

bool typeDigitIntoSearchApplyValue(const DigitTyping& t, PropertyColumns& c, int32_t row) {
    if (!validRow(row)) return false;
    return typeIntoRow(t, c.propertyDeltas[size_t(row)], c.propertyKeep[size_t(row)], c, nullptr,
                       row);
}

void clearStatBitFlags(PropertyColumns& c, RecordEditorSubject subject, int32_t row) {
    fillStatBlock(c, subject, row, 0);
}

RecordFieldSpan recordFieldSpan(int32_t kind, int32_t field) {
    const std::span<const int32_t> widths = widthsOf(kind);
    if (field < 0 || size_t(field) >= widths.size()) return {};
    int32_t offset = 0;
    for (int32_t i = 0; i < field; ++i) offset += widths[size_t(i)];
    return {offset, widths[size_t(field)]};
}

bool editRecordField(const DigitTyping& t, MapStore& map, int32_t kind, int32_t number,
                     int32_t field) {
    const RecordFieldSpan span = recordFieldSpan(kind, field);
    if (span.width == 0) return false;
    uint8_t* record = recordBytes(map, kind, number);
    if (record == nullptr) return false;
    uint8_t* at = record + span.offset;
    switch (span.width) {
        case 4:
            return editBytes<int32_t>(at, [&](int32_t& v) { return typeDigitInt(t, v); });
        case 2:
            return editBytes<int16_t>(at, [&](int16_t& v) { return typeDigitShort(t, v); });
        default:
            return editBytes<uint8_t>(at, [&](uint8_t& v) { return typeDigitUByte(t, v); });
    }
}

}  // namespace korvel
