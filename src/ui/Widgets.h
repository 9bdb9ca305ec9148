// The panel widgets of the pages: the tables of value fields, check boxes, radio buttons, push
// buttons and scroll bars, laid out for the current language.
#pragma once

#include <cstdint>

#include "base/FixedArray.h"
#include "pages/Page.h"

namespace korvel {

struct Editor;

constexpr int32_t kValueFieldCapacity = 1024;

struct WidgetValueField {
    int32_t x = 0, y = 0;  // lower left corner
    int32_t id = 0;        // also the focus id of focusedField
    Page page = Page::PlanView;
    int32_t condition = 0;
};

struct WidgetState {
    FixedArray<WidgetValueField, kValueFieldCapacity> valueFields;
    int32_t valueFieldCount = 0;
};

// Builds the five widget tables from scratch.
void layoutWidgets(Editor& ed);

// Whether value field `index` is shown on the current page.
bool valueFieldVisible(const Editor& ed, int32_t index);

}  // namespace korvel
