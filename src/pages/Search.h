// The search page: select the objects that match a template, and set values on the selection.
#pragma once

#include <cstdint>

#include "pages/RecordEditor.h"

namespace korvel {

struct Editor;

// The property columns are the record editor's as well: both pages type into the same rows.
struct SearchState : PropertyColumns {
    uint8_t searchIndexRange = 0;
    int32_t searchIndexMin = 0, searchIndexMax = 0;
    int32_t searchFraction = 65536;  // chance of taking a match, in 1/65536
    uint8_t searchFromProperties = 0;
    uint8_t searchObjectKind = 0;  // SearchObjectKind
};

enum class SearchObjectKind : uint8_t { Sectors = 0, Walls = 1, Sprites = 2 };
enum class TemplateSelectOp : uint8_t { Add = 1, Keep = 2, Remove = 3 };

// Painter of the page.
void drawSearchPage(Editor& ed);

// The objects of the searched kind that match the template rows taking part, lie in the index
// range when it is on, and win their draw against searchFraction (one draw per visible object
// examined, matching or not). Hidden objects are never examined.
// A new selection of the taken objects.
void selectByTemplate(Editor& ed);
// Add the taken objects, keep only them, or remove them; the other kinds are deselected.
void combineSelectionByTemplate(Editor& ed, TemplateSelectOp op);
// From the one selected sector, through two-sided walls, every neighbour taken, depth first.
// Refused (message, no change, the page stays) unless sectors are searched and exactly one is
// selected.
void growSelectionByTemplate(Editor& ed);
// The second column into every selected object of the searched kind, rows not kept.
void applyPropertiesToSelection(Editor& ed);
// The page's buttons: back, the selection operations, select-and-set, reset and grow.
void searchPageButton(Editor& ed, int32_t id);
struct PanelContext;
// The static panel: title, labels, stripes and the rows of the kind chosen (none for a kind
// outside 0..2).
void drawSearchPanel(const PanelContext& pc, uint8_t searchObjectKind);

}  // namespace korvel
