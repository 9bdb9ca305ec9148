// The program's one random generator. Its whole state is one 32-bit number, saved into demos, so
// a replay repeats every random choice as long as each routine makes the same draws in order.
#pragma once

#include <cstdint>

namespace korvel {

struct Random {
    uint32_t randomState = 0;
};

// Each draw advances the state first: state * 1664525 + 1013904223 modulo 2^32.
float randomSingle(Random& r);  // the low 23 bits of the new state, as [0, 1)
int32_t randomLong(Random& r);  // the new state, read as signed

// Start-up seeding: a single-precision value in [0, 1) drawn from a generator seeded by the
// clock; its bit pattern becomes the state.
void seedRandom(Random& r, uint64_t clockSeed);

}  // namespace korvel
