// Presses in the map area: selecting and starting drags by selection mode, the handles of the
// transform and grid tools while the button is held, and the height slider of the bottom bar.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

struct Editor;
struct InputState;
struct Settings;

// A left press in the plan view or the side view.
void pressInMap(Editor& ed);
// While the left button is held: the nearest handle of the transform or grid tool
// follows the hit point.
void dragToolHandles(Editor& ed);
// While the left button is held on the height slider: the filter limits or, with Ctrl, their
// offset; the tooltip shows the value set.
void dragHeightSlider(Settings& settings, const InputState& input, bool ctrlHeld,
                      std::string& tooltipText);
// The height under a column of the slider: 0 at 692, growing as a tangent towards both ends.
int32_t sliderValue(int32_t column);

}  // namespace korvel
