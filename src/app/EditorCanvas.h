// The canvas every drawing routine of the editor draws on: the editor's surfaces, colour tables
// and line smoothing setting.
#pragma once

#include "app/Editor.h"

namespace korvel {

inline Canvas canvasOf(Editor& ed) {
    return {ed.frameBuffer, ed.colorTables, ed.settings.smoothLines != 0};
}

}  // namespace korvel
