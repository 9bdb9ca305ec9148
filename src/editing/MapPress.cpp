#include "editing/MapPress.h"

namespace korvel {

// Arrives with the map presses; until then a click selects nothing.
void pressInMap(Editor&) {}

// Arrives with the map presses; until then the handles stay.
void dragToolHandles(Editor&) {}

// Arrives with the map presses; until then the slider does nothing.
void dragHeightSlider(Settings&, const InputState&, bool, std::string&) {}

}  // namespace korvel
