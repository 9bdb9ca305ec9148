// The plan editor's tools and drag kinds: what the primary action does with the next point, and
// how a dragged selection moves. The toolbar, the menus, the previews and the cursor read them.
#pragma once

#include <cstdint>

namespace korvel {

// The active tool (currentTool); Idle when none is active.
enum class Tool : int32_t {
    Idle = 0,
    DrawPolygon = 1,
    PlaceStartPosition = 2,
    JoinSectors = 3,
    SubtractSectors = 4,
    IntersectSectors = 5,
    RegularPolygon = 6,
    EllipsePolygon = 7,
    Circle = 8,
    Rectangle = 9,
    CurveShape = 10,
    PickArrayCentre = 11,
    CurveWall = 12,
    DivideWall = 13,
    AimSprites = 14,
    Stroke = 15,
    CurveThroughVertices = 16,
    TransformBySegments = 17,
    QuadWarp1 = 18,
    QuadWarp2 = 19,
    TriangleLoops = 20,
    LinearCut = 21,
    Reel = 22,
    Arch = 23,
    Sphere = 24,
    PickLightPoint = 25,
    MirrorAcrossLine = 26,
    MergeVertices = 27,
    PickLightSprites = 28,
    ShadeFromLight = 29,
    CastShadows = 30,
    AffineGrid = 31,
    ProfileSweep = 32,
    ProfileRevolve = 33,
    ViewBookmarks = 34,
    TerrainFromTile = 35,
};

// What dragging the selection does (dragKind).
enum class DragKind : int32_t { Free = 0, Move = 1, Rotate = 2, Scale = 3 };

}  // namespace korvel
