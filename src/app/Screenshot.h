// Screenshots: the screen saved as a numbered 8-bit picture beside the program.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

struct Editor;
struct FrameBuffer;
struct ColorTables;

constexpr size_t kScreenshotFileSize = 481078;

// The picture file of the screen: header, the display palette, the rows bottom first.
std::string screenshotBytes(FrameBuffer& fb, const ColorTables& colors);
// The file name of screenshot number n: "KRVD" and four digits, ".BMP".
std::string screenshotFileName(int32_t n);
// Writes the next numbered picture into the program folder; whether it was written. A failed
// write leaves the counter (and any file of that name) as it was.
bool saveScreenshot(Editor& ed);

}  // namespace korvel
