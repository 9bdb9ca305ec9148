// Making the screen from the start image: the GIF is decoded into the bottom-up 8-bit screen and
// its colour table becomes the palette the screen is shown with.
#pragma once

#include <string>

#include "ui/FrameBuffer.h"

namespace korvel {

class FileSystem;

struct StartScreenResult {
    bool ok = false;
    std::string error;  // why the image could not be used, in words for the user
};

// The image must be an 800 x 600 GIF with a colour table. On failure the screen is unchanged.
StartScreenResult decodeStartScreen(FrameBuffer& fb, const std::string& gifBytes);
StartScreenResult loadStartScreen(FrameBuffer& fb, FileSystem& fs, const std::string& path);

}  // namespace korvel
