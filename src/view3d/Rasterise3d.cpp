#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <type_traits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/Mainm.h"
#include "view3d/Render3d.h"

namespace korvel {
namespace {

constexpr int64_t kK = 2048000000;  // 1000 / 0.002 x 4096
constexpr int32_t kPaletteRows = 27, kShadeCells = 32 * 256;

// The nearest whole number in the current rounding mode, without a library call: below 2^52
// adding and taking away 2^52 rounds to a whole number, and from there on every value is whole.
int64_t nearest64(double v) {
    if (!(v > -9.0e18 && v < 9.0e18)) return 0;
    constexpr double kWhole = 4503599627370496.0;  // 2^52
    if (!(std::fabs(v) < kWhole)) return int64_t(v);
    const double shift = std::copysign(kWhole, v);
    return int64_t((v + shift) - shift);
}

// One less than the least power of two from 1 to 2^20 that holds size x 256, or than
// size x 256 itself past 2^20.
int32_t textureMask(int32_t size) {
    const int64_t want = int64_t(size) * 256;
    if (want <= 1) return 0;
    if (want <= 1048576) return int32_t(std::bit_ceil(uint64_t(want)) - 1);
    return int32_t(want - 1);
}

struct FixedPlane {
    int64_t A = 0, B = 0, C = 0;
    int64_t at(int64_t x, int64_t y) const { return A * x + B * y + C; }
};

// Solves the plane through three (x, y, value) points; false when its constant collapsed.
// Inlined, so that the three planes' divisions of a triangle overlap.
[[gnu::always_inline]] inline bool solvePlane(const std::array<Vertex3d, 3>& p,
                                              const std::array<double, 3>& f, double det,
                                              double scale, FixedPlane& out) {
    const double A = ((f[1] - f[0]) * (p[2].y - p[0].y) - (f[2] - f[0]) * (p[1].y - p[0].y)) / det;
    const double B = ((f[2] - f[0]) * (p[1].x - p[0].x) - (f[1] - f[0]) * (p[2].x - p[0].x)) / det;
    const double C = f[0] - A * p[0].x - B * p[0].y;
    out.A = safeFloor(A * scale + 0.5);
    out.B = safeFloor(B * scale + 0.5);
    out.C = safeFloor(C * scale + 0.5);
    return !(out.C == 0 && std::fabs(C * scale) > 0.001);
}

struct Sample {
    int64_t u, v, d, level;
    // The plane lies where the quotient falls as the plane grows: between two such samples of
    // a row the depths of the samples taken in between lie between theirs.
    bool ahead;
};

// What the spans of one triangle read and write, gathered once per triangle.
struct SpanSetup {
    const uint8_t* art = nullptr;
    int64_t artSize = 0;
    bool artSafe = false;  // no texel address of the triangle can leave the pixels
    int64_t base = 0, th = 0, maskU = 0, maskV = 0;
    // The display pair of every texel value at every shade (32 rows of 256) through the
    // triangle's palette row.
    const ColorPair* shaded = nullptr;
    const uint8_t* blend = nullptr;
    int16_t* depth = nullptr;
    int32_t* pick = nullptr;
    int32_t* pickObject = nullptr;
    const int32_t* skyCol = nullptr;
    const int32_t* skyRow = nullptr;
    int32_t index = 0, objectCode = 0;
    bool dither = false;
    Random* random = nullptr;
    FixedPlane Zp, Up, Vp;
    int64_t F = 0, S = 0;
    uint8_t* image = nullptr;
};

// The plane of depths at a sample, and the quotient that scales the sample.
inline int64_t planeAt(const SpanSetup& t, int64_t c, int64_t r) {
    return t.Zp.at(c + 1, r) / 128;
}
inline int64_t quotientOf(int64_t zq) {
    // A plane this close to 0 lies past every depth the buffer holds. The quotient is taken
    // in 32 bits, which hold kK and every divisor that leaves one.
    static_assert(kK <= INT32_MAX);
    return zq == 0 ? INT32_MAX : (zq > kK || zq < -kK) ? 0 : int32_t(kK) / int32_t(zq);
}
// Within this range the quotient falls as the plane grows.
inline bool planeAhead(int64_t zq) {
    return zq >= 1 && zq <= kK;
}

// The depth part of an exact sample; the quotient it returns gives the rest.
inline int64_t sampleDepth(const SpanSetup& t, int64_t c, int64_t r, Sample& out) {
    const int64_t zq = planeAt(t, c, r);
    const int64_t rr = quotientOf(zq);
    out.d = rr * 131 / 128;
    out.ahead = planeAhead(zq);
    return rr;
}

inline void sampleRest(const SpanSetup& t, int64_t c, int64_t r, int64_t rr, Sample& out) {
    out.u = (t.Up.at(c + 1, r) / 512) * rr / 1024;
    out.v = (t.Vp.at(c + 1, r) / 512) * rr / 1024;
    out.level = out.d * t.F / 1024 + t.S;
}

inline void exactSample(const SpanSetup& t, int64_t c, int64_t r, Sample& out) {
    sampleRest(t, c, r, sampleDepth(t, c, r, out), out);
}

// The largest depth of cells from..to - 1 (one at least) of a row of kCellColumns3d cells.
inline int32_t deepest(const int16_t* row, int32_t from, int32_t to) {
    int32_t c = from;
#if defined(__SSE2__)
    __m128i m;
    if (to - c >= 8) {
        m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + c));
        for (c += 8; c + 8 <= to; c += 8)
            m = _mm_max_epi16(m, _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + c)));
        // The last eight cells, overlapping those already read.
        m = _mm_max_epi16(m, _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + to - 8)));
    } else {
        // Fewer than eight: the eight cells of the row that end at to (or start the row), those
        // outside the range taken as the least depth.
        static_assert(kCellColumns3d >= 8);
        const int32_t first = std::max(to - 8, 0);
        const __m128i lane = _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7);
        const __m128i after = _mm_set1_epi16(int16_t(from - first - 1));
        const __m128i before = _mm_set1_epi16(int16_t(to - first));
        const __m128i inside =
            _mm_and_si128(_mm_cmpgt_epi16(lane, after), _mm_cmplt_epi16(lane, before));
        const __m128i cells = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + first));
        m = _mm_or_si128(_mm_and_si128(inside, cells),
                         _mm_andnot_si128(inside, _mm_set1_epi16(INT16_MIN)));
    }
    m = _mm_max_epi16(m, _mm_srli_si128(m, 8));
    m = _mm_max_epi16(m, _mm_srli_si128(m, 4));
    m = _mm_max_epi16(m, _mm_srli_si128(m, 2));
    return int16_t(_mm_cvtsi128_si32(m));
