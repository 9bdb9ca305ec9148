// Raster primitives: the line family (clipped to the screen, the map view or the tool pane; plain,
// anti-aliased, dotted or thick), the line clippers, circles, the brace, the rectangle outline and
// the vertex markers. Colours are written as their low 8 bits. Nothing ever lands outside the
// target surface, whatever the coordinates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Random;

// n bytes of one value from p: memset, with runs of a few bytes (short lines, the rows of small
// sectors far out) written in two overlapping stores rather than a call.
inline void fillRun(uint8_t* p, uint8_t value, size_t n) {
    if (n > 16) {
        std::memset(p, value, n);
        return;
    }
    const uint64_t eight = 0x0101010101010101u * value;
    const uint32_t four = uint32_t(eight);
    const uint16_t two = uint16_t(eight);
    if (n >= 8) {
        std::memcpy(p, &eight, 8);
        std::memcpy(p + n - 8, &eight, 8);
    } else if (n >= 4) {
        std::memcpy(p, &four, 4);
        std::memcpy(p + n - 4, &four, 4);
    } else if (n >= 2) {
        std::memcpy(p, &two, 2);
        std::memcpy(p + n - 2, &two, 2);
    } else if (n == 1) {
        *p = value;
    }
}

// Lines from (x1, y1) to (x2, y2) into the screen. With smoothLines set the first three are drawn
// anti-aliased by drawLineSmooth.
void drawLineScreen(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                    int32_t colour);
void drawLineMapView(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                     int32_t colour);
void drawLinePanel(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                   int32_t colour);
// For callers that keep their lines inside the target; what lies outside is dropped all the same.
void drawLineUnclipped(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                       int32_t colour);
void drawLineBg(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour);
// Every step-th pixel (step = the low 8 bits of the argument; 0 counts as 256). Step 1 is
// drawLineMapView.
void drawDottedLineMapView(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                           int32_t colour, int32_t step);
// A five-pixel pen (the centre and its four neighbours) at every point of the line.
void drawThickLineMapView(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                          int32_t colour);
void drawThickLineUnclipped(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            int32_t colour);
// Points spaced one pixel apart along the line, each kept only inside the map view.
void plotLinePointsClipped(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                           int32_t colour);
// The anti-aliased line; clipMode 1 whole screen, 2 map view, 3 tool pane, other values the
// screen without moving the end points.
void drawLineSmooth(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                    int32_t colour, int32_t clipMode);

// Move the end points onto the rectangle, or set all four to -1 when the line lies outside.
void clipLineScreen(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2);
void clipLineMapView(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2);
void clipLinePanel(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2);

// Outline of the rectangle x1..x2, y1..y2 inside the map view.
void drawRectMapView(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                     int32_t colour);

void drawCircle(const Canvas& cv, float cx, float cy, float radius, int32_t colour);
void drawCircleMapView(const Canvas& cv, float cx, float cy, float radius, int32_t colour);
// The points a large circle put on the screen, kept by its caller from frame to frame: the
// rotation that makes them walks the whole rim, hundreds of thousands of steps for a rim far
// beyond the screen, and gives the same points for the same centre, radius and count.
struct CircleRimCache {
    struct Point {
        int32_t x, y;
    };
    // The bits of the centre and radius, and the number of rim steps.
    uint32_t cx = 0, cy = 0, radius = 0;
    int64_t count = -1;
    bool valid = false;
    std::vector<Point> points;
};

// Noisy shaded circle: one random draw for every point inside the map view. With a cache, a
// large circle drawn again unchanged replays its points instead of walking its rim.
void drawCircleShaded(const Canvas& cv, Random& random, float cx, float cy, float radius,
                      CircleRimCache* cache = nullptr);

// A curly brace pointing right over the background rows y + 1 .. y + 2n - 1.
void drawBraceBg(const Canvas& cv, int32_t x, int32_t y, int32_t r, int32_t n, int32_t colour);

// 16-pixel markers around (x, y): a small ring, a 5 x 5 square outline, a ring in the tool pane.
void drawRoundMarker(const Canvas& cv, int32_t x, int32_t y, int32_t colour);
void drawSquareMarker(const Canvas& cv, int32_t x, int32_t y, int32_t colour);
void drawRoundMarkerInPane(const Canvas& cv, int32_t x, int32_t y, int32_t colour);

}  // namespace korvel
