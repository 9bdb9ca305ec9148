// The screen-effect particles: sparks of deletions, the firework of a save and the other bursts.
// Each particle takes its speed from the program's random generator, so how many draws each
// kind makes, and in what order, is part of what a demo replays.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Random.h"

namespace korvel {

struct Particle {
    float x;        // screen column
    float y;        // screen row counted from the bottom
    float vx;       // pixels per frame
    float vy;       // pixels per frame, positive is up
    int32_t shade;  // 193..208 at creation
};
static_assert(sizeof(Particle) == 20);

struct Particles {
    // Slots up to the capacity; the live ones are 0 .. particleCount - 1. Slots keep what they
    // last held, which a particle of an unknown kind inherits as its speed.
    std::vector<Particle> particles;
    int32_t particleCount = 0;
    // Frame of the firework show, 0..200; the show runs while it is below 200.
    int32_t screenEffectFrame = 0;
    int32_t showPattern = 0;  // pattern 0..9 of the running show, drawn at its frame 0
};

// Room for 4096 more particles.
void growParticleList(Particles& list);

// One particle at screen (x, y) of kind 0..7, when sparks are shown and the point is on the
// screen's columns and not below row 0.
void addParticle(Particles& list, Random& random, bool showSparks, int32_t x, int32_t y,
                 int32_t kind);

// Removes particle i by moving the last live one into its slot.
void removeParticle(Particles& list, int32_t i);

}  // namespace korvel
