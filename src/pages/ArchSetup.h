// The arch set-up page: the parameters of the arch generator, a vaulted passage along a segment.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

struct ArchSetupState {
    int32_t arch1A = 8192, arch1B = -24288, arch1C = 2048;
    int32_t arch2A = 0, arch2B = 16384, arch2C = 16;
};

// Painter of the page.
void drawArchToolPage(Editor& ed);

}  // namespace korvel
