#include "views/NearPoints.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "map/ObjectTables.h"

namespace korvel {

// Wall numbers and ends are worked on as 16-bit lanes.
static_assert(kMaxWalls <= 32768);

namespace {

inline uint8_t sidesOfPoint(int32_t x, int32_t y, const NearLimits& l) {
    return uint8_t(uint32_t(x < l.left) | uint32_t(x > l.right) << 1 | uint32_t(y > l.below) << 2 |
                   uint32_t(y < l.above) << 3);
}

void placeWallRange(const WallRecord* walls, int32_t from, int32_t n, const NearLimits& limits,
                    uint8_t* sides, uint16_t* ends) {
    for (int32_t i = from; i < n; ++i) {
        sides[i] = sidesOfPoint(walls[i].x, walls[i].y, limits);
        ends[i] = uint16_t(std::clamp<int32_t>(walls[i].point2, 0, n - 1));
    }
}

bool apart(const uint8_t* sides, const uint16_t* ends, int32_t i) {
    return (sides[i] & sides[ends[i]] & 15) == 0;
}

int32_t listNearRange(const uint8_t* sides, const uint16_t* ends, int32_t from, int32_t n,
                      int32_t* near, int32_t count) {
    for (int32_t i = from; i < n; ++i) {
        near[count] = i;
        count += apart(sides, ends, i);
    }
    return count;
}

// Whether x lies in left..right: one unsigned comparison, none when left > right.
inline bool within(int32_t x, int32_t low, int32_t high) {
    return low <= high && uint32_t(x) - uint32_t(low) <= uint32_t(high) - uint32_t(low);
}

int32_t listInsideRange(const SpriteRecord* sprites, int32_t from, int32_t n,
                        const NearLimits& l, int32_t* inside, int32_t count) {
    for (int32_t i = from; i < n; ++i) {
        inside[count] = i;
        count += int32_t(within(sprites[i].x, l.left, l.right)) &
                 int32_t(within(sprites[i].y, l.above, l.below));
    }
    return count;
}

#if defined(__SSE2__)
inline __m128i load16(const void* p) {
    return _mm_loadu_si128(static_cast<const __m128i*>(p));
}
#endif

}  // namespace

void placeWallPointsPlain(const WallRecord* walls, int32_t n, const NearLimits& limits,
                          uint8_t* sides, uint16_t* ends) {
    placeWallRange(walls, 0, std::min(n, kMaxWalls), limits, sides, ends);
}

void placeWallPoints(const WallRecord* walls, int32_t n, const NearLimits& limits,
                     uint8_t* sides, uint16_t* ends) {
    n = std::min(n, kMaxWalls);
    int32_t i = 0;
#if defined(__SSE2__)
    const __m128i left = _mm_set1_epi32(limits.left), right = _mm_set1_epi32(limits.right);
    const __m128i below = _mm_set1_epi32(limits.below), above = _mm_set1_epi32(limits.above);
    const __m128i one = _mm_set1_epi32(1), two = _mm_set1_epi32(2);
    const __m128i four = _mm_set1_epi32(4), eight = _mm_set1_epi32(8);
    const __m128i zero = _mm_setzero_si128(), last = _mm_set1_epi16(int16_t(n - 1));
    for (; i + 4 <= n; i += 4) {
        // Each record starts x, y, point2 (with nextwall above it in the same four bytes).
        const __m128i a0 = load16(walls + i), a1 = load16(walls + i + 1);
        const __m128i a2 = load16(walls + i + 2), a3 = load16(walls + i + 3);
        const __m128i t0 = _mm_unpacklo_epi32(a0, a1), t1 = _mm_unpacklo_epi32(a2, a3);
        const __m128i x = _mm_unpacklo_epi64(t0, t1), y = _mm_unpackhi_epi64(t0, t1);
        const __m128i links =
            _mm_unpacklo_epi64(_mm_unpackhi_epi32(a0, a1), _mm_unpackhi_epi32(a2, a3));
        __m128i s = _mm_and_si128(_mm_cmplt_epi32(x, left), one);
        s = _mm_or_si128(s, _mm_and_si128(_mm_cmpgt_epi32(x, right), two));
        s = _mm_or_si128(s, _mm_and_si128(_mm_cmpgt_epi32(y, below), four));
        s = _mm_or_si128(s, _mm_and_si128(_mm_cmplt_epi32(y, above), eight));
        s = _mm_packs_epi32(s, s);
        s = _mm_packus_epi16(s, s);
        const int32_t placed = _mm_cvtsi128_si32(s);
        std::memcpy(sides + i, &placed, sizeof placed);
        // point2 cut to the walls (the nextwall halves are cut too, and dropped).
        __m128i e = _mm_min_epi16(_mm_max_epi16(links, zero), last);
        e = _mm_srai_epi32(_mm_slli_epi32(e, 16), 16);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(ends + i), _mm_packs_epi32(e, e));
    }
#endif
    placeWallRange(walls, i, n, limits, sides, ends);
}