#else
    int32_t m = INT16_MIN;
    for (; c < to; ++c) m = std::max<int32_t>(m, row[c]);
    return m;
#endif
}

// Whether cells from..to - 1 of a row hide everything whose nearest depth is nearest (a
// negative depth ends a stretch, which a skipped one would not).
// A cell's two pixels: the shaded colour pair as it is (mode 3), or each pixel blended with
// the picture through the table, the picture's colour first (mode 2) or second (mode 1).
template <int Mode>
inline void putCell(uint8_t* px, ColorPair pair, const uint8_t* blend) {
    const uint8_t c0 = uint8_t(pair & 0xFF), c1 = uint8_t(pair >> 8);
    if constexpr (Mode == 3) {
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(px, &pair, 2);
        } else {
            px[0] = c0;
            px[1] = c1;
        }
    } else if constexpr (Mode == 2) {
        px[0] = blend[size_t(px[0]) * 256 + c0];
        px[1] = blend[size_t(px[1]) * 256 + c1];
    } else {
        px[0] = blend[size_t(c0) * 256 + px[0]];
        px[1] = blend[size_t(c1) * 256 + px[1]];
    }
}

template <bool Opaque>
inline bool hiddenUnder(const int16_t* depthRow, int64_t nearest, int32_t from, int32_t to) {
    if (nearest < 0) return false;
    const int32_t deep = deepest(depthRow, from, to);
    return Opaque ? nearest >= deep : nearest > deep;
}

