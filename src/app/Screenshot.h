// Screenshots: the screen saved as a numbered 8-bit picture beside the program.
#pragma once

namespace korvel {

struct Editor;

// Writes the next numbered picture; whether a file was written.
bool saveScreenshot(Editor& ed);

}  // namespace korvel
