#include "resources/Palettes.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Weighted squared distance times 256 plus index fits 31 bits for channel values within 0..255
// while the weights add up to 128 at most. The least such key is the colour the scan above keeps
// (when its distance is below its start), and with the second least, the one it keeps skipping
// that.
bool smallKeys(Weights w, int32_t r, int32_t g, int32_t b) {
    return w.r >= 0 && w.g >= 0 && w.b >= 0 && int64_t(w.r) + w.g + w.b <= 128 &&
           (uint32_t(r) | uint32_t(g) | uint32_t(b)) <= 255;
}

struct LeastKeys {
    int32_t least, second;
};

LeastKeys leastKeys(const PaletteChannel& red, const PaletteChannel& green,
                    const PaletteChannel& blue, Weights w, int32_t r, int32_t g, int32_t b) {
#if defined(__SSE2__)
    // Eight colours a step in 16-bit lanes: w * d fits 16 bits while a weight is 128 at most.
    // Each lane keeps its least and second least key.
    const __m128i zero = _mm_setzero_si128();
    const __m128i cr = _mm_set1_epi16(int16_t(r)), cg = _mm_set1_epi16(int16_t(g)),
                  cb = _mm_set1_epi16(int16_t(b));
    const __m128i wr = _mm_set1_epi16(int16_t(w.r)), wg = _mm_set1_epi16(int16_t(w.g)),
                  wb = _mm_set1_epi16(int16_t(w.b));
    auto lesser = [](__m128i x, __m128i y) {
        const __m128i below = _mm_cmplt_epi32(x, y);
        return _mm_or_si128(_mm_and_si128(below, x), _mm_andnot_si128(below, y));
    };
    auto greater = [](__m128i x, __m128i y) {
        const __m128i above = _mm_cmpgt_epi32(x, y);
        return _mm_or_si128(_mm_and_si128(above, x), _mm_andnot_si128(above, y));
    };
    __m128i least = _mm_set1_epi32(INT32_MAX), second = least;
    __m128i index = _mm_setr_epi32(0, 1, 2, 3);
    const __m128i four = _mm_set1_epi32(4);
    auto take = [&](__m128i key) {
        second = lesser(second, greater(least, key));
        least = lesser(least, key);
    };
    for (size_t i = 0; i < 256; i += 8) {
        auto channel = [&](const PaletteChannel& c) {
            return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(&c[i])),
                                     zero);
        };
        const __m128i dr = _mm_sub_epi16(channel(red), cr), dg = _mm_sub_epi16(channel(green), cg),
                      db = _mm_sub_epi16(channel(blue), cb);
        const __m128i wdr = _mm_mullo_epi16(dr, wr), wdg = _mm_mullo_epi16(dg, wg),
                      wdb = _mm_mullo_epi16(db, wb);
        const __m128i low = _mm_add_epi32(
            _mm_madd_epi16(_mm_unpacklo_epi16(dr, dg), _mm_unpacklo_epi16(wdr, wdg)),
            _mm_madd_epi16(_mm_unpacklo_epi16(db, zero), _mm_unpacklo_epi16(wdb, zero)));
        const __m128i high = _mm_add_epi32(
            _mm_madd_epi16(_mm_unpackhi_epi16(dr, dg), _mm_unpackhi_epi16(wdr, wdg)),
            _mm_madd_epi16(_mm_unpackhi_epi16(db, zero), _mm_unpackhi_epi16(wdb, zero)));
        take(_mm_or_si128(_mm_slli_epi32(low, 8), index));
        index = _mm_add_epi32(index, four);
        take(_mm_or_si128(_mm_slli_epi32(high, 8), index));
        index = _mm_add_epi32(index, four);
    }
    alignas(16) int32_t keys[8];
    _mm_store_si128(reinterpret_cast<__m128i*>(keys), least);
    _mm_store_si128(reinterpret_cast<__m128i*>(keys + 4), second);
#else
    int32_t keys[256];
    for (size_t i = 0; i < 256; ++i) {
        const int32_t dr = int32_t(red[i]) - r, dg = int32_t(green[i]) - g,
                      db = int32_t(blue[i]) - b;
        keys[i] = (w.r * dr * dr + w.g * dg * dg + w.b * db * db) << 8 | int32_t(i);
    }
#endif
    LeastKeys result{INT32_MAX, INT32_MAX};
    for (const int32_t key : keys) {
        result.second = std::min(result.second, std::max(result.least, key));
        result.least = std::min(result.least, key);
    }
    return result;
}

