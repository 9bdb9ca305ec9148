#include "base/Random.h"

#include <bit>
#include <random>

namespace korvel {

namespace {
uint32_t step(Random& r) {
    r.randomState = r.randomState * 1664525u + 1013904223u;
    return r.randomState;
}
}  // namespace

float randomSingle(Random& r) {
    const uint32_t bits = 0x3F800000u | (step(r) & 0x7FFFFFu);
    return std::bit_cast<float>(bits) - 1.0f;
}

int32_t randomLong(Random& r) {
    return static_cast<int32_t>(step(r));
}

void seedRandom(Random& r, uint64_t clockSeed) {
    std::mt19937 source(static_cast<uint32_t>(clockSeed ^ (clockSeed >> 32)));
    const float value = std::generate_canonical<float, 24>(source);
    r.randomState = std::bit_cast<uint32_t>(value < 1.0f ? value : 0.0f);
}

}  // namespace korvel
