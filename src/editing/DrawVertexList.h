// The vertices of the shape being drawn, through which tools and operations hand points to the
// primary action; the transform tools keep their reference points here too.
#pragma once

#include <cstdint>

#include "base/FixedArray.h"

namespace korvel {

constexpr int32_t kDrawVertexCapacity = 32768;

struct DrawVertexList {
    FixedArray<int32_t, kDrawVertexCapacity> toolPointsX;
    FixedArray<int32_t, kDrawVertexCapacity> toolPointsY;
    int32_t toolPointCount = 0;
};

// Places a point after the counted ones. The slot past the last counted point is kept free,
// since a closed polygon repeats point 0 there; a full list refuses and stays as it was.
bool appendToolPoint(DrawVertexList& list, int32_t x, int32_t y);

}  // namespace korvel