uint8_t nearestBy(const PaletteChannel& red, const PaletteChannel& green,
                  const PaletteChannel& blue, Weights w, int32_t r, int32_t g, int32_t b) {
    int32_t best = 0;
    if (!smallKeys(w, r, g, b)) return uint8_t(nearestIn(red, green, blue, w, r, g, b, -1, best));
    const int32_t least = leastKeys(red, green, blue, w, r, g, b).least;
    return (least >> 8) < kNoColourYet ? uint8_t(least & 255) : 0;
}

ColorPair pairIn(const ColorTables& c, Weights w, int32_t r, int32_t g, int32_t b) {
    int32_t f = 0, s = 0, h = kNoColourYet, m = kNoColourYet;
    if (smallKeys(w, r, g, b)) {
        const LeastKeys keys = leastKeys(c.paletteRed, c.paletteGreen, c.paletteBlue, w, r, g, b);
        // The second scan skips f, the least key's colour; when even that is too far, so is
        // every other, and both scans give 0.
        if ((keys.least >> 8) < kNoColourYet) f = keys.least & 255, h = keys.least >> 8;
        if ((keys.second >> 8) < kNoColourYet) s = keys.second & 255, m = keys.second >> 8;
    } else {
        f = nearestIn(c.paletteRed, c.paletteGreen, c.paletteBlue, w, r, g, b, -1, h);
        s = nearestIn(c.paletteRed, c.paletteGreen, c.paletteBlue, w, r, g, b, f, m);
    }
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
    return nearestBy(c.paletteRed, c.paletteGreen, c.paletteBlue, {1, 1, 1}, r, g, b);
}

uint8_t nearestColorLuma(const ColorTables& c, int32_t r, int32_t g, int32_t b) {
    return nearestBy(c.gamePaletteRed, c.gamePaletteGreen, c.gamePaletteBlue, {30, 59, 11}, r, g,
                     b);
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
    // A distance times 256 plus an index fits 31 bits while the weights add up to 128 at most.
    smallKeys_ = redWeight >= 0 && greenWeight >= 0 && blueWeight >= 0 &&
                 int64_t(redWeight) + greenWeight + blueWeight <= 128;
    candidates_.reserve(size_t(1) << 14);
    for (size_t i = 0; i < 256; ++i) candidates_.push_back({red[i], green[i], blue[i], uint8_t(i)});
    candidates_.resize(256 + kSlack);
    for (size_t level = 0; level < kLevelShifts.size(); ++level) {
        const size_t side = size_t(256 >> kLevelShifts[level]);
        levels_[level].assign(side * side * side, Cell{});
    }
}

uint32_t NearestColorSearch::cellOf(size_t level, int32_t r, int32_t g, int32_t b) const {
    const int32_t shift = kLevelShifts[level], side = 256 >> shift;
    return uint32_t(((r >> shift) * side + (g >> shift)) * side + (b >> shift));
}

// Most of a search's time: built into each caller.
[[gnu::always_inline]] inline int32_t NearestColorSearch::leastSmallKey(const Candidate* c,
                                                                        uint32_t count, int32_t r,
                                                                        int32_t g,
                                                                        int32_t b) const {
    // Distance and index in one key: the least key is the nearest colour, the lowest index among
    // equals, as the full scan keeps. Every entry is looked at, with no early way out, so that
    // the loop runs without branches.
#if defined(__SSE2__)
    // Four entries a step. Each entry's channels less the colour's, in 16 bits, times themselves
    // weighted: w * d fits 16 bits while a weight is 128 at most.
    static_assert(sizeof(Candidate) == 4);
    const __m128i zero = _mm_setzero_si128();
    const __m128i colour = _mm_setr_epi16(int16_t(r), int16_t(g), int16_t(b), 0, int16_t(r),
                                          int16_t(g), int16_t(b), 0);
    const __m128i weights = _mm_setr_epi16(int16_t(wr_), int16_t(wg_), int16_t(wb_), 0,
                                           int16_t(wr_), int16_t(wg_), int16_t(wb_), 0);
    // Two entries' two partial sums each.
    auto partial = [&](__m128i two) {
        const __m128i d = _mm_sub_epi16(two, colour);
        return _mm_madd_epi16(d, _mm_mullo_epi16(d, weights));
    };
    auto lesser = [](__m128i x, __m128i y) {
        const __m128i below = _mm_cmplt_epi32(x, y);
        return _mm_or_si128(_mm_and_si128(below, x), _mm_andnot_si128(below, y));
    };
    auto keys = [&](const Candidate* at) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128 low = _mm_castsi128_ps(partial(_mm_unpacklo_epi8(four, zero)));
        const __m128 high = _mm_castsi128_ps(partial(_mm_unpackhi_epi8(four, zero)));
        const __m128i distance =
            _mm_add_epi32(_mm_castps_si128(_mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0))),
                          _mm_castps_si128(_mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1))));
        return _mm_or_si128(_mm_slli_epi32(distance, 8), _mm_srli_epi32(four, 24));
    };
    // The last four entries first, those past the list (the next list's, or slack) raised to
    // the greatest key by an or; then every whole group before them.
    alignas(16) static constexpr int32_t kPast[4][4] = {{0, 0, 0, 0},
                                                        {0, INT32_MAX, INT32_MAX, INT32_MAX},
                                                        {0, 0, INT32_MAX, INT32_MAX},
                                                        {0, 0, 0, INT32_MAX}};
    const uint32_t whole = (count - 1) / 4;
    __m128i least =
        _mm_or_si128(keys(c + size_t(whole) * 4),
                     _mm_load_si128(reinterpret_cast<const __m128i*>(kPast[count & 3])));
    for (const Candidate* const end = c + size_t(whole) * 4; c != end; c += 4)
        least = lesser(least, keys(c));
    least = lesser(least, _mm_shuffle_epi32(least, _MM_SHUFFLE(1, 0, 3, 2)));
    least = lesser(least, _mm_shuffle_epi32(least, _MM_SHUFFLE(2, 3, 0, 1)));
    return _mm_cvtsi128_si32(least);
