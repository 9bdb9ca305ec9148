#include "editing/DrawVertexList.h"

namespace korvel {

bool appendToolPoint(DrawVertexList& list, int32_t x, int32_t y) {
    const int32_t n = list.toolPointCount;
    if (n < 0 || n >= kDrawVertexCapacity - 1) return false;
    list.toolPointsX[n] = x;
    list.toolPointsY[n] = y;
    list.toolPointCount = n + 1;
    return true;
}

}  // namespace korvel
