// Typed values: numeric fields are edited in place from the frame's key events, without a text
// buffer. Digit keys append a decimal digit, the minus keys negate, Backspace drops the last
// digit, and Ctrl+C / Ctrl+V copy the number to and from a one-number clipboard. The members
// differ by the number's width and sign and by the blank state some rows have. None of them
// marks the map: a caller typing into the map does so inside an edit, which marks it. Sums and
// products wrap at the value's width; nothing is clamped.
#pragma once

#include <cstdint>

#include "map/MapStore.h"
#include "pages/RecordEditor.h"

namespace korvel {

struct InputState;

// The one-number clipboard every numeric field shares (also the calculator's last result).
struct TypingState {
    int32_t valueClipboard = 0;
};

// What the members read and write besides the number: the frame's key presses (those acted on
// are consumed), whether Ctrl is held, and the clipboard.
struct DigitTyping {
    InputState& input;
    bool ctrlHeld;
    int32_t& valueClipboard;
};

// Each member looks at the keys once per call in this order: the digits 0..9 of the main
// keyboard, the minus keys 189 and 109, Backspace, then with Ctrl held C and V. Each returns
// whether it handled a key other than Ctrl+C, that is whether the value may have changed.
int32_t signOf(int32_t v);
bool typeDigitInt(const DigitTyping& t, int32_t& v);
bool typeDigitShort(const DigitTyping& t, int16_t& v);
bool typeDigitUByte(const DigitTyping& t, uint8_t& v);
// No sign handling: the minus keys are left alone.
bool typeDigitUInt(const DigitTyping& t, int32_t& v);
// A byte setting: no minus.
bool typeDigitByteSetting(const DigitTyping& t, uint8_t& v);
// -1 is the empty number: its first digit replaces it, and Backspace is left alone while empty.
bool typeOptionalNumber(const DigitTyping& t, int32_t& v);

// The rows with a blank state (row 0..22; others do nothing). A blank row takes a digit as its
// value; Backspace on a one-digit value blanks it again. They never mark the map: the values
// reach it when the page applies them.
bool typeDigitIntoRecordEditor(const DigitTyping& t, PropertyColumns& columns,
                               RecordEditorSubject subject, int32_t row);
bool typeDigitIntoSearchTemplate(const DigitTyping& t, PropertyColumns& columns, int32_t row);
bool typeDigitIntoSearchApplyValue(const DigitTyping& t, PropertyColumns& columns, int32_t row);
// Clears the check-box bytes of the stat field shown in the record editor's row (sprite cstat
// row 3, wall cstat row 5, sector ceilingstat row 3 and floorstat row 11); other rows nothing.
void clearStatBitFlags(PropertyColumns& columns, RecordEditorSubject subject, int32_t row);

// The byte range of a record field: kind 0 sector (23 fields), 1 wall (17), 2 sprite (23),
// fields counted in file order. Width 0 for a kind or field that does not exist.
struct RecordFieldSpan {
    int32_t offset = 0;
    int32_t width = 0;  // 4, 2 or 1
};
RecordFieldSpan recordFieldSpan(int32_t kind, int32_t field);

// Edits one field of a map record in place by its width (typeDigitInt, typeDigitShort or
// typeDigitUByte). A kind, record number or field that does not exist does
// nothing. No undo snapshot is taken.
bool editRecordField(const DigitTyping& t, MapStore& map, int32_t kind, int32_t number,
                     int32_t field);

}  // namespace korvel