#if defined(__SSE2__) && defined(__x86_64__)
// The texture coordinates of a plain triangle (undithered, every texel within the pixels, not
// sky) step in two 32-bit lanes, u then v: a texel's column and row are their bits under the
// masks, which all lie below bit 23, so the low 32 bits of a coordinate settle them. Masked and
// shifted, column and row go to the two low words and one multiply-add weighs them by the tile's
// height and 1. The shade level steps in a lane of its own, and the pick entries are stored from
// lanes too, which leaves the general registers to the cells' pointers and depths.
struct TexelLanes {
    __m128i uv, inc, mask, weights;
};

// Whether a triangle's texels can be found through the lanes: masks below bit 23 keep column
// and row below 2^15, and so within a signed word, and so is the tile's height.
inline bool lanesFit(int64_t maskU, int64_t maskV, int64_t th) {
    return maskU < (int64_t(1) << 23) && maskV < (int64_t(1) << 23) && th >= 0 && th <= INT16_MAX;
}

inline size_t texelOffset(__m128i uv, const TexelLanes& lanes) {
    const __m128i cells = _mm_srli_epi32(_mm_and_si128(uv, lanes.mask), 8);
    const __m128i pair = _mm_shufflelo_epi16(cells, _MM_SHUFFLE(3, 3, 2, 0));
    return uint32_t(_mm_cvtsi128_si32(_mm_madd_epi16(pair, lanes.weights)));
}

// What a run of cells did: whether it drew a texel, and whether a negative depth ended the
// stretch (after the cells before it).
struct RunEnd {
    bool drew = false, ended = false;
};

// Cells 0 to n - 1 of a plain run; the pointers start at its first cell and texels at the
// triangle's first pixel. Only with MayEnd can a negative depth end the stretch.
template <int Mode, bool Masked, bool MayEnd, bool InRange>
inline RunEnd plainCells(uint8_t* __restrict row, int16_t* __restrict depthRow,
                         int32_t* __restrict pickRow, int32_t* __restrict objectRow,
                         const uint8_t* __restrict texels, const ColorPair* __restrict shaded,
                         const uint8_t* __restrict blend, __m128i index, __m128i objectCode,
                         int32_t n, TexelLanes lanes, int64_t d, int64_t incD, __m128i level,
                         __m128i incLevel) {
    constexpr bool kOpaque = Mode == 3;
    __m128i uv = lanes.uv;
    bool drew = false;
    for (int32_t k = 0; k < n; ++k, uv = _mm_add_epi32(uv, lanes.inc), d += incD,
                 level = _mm_add_epi64(level, incLevel)) {
        const int64_t P = (MayEnd ? d / 64 : d >> 6) - (Masked ? 2 : 0);
        if (MayEnd && P < 0) return {drew, true};
        const int64_t depth = depthRow[k];
        if (kOpaque ? !(P < depth) : !(P <= depth)) continue;
        const uint8_t texel = texels[texelOffset(uv, lanes)];
        if (Masked && texel == 255) continue;
        // P passed a 16-bit depth, so it fits.
        depthRow[k] = int16_t(P);
        _mm_storeu_si32(pickRow + k, index);
        _mm_storeu_si32(objectRow + k, objectCode);
        const int64_t lv = _mm_cvtsi128_si64(level);
        const size_t shadeRow =
            InRange ? size_t(lv >> 8) : size_t(std::clamp<int64_t>(lv >> 8, 0, 31));
        putCell<Mode>(row + size_t(k) * 2, shaded[shadeRow * 256 + texel], blend);
        drew = true;
    }
    return {drew, false};
}
#endif

