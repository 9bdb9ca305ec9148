#include "editing/CalculatorPrompt.h"

#include <algorithm>

#include "app/Editor.h"

namespace korvel {

bool valueFieldFocused(const Editor& ed) {
    const int32_t focus = ed.app.focusedField;
    if (focus < 0) return false;
    const WidgetState& w = ed.widgets;
    for (int32_t i = 0; i < std::min(w.valueFieldCount, kValueFieldCapacity); ++i)
        if (w.valueFields[i].id == focus && valueFieldVisible(ed, i)) return true;
    return false;
}

}  // namespace korvel