int32_t listNearWallsPlain(const uint8_t* sides, const uint16_t* ends, int32_t n, int32_t* near) {
    return listNearRange(sides, ends, 0, std::min(n, kMaxWalls), near, 0);
}

int32_t listNearWalls(const uint8_t* sides, const uint16_t* ends, int32_t n, int32_t* near) {
    n = std::min(n, kMaxWalls);
    int32_t i = 0, count = 0;
#if defined(__SSE2__)
    // Sixteen walls a step. Most walls end where the next one starts: their pairs of sides are
    // tested together; the others (the last wall of each loop) one by one.
    const __m128i fifteen = _mm_set1_epi8(15), zero = _mm_setzero_si128();
    const __m128i step0 = _mm_setr_epi16(1, 2, 3, 4, 5, 6, 7, 8);
    const __m128i step1 = _mm_setr_epi16(9, 10, 11, 12, 13, 14, 15, 16);
    for (; i + 17 <= n; i += 16) {
        const __m128i base = _mm_set1_epi16(int16_t(i));
        const __m128i follows =
            _mm_packs_epi16(_mm_cmpeq_epi16(load16(ends + i), _mm_add_epi16(base, step0)),
                            _mm_cmpeq_epi16(load16(ends + i + 8), _mm_add_epi16(base, step1)));
        const __m128i both = _mm_and_si128(_mm_and_si128(load16(sides + i), load16(sides + i + 1)),
                                           fifteen);
        const __m128i pairApart = _mm_cmpeq_epi8(both, zero);
        uint32_t mask = uint32_t(_mm_movemask_epi8(_mm_and_si128(pairApart, follows)));
        for (uint32_t other = ~uint32_t(_mm_movemask_epi8(follows)) & 0xFFFFu; other != 0;
             other &= other - 1) {
            const int k = std::countr_zero(other);
            if (apart(sides, ends, i + k)) mask |= 1u << k;
        }
        for (; mask != 0; mask &= mask - 1) near[count++] = i + std::countr_zero(mask);
    }
#endif
    return listNearRange(sides, ends, i, n, near, count);
}

int32_t listSpritesInsidePlain(const SpriteRecord* sprites, int32_t n, const NearLimits& limits,
                               int32_t* inside) {
    return listInsideRange(sprites, 0, n, limits, inside, 0);
}

int32_t listSpritesInside(const SpriteRecord* sprites, int32_t n, const NearLimits& limits,
                          int32_t* inside) {
    int32_t i = 0, count = 0;
    if (limits.left > limits.right || limits.above > limits.below) return 0;
#if defined(__SSE2__)
    // x - left, taken unsigned, at most right - left; compared signed with the top bit flipped.
    const __m128i flip = _mm_set1_epi32(INT32_MIN);
    const __m128i left = _mm_set1_epi32(limits.left), above = _mm_set1_epi32(limits.above);
    const __m128i width = _mm_set1_epi32(int32_t((uint32_t(limits.right) - uint32_t(limits.left)) ^
                                                 0x80000000u));
    const __m128i height = _mm_set1_epi32(
        int32_t((uint32_t(limits.below) - uint32_t(limits.above)) ^ 0x80000000u));
    for (; i + 4 <= n; i += 4) {
        const __m128i t0 = _mm_unpacklo_epi32(load16(sprites + i), load16(sprites + i + 1));
        const __m128i t1 = _mm_unpacklo_epi32(load16(sprites + i + 2), load16(sprites + i + 3));
        const __m128i x = _mm_xor_si128(_mm_sub_epi32(_mm_unpacklo_epi64(t0, t1), left), flip);
        const __m128i y = _mm_xor_si128(_mm_sub_epi32(_mm_unpackhi_epi64(t0, t1), above), flip);
        const __m128i out = _mm_or_si128(_mm_cmpgt_epi32(x, width), _mm_cmpgt_epi32(y, height));
        for (uint32_t mask = ~uint32_t(_mm_movemask_ps(_mm_castsi128_ps(out))) & 15u; mask != 0;
             mask &= mask - 1)
            inside[count++] = i + std::countr_zero(mask);
    }
#endif
    return listInsideRange(sprites, i, n, limits, inside, count);
}

}  // namespace korvel
