// The rows of a map record as the record editor, the search page and the array tool list them:
// the field's caption and its type word, and where the rows lie on the panel.
#pragma once

#include <cstdint>
#include <span>

#include "pages/PanelKit.h"

namespace korvel {

struct RecordRow {
    const char* caption;
    const char* type;  // "long", "int", "schar" or "char"
};

// Kind 0 sectors, 1 walls, 2 sprites; any other kind has no rows.
std::span<const RecordRow> recordRows(int32_t kind);

// Where the type word ends before the first value column.
int32_t typeWordOffset(const char* type);

// The rows from `top` down, 16 pixels apart: caption, type word, the value box of column b and,
// when b2 >= 0, of column b2.
void drawRecordRows(const PanelContext& pc, int32_t kind, int32_t top, int32_t captionColour,
                    int32_t b, int32_t b2);

}  // namespace korvel