// Cells left to rightEnd - 1 of row r of a triangle, of which some may show.
template <int Mode, bool Masked, bool Sky>
[[gnu::noinline]] bool drawStretch(const SpanSetup& t, int32_t r, int32_t left, int32_t rightEnd) {
    constexpr bool kOpaque = Mode == 3;
    int32_t c = left;
    uint8_t* const row = t.image + size_t(r) * kImageWidth3d;
    const size_t cellRow = size_t(r) * kCellColumns3d;
    // Everything the cells read, held apart from the stores into the picture and buffers.
    int16_t* const depthRow = t.depth + cellRow;
    int32_t* const pickRow = t.pick + cellRow;
    int32_t* const objectRow = t.pickObject + cellRow;
    const uint8_t* const art = t.art;
    const ColorPair* const shaded = t.shaded;
    const uint8_t* const blend = t.blend;
    const int32_t* const skyCol = t.skyCol;
    const int64_t base = t.base, th = t.th, maskU = t.maskU, maskV = t.maskV, artSize = t.artSize;
    const bool artSafe = t.artSafe, dither = t.dither, plain = artSafe && !dither;
    const int32_t index = t.index, objectCode = t.objectCode;
    Random& random = *t.random;
    const int64_t skyV = Sky ? int64_t(t.skyRow[r]) * 256 : 0;
#if defined(__SSE2__) && defined(__x86_64__)
    // Plain triangles whose texels the lanes can find step through them from the triangle's
    // first pixel.
    const bool viaLanes = !Sky && plain && lanesFit(maskU, maskV, th);
    const uint8_t* const texels = viaLanes ? art + base : art;
    const __m128i laneMask = _mm_set_epi32(0, 0, int32_t(maskV), int32_t(maskU));
    const __m128i laneWeights = _mm_set_epi16(0, 0, 0, 0, 0, 0, 1, int16_t(th));
    const __m128i indexLane = _mm_cvtsi32_si128(index);
    const __m128i objectLane = _mm_cvtsi32_si128(objectCode);
#endif
    // A cell is drawn at a depth between those of the exact samples either side of it, and
    // cells no nearer than what the buffer holds are left alone: a run of cells whose nearest
    // sample is no nearer than the deepest cell under it draws nothing.
    const auto nearestOf = [](const Sample& x, const Sample& y) {
        return std::min(x.d, y.d) / 64 - (Masked ? 2 : 0);
    };
    const auto hidden = [depthRow](int64_t nearest, int32_t from, int32_t to) {
        return hiddenUnder<kOpaque>(depthRow, nearest, from, to);
    };
    Sample a, last;
    exactSample(t, c, r, a);
    exactSample(t, rightEnd, r, last);
    bool drew = false;
    // Cells c to stop - 1 from u, v, d, level by inc; false when a negative depth ended the
    // stretch. Without MayEnd no cell of the run is nearer than depth 0; Plain is for triangles
    // undithered whose texels all lie within the pixels.
    // With InRange every cell's shade level lies within the 32 shade rows (and nothing is
    // dithered), so it needs no clamp.
    const auto cells = [&](auto mayEnd, auto plain, auto inRange, int32_t stop, int64_t u,
                           int64_t v, int64_t d, int64_t level, const Sample& inc) {
        constexpr bool kMayEnd = decltype(mayEnd)::value, kPlain = decltype(plain)::value;
        constexpr bool kInRange = decltype(inRange)::value;
        for (; c < stop; ++c, u += inc.u, v += inc.v, d += inc.d, level += inc.level) {
            const int64_t P = (kMayEnd ? d / 64 : d >> 6) - (Masked ? 2 : 0);
            if (kMayEnd && P < 0) return false;
            const int64_t depth = depthRow[c];
            if (kOpaque ? !(P < depth) : !(P <= depth)) continue;
            const int64_t tu = Sky ? int64_t(skyCol[c]) * 256 : u;
            const int64_t tv = Sky ? skyV : v;
            const int64_t addr = base + ((tu & maskU) >> 8) * th + ((tv & maskV) >> 8);
            if (!kPlain && !artSafe && !(addr >= 0 && addr < artSize)) continue;
            const uint8_t texel = art[size_t(addr)];
            if (Masked && texel == 255) continue;
            // P passed a 16-bit depth, so it fits.
            if (!Sky) depthRow[c] = int16_t(P);
            pickRow[c] = index;
            objectRow[c] = objectCode;
            int64_t lv = level;
            if (!kPlain && dither) lv += (int64_t(randomLong(random)) & 0x7FFFFFFF) >> 22;
            // lv / 256 rounds towards 0 and a shift towards minus infinity: both clamp to 0
            // below 256.
            const size_t shadeRow =
                kInRange ? size_t(lv >> 8) : size_t(std::clamp<int64_t>(lv >> 8, 0, 31));
            putCell<Mode>(row + size_t(c) * 2, shaded[shadeRow * 256 + texel], blend);
            drew = true;
        }
        return true;
    };
    while (c < rightEnd) {
        const int32_t n = int32_t(std::min<int64_t>(16, rightEnd - c));
        Sample b;
        if (c + n == rightEnd) b = last;
        else exactSample(t, c + n, r, b);
        const int64_t nearest = nearestOf(a, b);
        if (hidden(nearest, c, c + n)) {
            c += n;
            a = b;
            continue;
        }
        Sample inc;
        if (n == 16) {
            inc = {(b.u - a.u) / 16, (b.v - a.v) / 16, (b.d - a.d) / 16, (b.level - a.level) / 16,
                   false};
        } else if (n < 5) {
            const int64_t f = 16 / n;
            inc = {(b.u - a.u) * f / 16, (b.v - a.v) * f / 16, (b.d - a.d) / 16 * f,
                   (b.level - a.level) * f / 16, false};
        } else {
            const int64_t f = 256 / n;
            inc = {(b.u - a.u) * f / 256, (b.v - a.v) * f / 256, (b.d - a.d) / 256 * f,
                   (b.level - a.level) * f / 256, false};
        }
        const int32_t stop = c + n;
        using No = std::false_type;
        using Yes = std::true_type;
#if defined(__SSE2__) && defined(__x86_64__)
        if (viaLanes) {
            const auto low32 = [](int64_t x) { return int32_t(uint32_t(x)); };
            const TexelLanes lanes{_mm_set_epi32(0, 0, low32(a.v), low32(a.u)),
                                   _mm_set_epi32(0, 0, low32(inc.v), low32(inc.u)), laneMask,
                                   laneWeights};
            const __m128i level = _mm_cvtsi64_si128(a.level);
            const __m128i incLevel = _mm_cvtsi64_si128(inc.level);
            const auto run = [&](auto mayEnd, auto inRange) {
                return plainCells<Mode, Masked, decltype(mayEnd)::value, decltype(inRange)::value>(
                    row + size_t(c) * 2, depthRow + c, pickRow + c, objectRow + c, texels, shaded,
                    blend, indexLane, objectLane, n, lanes, a.d, inc.d, level, incLevel);
            };
            // The level steps evenly, so the first and last cells bound every other.
            const int64_t lastLevel = a.level + inc.level * (n - 1);
            const bool inRange = std::min(a.level, lastLevel) >= 0 &&
                                 std::max(a.level, lastLevel) < int64_t(kShadeCells);
            const RunEnd end = nearest < 0 ? run(Yes{}, No{})
                               : inRange   ? run(No{}, Yes{})
                                           : run(No{}, No{});
            drew |= end.drew;
            if (end.ended) return drew;
            c = stop;
            a = b;
            continue;
        }
#endif
        if (plain) {
            // The level steps evenly, so the first and last cells bound every other.
            const int64_t lastLevel = a.level + inc.level * (n - 1);
            const bool inRange = std::min(a.level, lastLevel) >= 0 &&
                                 std::max(a.level, lastLevel) < int64_t(kShadeCells);
            if (nearest >= 0) {
                if (inRange) cells(No{}, Yes{}, Yes{}, stop, a.u, a.v, a.d, a.level, inc);
                else cells(No{}, Yes{}, No{}, stop, a.u, a.v, a.d, a.level, inc);
            } else if (!cells(Yes{}, Yes{}, No{}, stop, a.u, a.v, a.d, a.level, inc)) {
                return drew;
            }
        } else {
            if (nearest >= 0) cells(No{}, No{}, No{}, stop, a.u, a.v, a.d, a.level, inc);
            else if (!cells(Yes{}, No{}, No{}, stop, a.u, a.v, a.d, a.level, inc)) return drew;
        }
        a = b;
    }
    return drew;
}

