// The profile editor's pane under the mouse: panning with the right button, the handle nearest
// the pointer, and dragging segment corners and edges with the left button.
#include <algorithm>
#include <cstdlib>

#include "app/Editor.h"
#include "base/Mainm.h"
#include "editing/InputDispatcher.h"
#include "pages/ProfileEditor.h"

namespace korvel {

namespace {

constexpr int32_t kPanLimit = 2048;

bool inPane(const InputState& in) {
    return in.mouseX >= 10 && in.mouseX <= 774 && in.mouseY >= 305 && in.mouseY <= 518;
}

int32_t clampTo32(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// To the nearest multiple of the grid, halves away from zero.
int32_t snapToGridUnits(int32_t v, int32_t grid) {
    if (grid <= 0) return v;
    const int64_t half = v < 0 ? -int64_t(grid / 2) : int64_t(grid / 2);
    return clampTo32((int64_t(v) + half) / grid * grid);
}

struct PanePoint {
    int64_t x, y;
};

// A segment's corners in pane coordinates: x across, the height a sixteenth of z upwards.
PanePoint corner(const ContourSegment& c, int32_t handle) {
    switch (handle) {
        case 4: return {c.leftX, -(c.leftZA / 16)};
        case 5: return {c.leftX, -(c.leftZB / 16)};
        case 6: return {c.rightX, -(c.rightZA / 16)};
        default: return {c.rightX, -(c.rightZB / 16)};
    }
}

// The ends of an edge handle: 0 left, 1 right, 2 lower, 3 upper.
std::pair<PanePoint, PanePoint> edge(const ContourSegment& c, int32_t handle) {
    switch (handle) {
        case 0: return {corner(c, 4), corner(c, 5)};
        case 1: return {corner(c, 6), corner(c, 7)};
        case 2: return {corner(c, 4), corner(c, 6)};
        default: return {corner(c, 5), corner(c, 7)};
    }
}

CursorShape handleCursor(int32_t handle) {
    return handle <= 1 ? CursorShape::HorizontalHandle : CursorShape::VerticalHandle;
}

// How near the handle is to the pointer: a squared distance, or -1 when it cannot be picked.
int64_t measure(const ContourSegment& c, int32_t handle, int64_t mx, int64_t my, int64_t zoom) {
    if (handle >= 4) {
        const PanePoint p = corner(c, handle);
        const int64_t dx = p.x - mx, dy = p.y - my;
        if (std::llabs(dx) >= 32768 || std::llabs(dy) >= 32768) return -1;
        return dx * dx + dy * dy;
    }
    const auto [a, b] = edge(c, handle);
    const int64_t d = std::llabs(int64_t(distToSegmentLong(clampTo32(a.x), clampTo32(a.y),
                                                          clampTo32(b.x), clampTo32(b.y),
                                                          clampTo32(mx), clampTo32(my)))) +
                      4 * zoom;
    if (d >= 32768) return -1;
    return d * d;
}

void pickHandle(Editor& ed, ProfileEditorState& p, int64_t mx, int64_t my) {
    static constexpr int32_t kOrder[8] = {4, 5, 6, 7, 0, 1, 3, 2};
    const int64_t zoom = p.profileZoom;
    int64_t best = (16 * zoom) * (16 * zoom);
    const int32_t count = std::clamp(p.contourCount, 0, kContourCapacity);
    for (int32_t s = count - 1; s >= 0; --s) {
        for (int32_t h : kOrder) {
            const int64_t m = measure(p.contour[size_t(s)], h, mx, my, zoom);
            if (m < 0 || m >= best) continue;
            best = m;
            p.profileNearSlice = s;
            p.profileNearHandle = h;
            ed.cursor.cursorShape = handleCursor(h);
        }
    }
}

void dragHandle(Editor& ed, ProfileEditorState& p) {
    const int32_t s = p.profileDragSlice;
    if (s < 0 || s >= std::clamp(p.contourCount, 0, kContourCapacity)) {
        p.profileDragSlice = p.profileDragHandle = -1;
        return;
    }
    ContourSegment& c = p.contour[size_t(s)];
    const int32_t hx = ed.hover.hitPointX, hy = ed.hover.hitPointY;
    const int64_t dx = int64_t(hx) - p.profileLastDragX;
    const int64_t dz = (int64_t(p.profileLastDragY) - hy) * 16;
    const auto add = [](int32_t& v, int64_t d) { v = clampTo32(int64_t(v) + d); };
    const int32_t h = p.profileDragHandle;
    switch (h) {
        case 0: c.leftX = hx; add(c.leftZA, dz); add(c.leftZB, dz); break;
        case 1: c.rightX = hx; add(c.rightZA, dz); add(c.rightZB, dz); break;
        case 2: add(c.leftZA, dz); add(c.rightZA, dz); add(c.leftX, dx); add(c.rightX, dx); break;
        case 3: add(c.leftZB, dz); add(c.rightZB, dz); add(c.leftX, dx); add(c.rightX, dx); break;
        case 4: add(c.leftZA, dz); add(c.leftX, dx); break;
        case 5: add(c.leftZB, dz); add(c.leftX, dx); break;
        case 6: add(c.rightZA, dz); add(c.rightX, dx); break;
        case 7: add(c.rightZB, dz); add(c.rightX, dx); break;
        default: p.profileDragSlice = p.profileDragHandle = -1; return;
    }
    if (h > 1) p.profileLastDragX = hx;
    p.profileLastDragY = hy;
    ed.cursor.cursorShape = handleCursor(h);
}

}  // namespace

void editProfilePanel(Editor& ed) {
    ProfileEditorState& p = ed.pages.profileEditor;
    const InputState& in = ed.input;
    // A release anywhere ends the drag.
    if (!keyHeld(in, kLeftButton)) p.profileDragSlice = p.profileDragHandle = -1;
    if (!inPane(in)) return;

    if (keyWentDown(in, kRightButton)) {
        p.profilePanAnchorX = in.mouseX;
        p.profilePanAnchorY = in.mouseY;
    }
    if (keyHeld(in, kRightButton)) {
        p.profilePanX = std::clamp((p.profilePanX + (in.mouseX - p.profilePanAnchorX) / 4),
                                   -kPanLimit, kPanLimit);
        p.profilePanY = std::clamp((p.profilePanY + (in.mouseY - p.profilePanAnchorY) / 4),
                                   -kPanLimit, kPanLimit);
    }

    p.profileNearSlice = p.profileNearHandle = -1;
    p.profileZoom = std::clamp(p.profileZoom, 1, 256);
    const int64_t mx = int64_t(p.profileZoom) * (in.mouseX + p.profilePanX - 392);
    const int64_t my = int64_t(p.profileZoom) * (in.mouseY + p.profilePanY - 411);
    HoverState& h = ed.hover;
    h.mouseMapX = clampTo32(mx);
    h.mouseMapY = clampTo32(my);
    const bool snap = ed.settings.snapToGrid != 0;
    h.hitPointX = snap ? snapToGridUnits(h.mouseMapX, ed.settings.gridSpacing) : h.mouseMapX;
    h.hitPointY = snap ? snapToGridUnits(h.mouseMapY, ed.settings.gridSpacing) : h.mouseMapY;

    pickHandle(ed, p, mx, my);

    if (keyWentDown(in, kLeftButton) && p.profileNearHandle >= 0) {
        p.profileDragSlice = p.profileNearSlice;
        p.profileDragHandle = p.profileNearHandle;
        p.profileLastDragX = h.hitPointX;
        p.profileLastDragY = h.hitPointY;
        p.contourSelected = p.profileNearSlice;
    }
    if (keyHeld(in, kLeftButton) && p.profileDragSlice >= 0) dragHandle(ed, p);
}

}  // namespace korvel
