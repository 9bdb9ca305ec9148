// The four bitmap fonts: glyph sheets read from 1-bit BMP files and the glyph widths of the two
// proportional fonts read from their width files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/LoadReport.h"

namespace korvel {

class FileSystem;
struct Languages;

// One byte per sheet pixel (0 empty, 255 ink), rows counted from the bottom of the picture.
struct Fonts {
    std::vector<uint8_t> font4x6 = std::vector<uint8_t>(64 * 84);
    std::vector<uint8_t> font7x11 = std::vector<uint8_t>(112 * 154);
    std::vector<uint8_t> font5x7 = std::vector<uint8_t>(80 * 98);
    std::vector<uint8_t> font8x11 = std::vector<uint8_t>(128 * 154);
    // Entry c - 32 is the width of code c; never wider than the glyph cell.
    std::array<uint8_t, 224> font5x7Widths{};
    std::array<uint8_t, 224> font8x11Widths{};
};

// A sheet file: 62 header bytes, then the rows bottom first, one bit per pixel (most significant
// bit first), each row padded to 32 bits. A file too short for its rows is refused.
LoadStatus parseMonoBitmap(const std::string& bytes, int32_t width, int32_t height,
                           std::vector<uint8_t>& sheet);
LoadStatus loadMonoBitmap(FileSystem& fs, int32_t width, int32_t height,
                          std::vector<uint8_t>& sheet, const std::string& path);

// The four sheets from the data folder, in start-up order: mfnt4x6, mfnt7x11, vfnt5x7, vfnt8x11.
constexpr std::array<const char*, 4> kFontSheetFiles = {"mfnt4x6.bmp", "mfnt7x11.bmp",
                                                        "vfnt5x7.bmp", "vfnt8x11.bmp"};
std::array<LoadStatus, 4> loadFontSheets(Fonts& fonts, FileSystem& fs,
                                         const std::string& dataFolder);
// The sheets are read before any language; their problems are logged once one is loaded.
void reportFontSheets(const std::array<LoadStatus, 4>& results, const Languages& langs,
                      const BootLogSink& log);

// A width file: one decimal digit per code from 32 upwards, 224 in all. Widths wider than the
// cell are narrowed to it; characters other than digits count as 0. Missing entries of a short
// file stay 0 and the file counts as truncated; an empty text leaves the table untouched.
LoadStatus parseGlyphWidths(const std::string& text, int32_t cellWidth,
                            std::array<uint8_t, 224>& widths);
// Both width files, logging message 323 for a missing one and 1334 for a short one.
void loadGlyphWidthFiles(Fonts& fonts, FileSystem& fs, const std::string& dataFolder,
                         const Languages& langs, const BootLogSink& log);

}  // namespace korvel
