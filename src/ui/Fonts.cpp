#include "ui/Fonts.h"

#include <algorithm>

#include "base/FileSystem.h"
#include "base/TextFile.h"

namespace korvel {

namespace {

constexpr size_t kSheetHeaderBytes = 62;

size_t sheetRowBytes(int32_t width) {
    return 4 * ((size_t(width) + 31) / 32);
}

}  // namespace

LoadStatus parseMonoBitmap(const std::string& bytes, int32_t width, int32_t height,
                           std::vector<uint8_t>& sheet) {
    if (bytes.empty()) return LoadStatus::Missing;
    if (width <= 0 || height <= 0) return LoadStatus::Truncated;
    const size_t stride = sheetRowBytes(width);
    if (bytes.size() < kSheetHeaderBytes + stride * size_t(height)) return LoadStatus::Truncated;
    sheet.resize(size_t(width) * height);
    const auto* in = reinterpret_cast<const uint8_t*>(bytes.data()) + kSheetHeaderBytes;
    for (int32_t i = 0; i < height; ++i) {
        const uint8_t* row = in + size_t(i) * stride;
        uint8_t* out = &sheet[size_t(i) * width];
        for (int32_t j = 0; j < width; ++j) out[j] = (row[j >> 3] & (0x80 >> (j & 7))) ? 255 : 0;
    }
    return LoadStatus::Loaded;
}

LoadStatus loadMonoBitmap(FileSystem& fs, int32_t width, int32_t height,
                          std::vector<uint8_t>& sheet, const std::string& path) {
    const int64_t needed =
        int64_t(kSheetHeaderBytes) + int64_t(sheetRowBytes(std::max(width, 0))) * height;
    const auto bytes = fs.readAll(path, std::max<int64_t>(needed, 1));
    return parseMonoBitmap(bytes ? *bytes : std::string(), width, height, sheet);
}

std::array<LoadStatus, 4> loadFontSheets(Fonts& fonts, FileSystem& fs,
                                         const std::string& dataFolder) {
    struct Sheet {
        std::vector<uint8_t>* pixels;
        int32_t width, height;
    };
    const Sheet sheets[4] = {{&fonts.font4x6, 64, 84},
                             {&fonts.font7x11, 112, 154},
                             {&fonts.font5x7, 80, 98},
                             {&fonts.font8x11, 128, 154}};
    std::array<LoadStatus, 4> results{};
    for (size_t k = 0; k < 4; ++k)
        results[k] = loadMonoBitmap(fs, sheets[k].width, sheets[k].height, *sheets[k].pixels,
                                    findNoCase(fs, dataFolder, kFontSheetFiles[k]));
    return results;
}

void reportFontSheets(const std::array<LoadStatus, 4>& results, const Languages& langs,
                      const BootLogSink& log) {
    for (size_t k = 0; k < 4; ++k) reportLoadProblem(results[k], kFontSheetFiles[k], langs, log);
}

LoadStatus parseGlyphWidths(const std::string& text, int32_t cellWidth,
                            std::array<uint8_t, 224>& widths) {
    if (text.empty()) return LoadStatus::Missing;
    for (size_t k = 0; k < widths.size(); ++k) {
        int32_t w = 0;
        if (k < text.size() && text[k] >= '0' && text[k] <= '9') w = text[k] - '0';
        // A glyph wider than its cell would show the neighbouring glyph's columns.
        widths[k] = uint8_t(std::clamp(w, 0, std::max(cellWidth, 0)));
    }
    return text.size() < widths.size() ? LoadStatus::Truncated : LoadStatus::Loaded;
}

void loadGlyphWidthFiles(Fonts& fonts, FileSystem& fs, const std::string& dataFolder,
                         const Languages& langs, const BootLogSink& log) {
    struct WidthFile {
        const char* name;
        int32_t cellWidth;
        std::array<uint8_t, 224>* widths;
    };
    const WidthFile files[2] = {{"vfnt5x7.wid", 5, &fonts.font5x7Widths},
                                {"vfnt8x11.wid", 8, &fonts.font8x11Widths}};
    for (const WidthFile& f : files) {
        const std::string text = fsoReadFile(fs, findNoCase(fs, dataFolder, f.name));
        reportLoadProblem(parseGlyphWidths(text, f.cellWidth, *f.widths), f.name, langs, log);
    }
}

}  // namespace korvel
