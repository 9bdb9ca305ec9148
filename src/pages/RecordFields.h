// The rows of the record editor and the search page: which field of a sector, wall or sprite
// record each row stands for, and how the field meets the row's 32-bit value. Sector rows put
// every ceiling field before the floor fields; wall and sprite rows follow the record.
#pragma once

#include <cstdint>

#include "map/MapStore.h"

namespace korvel {

enum class RecordKind : uint8_t { Sector = 0, Wall = 1, Sprite = 2 };

// How a field is read into a row: L 32-bit signed, I 16-bit signed, U 16-bit unsigned, S 8-bit
// signed, B 8-bit unsigned. Written back, the value wraps to the field's width.
enum class FieldForm : uint8_t { L, I, U, S, B };

struct RowField {
    uint16_t offset = 0;
    FieldForm form = FieldForm::L;
};

// 23 rows for sectors and sprites, 17 for walls.
int32_t recordRowCount(RecordKind kind);
// The row's field; row must be below recordRowCount.
RowField recordRow(RecordKind kind, int32_t row);
// The row that shows the kind's stat field (for sectors the ceiling's; the floor's is 11).
int32_t statRow(RecordKind kind);
constexpr int32_t kSectorFloorStatRow = 11;

// Object counts and records by kind; recordOf answers null for an index outside the count.
int32_t objectCount(const MapStore& map, RecordKind kind);
uint8_t* recordOf(MapStore& map, RecordKind kind, int32_t index);
bool objectSelected(const MapStore& map, RecordKind kind, int32_t index);

int32_t readField(const uint8_t* record, RowField f);
void writeField(uint8_t* record, RowField f, int32_t value);

}  // namespace korvel
