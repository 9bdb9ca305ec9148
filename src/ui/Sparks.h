// The sparks of the sparks page: bouncing balls with a position, a speed, a mass, a radius and a
// colour class each. The page moves and draws them; initSparks places and sizes them. Entries
// 0..sparkCount - 1 (the page's count) are in use.
#pragma once

#include <array>
#include <cstdint>

namespace korvel {

constexpr int32_t kMaxSparks = 512;

struct Sparks {
    std::array<double, kMaxSparks> sparkX{}, sparkY{};  // screen pixels, rows from the bottom
    std::array<double, kMaxSparks> sparkVelX{}, sparkVelY{};
    std::array<double, kMaxSparks> sparkForceX{}, sparkForceY{};
    std::array<double, kMaxSparks> sparkMass{};    // negative for colour class 1
    // The square root of the mass before its class: the page draws and bounds the ball with
    // this diameter in pixels.
    std::array<double, kMaxSparks> sparkRadius{};
    std::array<uint8_t, kMaxSparks> sparkColors{};  // colour class: 12 x this is added
    uint8_t sparkColorCycle = 0;  // the page's colour step 0..7: the kind of balls set up
};

}  // namespace korvel
