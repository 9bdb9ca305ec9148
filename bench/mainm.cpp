// The intersection routines run inside the boolean sector operations and the map check, once per
// pair of walls.
#include <benchmark/benchmark.h>

#include <vector>

#include "base/Mainm.h"

namespace {

struct Seg {
    int32_t x1, y1, x2, y2;
};

std::vector<Seg> makeSegments(int n) {
    std::vector<Seg> segs;
    uint32_t s = 12345;
    auto next = [&s] { return int32_t((s = s * 1664525u + 1013904223u) >> 16) - 32768; };
    for (int i = 0; i < n; ++i) segs.push_back({next(), next(), next(), next()});
    return segs;
}

void BM_SegIntersectExact(benchmark::State& state) {
    const auto segs = makeSegments(1024);
    size_t i = 0;
    for (auto _ : state) {
        const Seg& a = segs[i & 1023];
        const Seg& b = segs[(i * 7 + 3) & 1023];
        benchmark::DoNotOptimize(
            korvel::segIntersectExact(a.x1, a.y1, a.x2, a.y2, b.x1, b.y1, b.x2, b.y2));
        ++i;
    }
}
BENCHMARK(BM_SegIntersectExact);

void BM_SegmentsCross(benchmark::State& state) {
    const auto segs = makeSegments(1024);
    size_t i = 0;
    for (auto _ : state) {
        const Seg& a = segs[i & 1023];
        const Seg& b = segs[(i * 7 + 3) & 1023];
        benchmark::DoNotOptimize(
            korvel::segmentsCross(a.x1, a.y1, a.x2, a.y2, b.x1, b.y1, b.x2, b.y2));
        ++i;
    }
}
BENCHMARK(BM_SegmentsCross);

void BM_Isqrt(benchmark::State& state) {
    uint32_t n = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(korvel::isqrt(int32_t(n >> 1)));
        n = n * 1103515245u + 12345u;
    }
}
BENCHMARK(BM_Isqrt);

}  // namespace
