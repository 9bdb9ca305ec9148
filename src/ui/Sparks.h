// The sparks of the sparks page: bouncing balls with a position, a speed, a mass, a radius and a
// colour class each. The page moves and draws them; initSparks places and sizes them.
#pragma once

#include <array>
#include <cstdint>

namespace korvel {

constexpr int32_t kMaxSparks = 512;

struct Sparks {
    std::array<double, kMaxSparks> sparkX{}, sparkY{};  // screen pixels, rows from the bottom
    std::array<double, kMaxSparks> sparkVelX{}, sparkVelY{};
    std::array<double, kMaxSparks> sparkMass{};    // negative for colour class 1
    std::array<double, kMaxSparks> sparkRadius{};  // square root of the mass before its class
    std::array<uint8_t, kMaxSparks> sparkColors{};  // colour class
    uint8_t sparkColorCycle = 0;                    // colour step 0..7 of the page
};

}  // namespace korvel
