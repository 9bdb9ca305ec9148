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
    int32_t searchMaxCount = 65536;
    uint8_t searchFromProperties = 0;
    uint8_t searchObjectKind = 0;  // SearchObjectKind
};

// Painter of the page.
void drawSearchPage(Editor& ed);

struct PanelContext;
// The static panel: title, labels, stripes and the rows of the kind chosen (none for a kind
// outside 0..2).
void drawSearchPanel(const PanelContext& pc, uint8_t searchObjectKind);

}  // namespace korvel
