// The record editor page: the fields of one map record, or of the selected records together, as
// rows of values to read and type.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace korvel {

struct Editor;

// Rows of a record as the record editor, the search template and the array tool list them.
constexpr int32_t kPropertyColumns = 23;
// Check-box bytes of the stat fields: 0..15 the kind's first stat field, 16..31 the second.
constexpr int32_t kPropertyStatBits = 32;

// Which records the record editor edits (recordEditorSubject holds its value).
enum class RecordEditorSubject : uint8_t {
    Sprite = 0,
    Sector = 1,
    Wall = 2,
    SelectedSprites = 3,
    SelectedSectors = 4,
    SelectedWalls = 5,
    Nothing = 6,
};


// The value columns the record editor and the select-and-set page share, one row per field of
// the record kind. A non-zero state or keep byte makes its row blank: the row shows no value
// (mixed over the selection, or unset) and, when applied, leaves the field alone.
struct PropertyColumns {
    std::array<int32_t, kPropertyColumns> propertyValues{};
    std::array<uint8_t, kPropertyColumns> propertyState{};
    std::array<int32_t, kPropertyColumns> propertyDeltas{};
    std::array<uint8_t, kPropertyColumns> propertyKeep{};
    std::array<uint8_t, kPropertyStatBits> propertyStatBits{};

    PropertyColumns() {
        propertyState.fill(1);
        propertyKeep.fill(1);
    }
};

// The page keeps its value columns beside its subject.
struct RecordEditorState : PropertyColumns {
    uint8_t recordEditorSubject = 0;  // RecordEditorSubject: the record kind and which records
    int32_t recordNumberInput = 0;    // the record number typed to load one
    uint8_t statPanelShowsFloor = 0;  // sectors: the bit boxes show floorstat, else ceilingstat
};

// The painter of the page: values, deltas, carets, drag handles and the stat bit boxes.
void drawRecordEditor(Editor& ed);

struct PanelContext;

// What the record editor's panel decides its subject from.
struct RecordPanelInput {
    int32_t targetSprite = -1, targetSector = -1, targetWall = -1;
    int32_t selectedSprites = 0, selectedSectors = 0, selectedWalls = 0;
    std::string tileName;  // the name of the target sprite's tile, empty for none
};

// The static panel: picks the subject (returned) and the record kind the rows show (kind, left
// alone for nothing to edit), then paints the header, the rows, the flag-bit labels or the
// explanation of how to choose something.
uint8_t drawRecordEditorPanel(const PanelContext& pc, const RecordPanelInput& in, uint8_t& kind);
// Switches to the record editor with what it should load (force 1 when the toolbar asks, 0 from
// the keys and the mouse's second extra button).
void openRecordEditor(Editor& ed, int32_t force);

// The subject the three targets name (all selected of a kind first, then one record), and the
// same stored into recordEditorSubject.
RecordEditorSubject recordEditorSubjectOf(const Editor& ed);
void updateRecordEditorSubject(Editor& ed);

// Fills the page from panelSubject (or the side view's wall) and sets the targets.
void loadRecordEditor(Editor& ed);
// One record from its target, or the selected records of a kind. A target that names no record
// leaves every row blank.
void loadEditorFromSprite(Editor& ed);
void loadEditorFromSector(Editor& ed);
void loadEditorFromWall(Editor& ed);
void loadEditorFromSelectedSprites(Editor& ed);
void loadEditorFromSelectedSectors(Editor& ed);
void loadEditorFromSelectedWalls(Editor& ed);

// Writes the page into its records (one snapshot, the map marked modified even with nothing to
// write), clears the deltas and loads the records again. A stale target writes nothing.
void applyRecordEditor(Editor& ed);

// The toolbar's record steps (also Ctrl+Left, Ctrl+Right, Ctrl+Up): apply, then for one record
// load the previous or next record of its kind (kept at the ends); or apply and forget the
// targets, leaving the page with nothing to edit.
void previousRecordInEditor(Editor& ed);
void nextRecordInEditor(Editor& ed);
void applyAndClearRecordEditor(Editor& ed);

// Tab: the next value or delta field of the subject's rows, the values and then the deltas,
// round again; nothing with another field focused or without a subject.
void nextRecordEditorField(Editor& ed);

// The page's buttons: apply, apply and leave, leave, load the typed sprite, sector or wall
// number (refused with a message at or past the kind's count), and close.
void recordEditorButton(Editor& ed, int32_t id);

}  // namespace korvel
