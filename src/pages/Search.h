// The search page: select the objects that match a template, and set values on the selection.
#pragma once

#include <array>
#include <cstdint>

#include "pages/RecordEditor.h"

namespace korvel {

struct Editor;

struct SearchState {
    uint8_t searchIndexRange = 0;
    int32_t searchIndexMin = 0, searchIndexMax = 0;
    int32_t searchMaxCount = 65536;
    uint8_t searchFromProperties = 0;
    uint8_t searchObjectKind = 0;  // SearchObjectKind
    std::array<uint8_t, kPropertyColumns> propertyState{};
    std::array<uint8_t, kPropertyColumns> propertyKeep{};

    SearchState() {
        propertyState.fill(1);
        propertyKeep.fill(1);
    }
};

// Painter of the page.
void drawSearchPage(Editor& ed);

}  // namespace korvel