// One row of a triangle between two edges (20.12 fixed point of sixteenths of a cell): exact
// samples every 16 cells, stepped linearly between them. Mode is the blend (3 opaque, 2 and 1
// the two ways of indexing the blend table; 0 draws as 1). True when a texel was drawn.
template <int Mode, bool Masked, bool Sky>
bool drawSpan(const SpanSetup& t, int32_t r, int64_t leftEdge, int64_t rightEdge) {
    const int64_t L16 = leftEdge >> 12, R16 = rightEdge >> 12;
    const int32_t left = int32_t(std::clamp<int64_t>(L16 / 16, 0, 400));
    int64_t rightEnd = R16 > 6405 ? 400 : (R16 + (Masked ? 1 : 4)) / 16;
    rightEnd = std::clamp<int64_t>(rightEnd, 0, 400);
    if (left >= rightEnd) return false;
#if defined(__SSE2__)
    // The triangle's next row most likely starts near this one: the first of its depths, pick
    // entries and picture are asked for while this row is drawn (and its last depths, which
    // the test below reads).
    if (r + 1 < kCellRows3d) {
        const int16_t* const next = t.depth + size_t(r + 1) * kCellColumns3d;
        _mm_prefetch(reinterpret_cast<const char*>(next + left), _MM_HINT_T0);
        _mm_prefetch(reinterpret_cast<const char*>(next + rightEnd - 1), _MM_HINT_T0);
        const size_t at = size_t(r + 1) * kCellColumns3d + size_t(left);
        _mm_prefetch(reinterpret_cast<const char*>(t.pick + at), _MM_HINT_T0);
        _mm_prefetch(reinterpret_cast<const char*>(t.pickObject + at), _MM_HINT_T0);
        _mm_prefetch(reinterpret_cast<const char*>(t.image + at * 2), _MM_HINT_T0);
    }
#endif
    // While the plane stays ahead the sample depths run monotonically along the row, so the two
    // ends bound every sample in between, and a stretch whose nearer end is no nearer than the
    // deepest cell under it draws nothing. Many rows end here, before the cells are set up.
    const int64_t zqFirst = planeAt(t, left, r), zqLast = planeAt(t, rightEnd, r);
    if (planeAhead(zqFirst) && planeAhead(zqLast)) {
        // The nearer end is the one with the larger plane value.
        const int64_t d = quotientOf(std::max(zqFirst, zqLast)) * 131 / 128;
        if (hiddenUnder<Mode == 3>(t.depth + size_t(r) * kCellColumns3d, d / 64 - (Masked ? 2 : 0),
                                   left, int32_t(rightEnd)))
            return false;
    }
    return drawStretch<Mode, Masked, Sky>(t, r, left, int32_t(rightEnd));
}

