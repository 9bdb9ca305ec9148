#include "resources/Palettes.h"

#include <algorithm>
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

NearestColorSearch::NearestColorSearch(const PaletteChannel& red, const PaletteChannel& green,
                                       const PaletteChannel& blue, int32_t redWeight,
                                       int32_t greenWeight, int32_t blueWeight)
    : red_(red), green_(green), blue_(blue), wr_(redWeight), wg_(greenWeight), wb_(blueWeight) {
    for (int32_t i = 0; i < 256; ++i)
        sorted_[size_t(i)] = {red[size_t(i)], green[size_t(i)], blue[size_t(i)], i};
    std::stable_sort(sorted_.begin(), sorted_.end(),
                     [](const Entry& a, const Entry& b) { return a.r < b.r; });
    size_t at = 0;
    for (int32_t value = 0; value <= 256; ++value) {
        while (at < 256 && sorted_[at].r < value) ++at;
        byRed_[size_t(value)] = uint16_t(at);
    }
    for (size_t k = 0; k < 256; ++k) position_[size_t(sorted_[k].index)] = uint8_t(k);
}

int64_t NearestColorSearch::distance(const Entry& e, int32_t r, int32_t g, int32_t b) const {
    const int64_t dr = e.r - r, dg = e.g - g, db = e.b - b;
    return wr_ * dr * dr + wg_ * dg * dg + wb_ * db * db;
}

uint8_t NearestColorSearch::find(int32_t r, int32_t g, int32_t b) {
    if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255) {
        int32_t best = 0;
        return uint8_t(nearestIn(red_, green_, blue_, {wr_, wg_, wb_}, r, g, b, -1, best));
    }
    // The nearest colour, the lowest index among equals; entries whose red difference alone
    // exceeds the best distance cannot be nearer or equal.
    const Entry& guess = sorted_[position_[last_]];
    int64_t bestD = distance(guess, r, g, b);
    int32_t bestI = guess.index;
    auto consider = [&](const Entry& e) {
        const int64_t d = distance(e, r, g, b);
        if (d < bestD || (d == bestD && e.index < bestI)) {
            bestD = d;
            bestI = e.index;
        }
    };
    for (size_t k = byRed_[size_t(r)]; k < 256; ++k) {
        const int64_t dr = sorted_[k].r - r;
        if (wr_ * dr * dr > bestD) break;
        consider(sorted_[k]);
    }
    for (size_t k = byRed_[size_t(r)]; k-- > 0;) {
        const int64_t dr = r - sorted_[k].r;
        if (wr_ * dr * dr > bestD) break;
        consider(sorted_[k]);
    }
    last_ = uint8_t(bestI);
    // The scans start from a best of 1,000,000 and fall back to colour 0 beyond it.
    return bestD < kNoColourYet ? uint8_t(bestI) : 0;
}

}  // namespace korvel
