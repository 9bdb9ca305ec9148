#include "app/Particles.h"

#include "base/Mainm.h"
#include "ui/FrameBuffer.h"

namespace korvel {

namespace {

// A speed component: arcsine of a fresh random number mapped to -1..1, so values cluster
// towards -pi/2 and pi/2.
float spread(Random& random) {
    return float(arcSin(2.0 * randomSingle(random) - 1.0));
}

}  // namespace

void growParticleList(Particles& list) {
    list.particles.resize(list.particles.size() + 4096);
}

void addParticle(Particles& list, Random& random, bool showSparks, int32_t x, int32_t y,
                 int32_t kind) {
    if (!showSparks || x < 0 || x > kScreenRight || y < 0) return;
    if (size_t(list.particleCount) >= list.particles.size()) growParticleList(list);
    Particle& p = list.particles[size_t(list.particleCount)];
    p.x = float(x);
    p.y = float(y);
    switch (kind) {
        case 0:
            p.vx = 2 * spread(random);
            p.vy = spread(random) + 4;
            break;
        case 1:
            p.vx = 4 * spread(random);
            p.vy = 4 * spread(random);
            break;
        case 2:
            p.vx = p.vy = 0;
            break;
        case 3:
            p.vx = 8 * spread(random);
            p.vy = 0;
            break;
        case 4:
            p.vx = 2 * spread(random);
            p.vy = 2 * spread(random) + 10;
            break;
        case 5:
            p.vx = 2 * spread(random) + 5;
            p.vy = 2 * spread(random) + 11;
            break;
        case 6:
            p.vx = -5 - 2 * spread(random);
            p.vy = 2 * spread(random) + 11;
            break;
        case 7:
            p.vx = spread(random) / 2;
            p.vy = spread(random) + 13;
            break;
        default:
            break;
    }
    p.shade = 208 - safeFloor(16.0 * randomSingle(random));
    ++list.particleCount;
}

void removeParticle(Particles& list, int32_t i) {
    if (i < 0 || i >= list.particleCount) return;
    --list.particleCount;
    list.particles[size_t(i)] = list.particles[size_t(list.particleCount)];
}

}  // namespace korvel