using SpanDrawer = bool (*)(const SpanSetup&, int32_t, int64_t, int64_t);

template <int Mode>
SpanDrawer spanDrawerOf(bool masked, bool sky) {
    if (masked) return sky ? drawSpan<Mode, true, true> : drawSpan<Mode, true, false>;
    return sky ? drawSpan<Mode, false, true> : drawSpan<Mode, false, false>;
}

SpanDrawer spanDrawerOf(int32_t blend, bool masked, bool sky) {
    if (blend == 3) return spanDrawerOf<3>(masked, sky);
    if (blend == 2) return spanDrawerOf<2>(masked, sky);
    return spanDrawerOf<1>(masked, sky);
}

}  // namespace

void rasterise3dTriangles(Scene3d& sc, std::vector<uint8_t>& image, const RasterInputs3d& in) {
    const std::vector<uint8_t>& art = in.tiles.artPixels;
    const int64_t artSize = int64_t(art.size());
    const ColorTables& ct = in.colors;
    std::array<int32_t, kCellColumns3d> skyCol;
    std::array<int32_t, kCellRows3d> skyRow;
    const int64_t turn = (nearest64(in.camAngle) & 32767) * 320 / 256;
    for (int32_t i = 0; i < kCellColumns3d; ++i) skyCol[i] = int32_t(i * 320 / 400 + turn);
    for (int32_t r = 0; r < kCellRows3d; ++r) skyRow[r] = (449 - r) * 320 / 800;
    std::fill(sc.sectorFrameStatus3d.begin(), sc.sectorFrameStatus3d.end(), 0);
    // The tables may change between frames: a palette row's pairs are built when a triangle
    // of this frame first uses it.
    static thread_local std::vector<ColorPair> pairTable(size_t(kPaletteRows) * kShadeCells);
    std::array<bool, kPaletteRows> pairRowBuilt{};
    const auto shadedPairs = [&](int32_t palRow) {
        ColorPair* const out = pairTable.data() + size_t(palRow) * kShadeCells;
        if (!pairRowBuilt[size_t(palRow)]) {
            const uint8_t* const remap = ct.palRemaps.data() + size_t(palRow) * 256;
            for (size_t k = 0; k < size_t(kShadeCells); ++k)
                out[k] = ct.gamePaletteMap[ct.gameShades[(k & ~size_t(255)) + remap[k & 255]]];
            pairRowBuilt[size_t(palRow)] = true;
        }
        return out;
    };

    SpanSetup st;
    st.art = art.data();
    st.artSize = artSize;
    st.blend = ct.blendTable.data();
    st.depth = sc.depthBuffer3d.data();
    st.pick = sc.pickBuffer3d.data();
    st.pickObject = sc.pickObjectBuffer3d.data();
    st.skyCol = skyCol.data();
    st.skyRow = skyRow.data();
    st.dither = in.dither;
    st.random = &in.random;
    st.image = image.data();

    for (int32_t i = 0; i < sc.renderTriangleCount; ++i) {
        const SurfaceTriangle& t = sc.renderTriangles[i];
        const int64_t maskU = textureMask(t.tileWidth), maskV = textureMask(t.tileHeight);
        const auto& p = t.p;
        const double det = p[2].x * p[0].y - p[2].x * p[1].y + p[2].y * p[1].x -
                           p[2].y * p[0].x - p[0].y * p[1].x + p[1].y * p[0].x;
        if (!(std::fabs(det) >= 0.1)) continue;
        // The solver's determinant has the opposite orientation to the one above.
        const double solveDet = (p[1].x - p[0].x) * (p[2].y - p[0].y) -
                                (p[2].x - p[0].x) * (p[1].y - p[0].y);
        FixedPlane Zp, Up, Vp;
        const std::array<double, 3> zs{p[0].z, p[1].z, p[2].z};
        const std::array<double, 3> uzs{p[0].u * p[0].z, p[1].u * p[1].z, p[2].u * p[2].z};
        const std::array<double, 3> vzs{p[0].v * p[0].z, p[1].v * p[1].z, p[2].v * p[2].z};
        if (!solvePlane(p, zs, solveDet, 1000, Zp) || !solvePlane(p, uzs, solveDet, 0.002, Up) ||
            !solvePlane(p, vzs, solveDet, 0.002, Vp))
            continue;

        const bool masked = t.drawFlags & kDrawMasked3d;
        const bool sky = t.drawFlags & kDrawSky3d;
        const int32_t blend = t.drawFlags & kDrawBlendMask3d;
        const int32_t palRow = t.pal > 25 ? 26 : t.pal;
        const int32_t s = t.sector;
        const bool hasSector = s >= 0 && s < kMaxSectors;
        int32_t step = 1, offset = 0;
        if (hasSector && sc.sectorSkipLevel3d[s] > 15) {
            step = sc.sectorSkipLevel3d[s] / 16;
            offset = int32_t((int64_t(i) + sc.frame3dCounter) % step);
        }
        st.th = t.tileHeight;
        st.base = int64_t(t.tileRef);
        st.maskU = maskU;
        st.maskV = maskV;
        st.artSafe = st.base >= 0 && st.th >= 0 &&
                     st.base + (maskU >> 8) * st.th + (maskV >> 8) < artSize;
        st.shaded = shadedPairs(palRow);
        st.index = i;
        st.objectCode = t.objectCode;
        st.Zp = Zp;
        st.Up = Up;
        st.Vp = Vp;
        st.S = int64_t(t.shade) * 256;
        st.F = t.visibility < 240 ? t.visibility + 16 : t.visibility - 240;
        const SpanDrawer drawSpan = spanDrawerOf(blend, masked, sky);
        bool drew = false;

        // Vertices by height: P0 lowest, M middle, Q highest, in the order an insertion leaves
        // them (as the library sorts so few): the second goes before the first when lower; the
        // third goes to the front when lower than the first, else before the second when lower.
        const Vertex3d *lo = &p[0], *mid = &p[1], *hi = &p[2];
        if (mid->y < lo->y) std::swap(lo, mid);
        if (hi->y < lo->y) {
            hi = mid;
            mid = lo;
            lo = &p[2];
        } else if (hi->y < mid->y) {
            std::swap(mid, hi);
        }
        const Vertex3d &P0 = *lo, &M = *mid, &Q = *hi;
        const auto rowOf = [](double y) {
            return int32_t(std::clamp<int64_t>(nearest64(y), -100000, 100000));
        };
        const auto slopeOf = [](const Vertex3d& a, const Vertex3d& b) -> int64_t {
            const double dy = b.y - a.y;
            if (!(std::fabs(dy) > 0.1)) return 0;
            return std::clamp<int64_t>(nearest64((b.x - a.x) / dy * 65536), -(int64_t(1) << 40),
                                       int64_t(1) << 40);
        };
        const auto startOf = [](const Vertex3d& a) {
            return std::clamp<int64_t>(nearest64(16 * a.x), -(int64_t(1) << 30), int64_t(1) << 30)
                   << 12;
        };
        const int32_t firstRow = rowOf(P0.y);
        const auto half = [&](int32_t from, int32_t to, int64_t& e1, int64_t s1, int64_t& e2,
                              int64_t s2) {
            // Which edge is the left one at the start of the half.
            const bool firstLeft = e1 < e2 || (e1 == e2 && s1 <= s2);
            int64_t& eL = firstLeft ? e1 : e2;
            int64_t& eR = firstLeft ? e2 : e1;
            const int64_t sL = firstLeft ? s1 : s2, sR = firstLeft ? s2 : s1;
            if (!masked && from < to) {
                if (sL > 4096) eL -= sL;
                if (sR < -4096) eR -= sR;
            }
            const int32_t end = std::min(to, kCellRows3d);
            if (step == 1) {
                for (int32_t r = from; r < end; ++r) {
                    if (r >= 0) drew |= drawSpan(st, r, eL, eR);
                    eL += sL;
                    eR += sR;
                }
            } else if (from < end) {
                // Every step-th row counted from the first row and the offset: the place in the
                // count is carried from row to row rather than divided out for each.
                int32_t phase = (((from - firstRow - offset) % step) + step) % step;
                for (int32_t r = from; r < end; ++r) {
                    if (r >= 0 && phase == 0) drew |= drawSpan(st, r, eL, eR);
                    if (++phase == step) phase = 0;
                    eL += sL;
                    eR += sR;
                }
            }
            // Edges carried past the rows drawn (rows at and above 450 are not drawn).
            if (to > end && end >= from) {
                eL += sL * (to - end);
                eR += sR * (to - end);
            }
        };
        int64_t eLong = startOf(P0), eShort = startOf(P0);
        const int64_t sLong = slopeOf(P0, Q), sShort = slopeOf(P0, M);
        const int32_t midRow = rowOf(M.y), lastRow = rowOf(Q.y);
        if (firstRow < kCellRows3d) half(firstRow, midRow, eShort, sShort, eLong, sLong);
        int64_t eLow = startOf(M);
        if (midRow < kCellRows3d) half(midRow, lastRow, eLow, slopeOf(M, Q), eLong, sLong);

        if (hasSector) {
            if (drew) sc.sectorFrameStatus3d[s] = 1;
            else if (sc.sectorFrameStatus3d[s] == 0) sc.sectorFrameStatus3d[s] = 2;
        }
        if (in.afterTriangle) in.afterTriangle();
    }
    updateSkipLevels3d(sc);
}

void updateSkipLevels3d(Scene3d& sc) {
    sc.loadAverage3d -= sc.loadAverage3d / 4;
    for (int32_t s = 0; s < kMaxSectors; ++s) {
        int32_t& level = sc.sectorSkipLevel3d[s];
        switch (sc.sectorFrameStatus3d[s]) {
            case 1:
                sc.loadAverage3d += level;
                level = 0;
                break;
            case 2: {
                const int32_t n = sc.sectorObjectCount3d[s];
                level = saturateToInt32(std::floor((double(level) + n) * std::pow(0.998, n)));
                break;
            }
            default:
                if (level < 64) ++level;
        }
    }
}

}  // namespace korvel
