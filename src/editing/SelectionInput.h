// Selection by mouse: area selection, clicks by selection mode and the start of drags.
#pragma once

namespace korvel {

struct Editor;

// Selects what lies between the area anchor and the hit point, by selection mode.
void selectByArea(Editor& ed);

}  // namespace korvel
