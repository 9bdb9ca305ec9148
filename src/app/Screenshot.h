// Screenshots: the screen saved as a numbered 8-bit picture beside the program.
#pragma once

namespace korvel {

struct Editor;

void takeScreenshot(Editor& ed);

}  // namespace korvel