#else
    int32_t least = INT32_MAX;
    for (const Candidate* const end = c + count; c != end; ++c) {
        const int32_t dr = int32_t(c->r) - r, dg = int32_t(c->g) - g, db = int32_t(c->b) - b;
        least = std::min(least, (wr_ * dr * dr + wg_ * dg * dg + wb_ * db * db) << 8 | c->index);
    }
    return least;
#endif
}

void NearestColorSearch::listCell(size_t level, int32_t r, int32_t g, int32_t b) {
    // The colours that can be nearest anywhere in a cell are among those of the cell around it,
    // so each level sifts the list of the level above (the whole palette at the top).
    uint32_t from = 0, count = 256;
    if (level > 0) {
        const uint32_t parent = cellOf(level - 1, r, g, b);
        if (levels_[level - 1][parent].count == 0) listCell(level - 1, r, g, b);
        from = levels_[level - 1][parent].first;
        count = levels_[level - 1][parent].count;
    }
    const int32_t shift = kLevelShifts[level], side = 1 << shift;
    const int32_t lr = r >> shift << shift, lg = g >> shift << shift, lb = b >> shift << shift;
    // A colour nearest to the cell's middle rules out every colour farther than it from each
    // point of the cell. The difference of two squared distances is linear in the point, so its
    // least value over the cell is at a corner, found channel by channel. Colours only as far
    // somewhere stay listed, for ties. Which of the colours near the middle rules is a matter of
    // list lengths alone: the value just past the middle serves when keys are small, and the
    // middle itself, in doubled units, otherwise.
    Candidate best{};
    if (smallKeys_) {
        const int32_t key = leastSmallKey(candidates_.data() + from, count, lr + side / 2,
                                          lg + side / 2, lb + side / 2);
        const size_t i = size_t(key & 255);
        best = {red_[i], green_[i], blue_[i], uint8_t(i)};
    } else {
        const int32_t cr = 2 * lr + side - 1, cg = 2 * lg + side - 1, cb = 2 * lb + side - 1;
        int64_t centreDistance = INT64_MAX;
        for (uint32_t k = 0; k < count; ++k) {
            const Candidate& c = candidates_[from + k];
            const int64_t dr = 2 * c.r - cr, dg = 2 * c.g - cg, db = 2 * c.b - cb;
            const int64_t d = wr_ * dr * dr + wg_ * dg * dg + wb_ * db * db;
            if (d < centreDistance) centreDistance = d, best = c;
        }
    }
    // w (c^2 - b^2) - 2 w p (c - b) at the end of lo..hi where it is least.
    auto leastGap = [side](int64_t w, int64_t c, int64_t b, int64_t lo) {
        const int64_t p = c > b ? lo + side - 1 : lo;
        return w * (c * c - b * b - 2 * p * (c - b));
    };
    // Kept colours are written one after another, each slot written whether kept or not.
    const uint32_t first = uint32_t(candidates_.size() - kSlack);
    candidates_.resize(size_t(first) + count + kSlack);
    const Candidate* const in = candidates_.data() + from;
    Candidate* const out = candidates_.data() + first;
    uint32_t kept = 0, k = 0;
#if defined(__SSE2__)
    if (smallKeys_) {
        // Four colours a step: per channel w (c - b) (c + b - 2p), the same gap factored, with
        // both factors in 16 bits while a weight is 128 at most.
        const __m128i zero = _mm_setzero_si128();
        const __m128i bestColour =
            _mm_setr_epi16(best.r, best.g, best.b, 0, best.r, best.g, best.b, 0);
        const __m128i low = _mm_setr_epi16(int16_t(lr), int16_t(lg), int16_t(lb), 0, int16_t(lr),
                                           int16_t(lg), int16_t(lb), 0);
        const __m128i high = _mm_add_epi16(
            low, _mm_setr_epi16(int16_t(side - 1), int16_t(side - 1), int16_t(side - 1), 0,
                                int16_t(side - 1), int16_t(side - 1), int16_t(side - 1), 0));
        const __m128i weights = _mm_setr_epi16(int16_t(wr_), int16_t(wg_), int16_t(wb_), 0,
                                               int16_t(wr_), int16_t(wg_), int16_t(wb_), 0);
        auto partial = [&](__m128i two) {
            const __m128i nearer = _mm_cmpgt_epi16(two, bestColour);
            const __m128i p =
                _mm_or_si128(_mm_and_si128(nearer, high), _mm_andnot_si128(nearer, low));
            const __m128i across =
                _mm_sub_epi16(_mm_add_epi16(two, bestColour), _mm_add_epi16(p, p));
            return _mm_madd_epi16(_mm_mullo_epi16(_mm_sub_epi16(two, bestColour), weights), across);
        };
        // Colours past the parent's list, in the last four, are never kept.
        for (; k < (count + 3) / 4; ++k) {
            const __m128i four =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + size_t(k) * 4));
            const __m128 lo = _mm_castsi128_ps(partial(_mm_unpacklo_epi8(four, zero)));
            const __m128 hi = _mm_castsi128_ps(partial(_mm_unpackhi_epi8(four, zero)));
            const __m128i gap =
                _mm_add_epi32(_mm_castps_si128(_mm_shuffle_ps(lo, hi, _MM_SHUFFLE(2, 0, 2, 0))),
                              _mm_castps_si128(_mm_shuffle_ps(lo, hi, _MM_SHUFFLE(3, 1, 3, 1))));
            const uint32_t above =
                uint32_t(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(gap, zero))));
            const uint32_t present = count - 4 * k >= 4 ? 15u : (1u << (count - 4 * k)) - 1;
            const uint32_t keep = ~above & present;
            for (uint32_t lane = 0; lane < 4; ++lane) {
                out[kept] = in[4 * k + lane];
                kept += (keep >> lane) & 1;
            }
        }
        k = count;
    }
