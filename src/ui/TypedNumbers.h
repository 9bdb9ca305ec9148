// Numbers edited in place by typing: while a value field has the focus, one of these changes its
// number from the frame's key presses (digits append, the minus keys negate, Backspace drops the
// last digit, Ctrl+C and Ctrl+V copy to and from the one-number clipboard). They differ by the
// width and sign of the number and by a blank state some fields have; the keys they act on are
// consumed, the others left for later handlers.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;
struct InputState;
struct MapStore;

// What the routines read and write besides the number: the frame's keys, whether Ctrl is held,
// and the one-number clipboard.
struct DigitKeys {
    InputState& input;
    bool ctrlHeld;
    int32_t& valueClipboard;
};

// -1 for a negative value, else 1.
constexpr int32_t signOf(int32_t v) {
    return v < 0 ? -1 : 1;
}

// Each returns whether it handled a key other than Ctrl+C, which is when a caller asked to mark
// the map modified does so. Sums and products wrap at the number's width.
bool typeDigitInt(DigitKeys keys, int32_t& v);
bool typeDigitShort(DigitKeys keys, int16_t& v);
bool typeDigitUByte(DigitKeys keys, uint8_t& v);
// 32 bits without a sign: the minus keys are left alone.
bool typeDigitUInt(DigitKeys keys, int32_t& v);
// A byte setting; never marks the map.
void typeDigitByteSetting(DigitKeys keys, uint8_t& v);
// A number for which -1 means empty: a digit typed into it replaces it, and Backspace on a
// single digit empties it. Never marks the map.
void typeOptionalNumber(DigitKeys keys, int32_t& v);

// One field of a map record, counted in file order, typed by the field's width: kind 0 sector,
// 1 wall, 2 sprite. A kind, record number or field index that names nothing does nothing.
// Returns whether the record may have changed.
bool editRecordField(DigitKeys keys, MapStore& map, int32_t kind, int32_t number, int32_t field);

// Rows of the record editor's value column and of the search page's two columns, with their
// blank states.
void typeDigitIntoRecordEditor(Editor& ed, int32_t row);
void typeDigitIntoSearchTemplate(Editor& ed, int32_t row);
void typeDigitIntoSearchApplyValue(Editor& ed, int32_t row);

}  // namespace korvel
