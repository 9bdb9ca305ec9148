#include "resources/Palettes.h"

#include <charconv>
#include <optional>

#include "base/FileSystem.h"
#include "base/MessageNumbers.h"
#include "base/TextFile.h"
#include "base/TextLines.h"
#include "map/MapEvents.h"

namespace korvel {

namespace {

constexpr int32_t kNoColourYet = 1000000;
constexpr uint8_t kMissingFileColour = 68;

std::optional<uint8_t> channelValue(std::string_view field) {
    int value = -1;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || end != field.data() + field.size() || value < 0 || value > 255)
        return std::nullopt;
    return uint8_t(value);
}

bool loadPalette(PaletteChannel& red, PaletteChannel& green, PaletteChannel& blue, FileSystem& fs,
                 MapEvents& events, const std::string& dataFolder, const std::string& fileName,
                 const std::string& logName) {
    const std::string text = fsoReadFile(fs, findNoCase(fs, dataFolder, fileName));
    if (parseTextPalette(text, red, green, blue)) return true;
    events.bootLogMessage(kMsgMissingFile, kMissingFileColour, {logName});
    return false;
}

struct Weights {
    int32_t r, g, b;
};

template <typename Channel>
int32_t nearestIn(const Channel& red, const Channel& green, const Channel& blue, Weights w,
                  int32_t r, int32_t g, int32_t b, int32_t skip, int32_t& best) {
    int32_t found = 0;
    best = kNoColourYet;
    for (int32_t i = 0; i < 256; ++i) {
        if (i == skip) continue;
        // 64 bits, so that channel values outside 0..255 cannot overflow.
        const int64_t dr = int64_t(red[size_t(i)]) - r, dg = int64_t(green[size_t(i)]) - g,
                      db = int64_t(blue[size_t(i)]) - b;
        const int64_t d = w.r * dr * dr + w.g * dg * dg + w.b * db * db;
        if (d < best) {
            best = int32_t(d);
            found = i;
        }
    }
    return found;
}

ColorPair pairIn(const ColorTables& c, Weights w, int32_t r, int32_t g, int32_t b) {
    int32_t h = 0, m = 0;
    const int32_t f = nearestIn(c.paletteRed, c.paletteGreen, c.paletteBlue, w, r, g, b, -1, h);
    int32_t s = nearestIn(c.paletteRed, c.paletteGreen, c.paletteBlue, w, r, g, b, f, m);
    if (m > 0 && double(h) / double(m) <= 0.5) s = f;
    return ColorPair(uint32_t(f) | uint32_t(s) << 8);
}

}  // namespace

bool parseTextPalette(std::string_view text, PaletteChannel& red, PaletteChannel& green,
                      PaletteChannel& blue) {
    if (text.empty()) return false;
    const auto lines = splitAtCr(text);
    for (size_t k = 0; k < 256 && k + 3 < lines.size(); ++k) {
        const std::string_view line = dropLeadingLf(lines[k + 3]);
        std::string_view fr, fg, fb;
        if (!blankField(line, 1, fr) || !blankField(line, 2, fg) || !blankField(line, 3, fb))
            continue;
        const auto r = channelValue(fr), g = channelValue(fg), b = channelValue(fb);
        if (!r || !g || !b) continue;
        red[k] = *r;
        green[k] = *g;
        blue[k] = *b;
    }
    return true;
}

std::string formatTextPalette(const PaletteChannel& red, const PaletteChannel& green,
                              const PaletteChannel& blue) {
    std::string text = "JASC-PAL\r\n0100\r\n256\r\n";
    for (size_t k = 0; k < 256; ++k)
        text += std::to_string(red[k]) + ' ' + std::to_string(green[k]) + ' ' +
                std::to_string(blue[k]) + "\r\n";
    return text;
}

bool loadDisplayPalette(ColorTables& colors, FileSystem& fs, MapEvents& events,
                        const std::string& dataFolder) {
    return loadPalette(colors.paletteRed, colors.paletteGreen, colors.paletteBlue, fs, events,
                       dataFolder, "Palette.pal", "palette.pal");
}

bool loadGamePalette(ColorTables& colors, FileSystem& fs, MapEvents& events,
                     const std::string& dataFolder) {
    return loadPalette(colors.gamePaletteRed, colors.gamePaletteGreen, colors.gamePaletteBlue, fs,
                       events, dataFolder, "dukepal.pal", "dukepal.pal");
}

uint8_t nearestColor(const ColorTables& c, int32_t r, int32_t g, int32_t b) {
    int32_t best = 0;
    return uint8_t(
        nearestIn(c.paletteRed, c.paletteGreen, c.paletteBlue, {1, 1, 1}, r, g, b, -1, best));
}

uint8_t nearestColorLuma(const ColorTables& c, int32_t r, int32_t g, int32_t b) {
    int32_t best = 0;
    return uint8_t(nearestIn(c.gamePaletteRed, c.gamePaletteGreen, c.gamePaletteBlue, {30, 59, 11},
                             r, g, b, -1, best));
}

ColorPair nearestColorPair(const ColorTables& c, int32_t r, int32_t g, int32_t b) {
    return pairIn(c, {1, 1, 1}, r, g, b);
}

ColorPair nearestColorPairWeighted(const ColorTables& c, int32_t r, int32_t g, int32_t b) {
    return pairIn(c, {27, 49, 24}, r, g, b);
}

}  // namespace korvel
