// The record editor page: the fields of one map record, or of the selected records together, as
// rows of values to read and type.
#pragma once

#include <array>
#include <cstdint>

namespace korvel {

struct Editor;

// Rows of a record as the record editor, the search template and the array tool list them.
constexpr int32_t kPropertyColumns = 23;

struct RecordEditorState {
    uint8_t recordEditorSubject = 0;  // RecordEditorSubject: the record kind and which records
    // The value and delta columns, one entry per row.
    std::array<int32_t, kPropertyColumns> propertyValues{};
    std::array<int32_t, kPropertyColumns> propertyDeltas{};
    // The record number typed into the page's number field.
    int32_t recordNumberInput = 0;
};

void drawRecordEditor(Editor& ed);
// Switches to the record editor with what it should load (force 1 when the toolbar asks, 0 from
// the keys and the mouse's second extra button).
void openRecordEditor(Editor& ed, int32_t force);

}  // namespace korvel
