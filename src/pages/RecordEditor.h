// The record editor page: the fields of one map record, or of the selected records together, as
// rows of values to read and type.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// Rows of a record as the record editor, the search template and the array tool list them.
constexpr int32_t kPropertyColumns = 23;

struct RecordEditorState {
    uint8_t recordEditorSubject = 0;  // RecordEditorSubject: the record kind and which records
};

void drawRecordEditor(Editor& ed);

}  // namespace korvel
