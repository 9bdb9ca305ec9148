// Writes a paletted frame as a PNG picture, for looking at what a painter drew while working on
// it. Uncompressed, so it needs no library.
#pragma once

#include <cstdint>
#include <string>

#include "resources/ColorTables.h"
#include "ui/FrameBuffer.h"

namespace korvel::test {

// The whole screen (row 0 at the bottom) through the display palette of the colour tables.
bool writeScreenPng(const std::string& path, const FrameBuffer& fb, const ColorTables& colors);
// The columns x0.. and rows y0.. (counted from the bottom) of a w x h part, each pixel enlarged
// to scale x scale.
bool writeScreenPngPart(const std::string& path, const FrameBuffer& fb, const ColorTables& colors,
                        int32_t x0, int32_t y0, int32_t w, int32_t h, int32_t scale);

}  // namespace korvel::test