#endif
    for (; k < count; ++k) {
        const Candidate c = in[k];
        const int64_t gap = leastGap(wr_, c.r, best.r, lr) + leastGap(wg_, c.g, best.g, lg) +
                            leastGap(wb_, c.b, best.b, lb);
        out[kept] = c;
        kept += gap <= 0;
    }
    // The ruling colour itself is always kept, so the list is never empty.
    candidates_.resize(size_t(first) + kept + kSlack);
    levels_[level][cellOf(level, r, g, b)] = {first, kept};
}

uint8_t NearestColorSearch::find(int32_t r, int32_t g, int32_t b) {
    int32_t best = kNoColourYet;
    if ((uint32_t(r) | uint32_t(g) | uint32_t(b)) > 255)
        return uint8_t(nearestIn(red_, green_, blue_, {wr_, wg_, wb_}, r, g, b, -1, best));
    constexpr size_t last = kLevelShifts.size() - 1;
    const uint32_t at = cellOf(last, r, g, b);
    if (levels_[last][at].count == 0) listCell(last, r, g, b);
    // Whatever is nearest to (r, g, b) is in the list, and so is every colour as near as it.
    const Cell cell = levels_[last][at];
    const Candidate* c = candidates_.data() + cell.first;
    if (smallKeys_) {
        const int32_t least = leastSmallKey(c, cell.count, r, g, b);
        return (least >> 8) < best ? uint8_t(least & 255) : 0;
    }
    const Candidate* const end = c + cell.count;
    int64_t least = INT64_MAX;
    for (; c != end; ++c) {
        const int64_t dr = int32_t(c->r) - r, dg = int32_t(c->g) - g, db = int32_t(c->b) - b;
        const int64_t d = wr_ * dr * dr + wg_ * dg * dg + wb_ * db * db;
        if (d == 0) return c->index;  // nothing is nearer, and the list is in index order
        least = std::min(least, d << 8 | c->index);
    }
    return (least >> 8) < best ? uint8_t(least & 255) : 0;
}

}  // namespace korvel
