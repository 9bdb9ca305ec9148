#include "editing/LaterToolOperations.h"

namespace korvel {

void transformBySegments(Editor&) {}
void warpByParallelograms(Editor&) {}
void warpByQuads(Editor&) {}
void addTriangleLoop(Editor&, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void buildTerrainFromTile(Editor&) {}

}  // namespace korvel
