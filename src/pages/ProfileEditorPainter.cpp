// The profile editor's per-frame painter. Segments, pans and zoom may hold any 32-bit value
// (scripts and the fields write them), so every screen position is worked out in 64 bits and cut
// to the pane before anything is walked.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "pages/ProfileEditor.h"
#include "ui/Languages.h"
#include "ui/Raster.h"
#include "ui/Skin.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kPaneLeft = kToolPane.x0, kPaneRight = kToolPane.x1;
constexpr int32_t kPaneBottom = kToolPane.y0, kPaneTop = kToolPane.y1;
constexpr int32_t kOriginX = 392, kOriginY = 411;
constexpr uint8_t kGridColour = 79, kAxisColour = 75;
constexpr uint8_t kEdgeColour = 5, kOutlineColour = 0, kHoverColour = 68, kDragColour = 8;
constexpr int32_t kFillSelected = 32, kFill = 28;
constexpr int32_t kPanRange = 4097;  // pans -2048..2048

int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}
int64_t floorMod(int64_t a, int64_t b) {
    return a - floorDiv(a, b) * b;
}

struct PaneMap {
    int64_t zoom, panX, panY;
    int64_t x(int32_t mapX) const { return mapX / zoom - panX + kOriginX; }
    int64_t y(int32_t z) const { return -(int64_t(z) / 16) / zoom - panY + kOriginY; }
};

struct Corner {
    int64_t x, y;
};
struct SegmentOnPane {
    Corner leftA, leftB, rightA, rightB;
};
SegmentOnPane place(const PaneMap& m, const ContourSegment& s) {
    const int64_t xl = m.x(s.leftX), xr = m.x(s.rightX);
    return {{xl, m.y(s.leftZA)}, {xl, m.y(s.leftZB)}, {xr, m.y(s.rightZA)}, {xr, m.y(s.rightZB)}};
}

// A line whose ends lie anywhere: cut in double precision to a square well around the screen,
// then drawn by the pane's own line, which keeps to the pane.
void paneLine(const Canvas& cv, Corner a, Corner b, uint8_t colour) {
    constexpr double kFar = 1 << 20;
    auto fits = [](const Corner& c) {
        return std::abs(c.x) <= int64_t(kFar) && std::abs(c.y) <= int64_t(kFar);
    };
    if (!fits(a) || !fits(b)) {
        double t0 = 0, t1 = 1;
        const double x0 = double(a.x), y0 = double(a.y);
        const double dx = double(b.x) - x0, dy = double(b.y) - y0;
        auto cut = [&](double p, double q) {  // keeps p t <= q
            if (p == 0) return q >= 0;
            const double t = q / p;
            if (p < 0) t0 = std::max(t0, t);
            else t1 = std::min(t1, t);
            return t0 <= t1;
        };
        if (!cut(-dx, x0 + kFar) || !cut(dx, kFar - x0) || !cut(-dy, y0 + kFar) ||
            !cut(dy, kFar - y0))
            return;
        a = {int64_t(std::lround(x0 + t0 * dx)), int64_t(std::lround(y0 + t0 * dy))};
        b = {int64_t(std::lround(x0 + t1 * dx)), int64_t(std::lround(y0 + t1 * dy))};
    }
    drawLinePanel(cv, int32_t(a.x), int32_t(a.y), int32_t(b.x), int32_t(b.y), colour);
}

void paneMarker(const Canvas& cv, Corner c, uint8_t colour) {
    constexpr int64_t kReach = 8;  // a marker spreads a few pixels around its point
    if (c.x < kPaneLeft - kReach || c.x > kPaneRight + kReach || c.y < kPaneBottom - kReach ||
        c.y > kPaneTop + kReach)
        return;
    drawRoundMarkerInPane(cv, int32_t(c.x), int32_t(c.y), colour);
}

// Handles 0 and 1 the left and right edges, 2 and 3 the zA and zB edges, 4..7 the corners.
void drawHandle(const Canvas& cv, const SegmentOnPane& s, int32_t handle, uint8_t colour) {
    switch (handle) {
        case 0: paneLine(cv, s.leftA, s.leftB, colour); break;
        case 1: paneLine(cv, s.rightA, s.rightB, colour); break;
        case 2: paneLine(cv, s.leftA, s.rightA, colour); break;
        case 3: paneLine(cv, s.leftB, s.rightB, colour); break;
        case 4: paneMarker(cv, s.leftA, colour); break;
        case 5: paneMarker(cv, s.leftB, colour); break;
        case 6: paneMarker(cv, s.rightA, colour); break;
        case 7: paneMarker(cv, s.rightB, colour); break;
        default: break;
    }
}

void drawCounters(const ProfilePaintInput& in, const ProfileEditorState& p, int32_t count) {
    drawText(in.cv, in.fonts, getMessage(1139, in.langs, std::to_string(count)), 8, 536, 0);
    int64_t lo = 0, hi = 0;
    for (int32_t k = 0; k < count; ++k) {
        const ContourSegment& s = p.contour[size_t(k)];
        const int64_t a = std::min(s.leftX, s.rightX), b = std::max(s.leftX, s.rightX);
        lo = k == 0 ? a : std::min(lo, a);
        hi = k == 0 ? b : std::max(hi, b);
    }
    drawText(in.cv, in.fonts, getMessage(1140, in.langs, std::to_string(hi - lo)), 308, 536, 0);
    const std::string selected =
        p.contourSelected == -1 ? std::string("-") : std::to_string(p.contourSelected);
    drawText(in.cv, in.fonts, getMessage(1144, in.langs, selected), 8, 234, 4);
}

void drawGrid(const Canvas& cv, const PaneMap& m, int64_t spacing) {
    const SurfaceView s = screenView(cv.frame);
    if (m.zoom >= spacing) {
        for (int32_t y = kPaneBottom; y <= kPaneTop; ++y)
            std::fill_n(&s.at(kPaneLeft, y), kPaneRight - kPaneLeft + 1, kGridColour);
        return;
    }
    // A line wherever the map position crosses a multiple of the step between neighbours.
    auto remainder = [&](int64_t pan, int64_t at, int64_t origin) {
        return floorMod((pan + at - origin) * m.zoom, spacing);
    };
    int64_t before = remainder(m.panX, kPaneLeft - 1, kOriginX);
    for (int32_t x = kPaneLeft; x <= kPaneRight; ++x) {
        const int64_t r = remainder(m.panX, x, kOriginX);
        if (r < before)
            for (int32_t y = kPaneBottom; y <= kPaneTop; ++y) s.at(x, y) = kGridColour;
        before = r;
    }
    before = remainder(m.panY, kPaneBottom - 1, kOriginY);
    for (int32_t y = kPaneBottom; y <= kPaneTop; ++y) {
        const int64_t r = remainder(m.panY, y, kOriginY);
        if (r < before) std::fill_n(&s.at(kPaneLeft, y), kPaneRight - kPaneLeft + 1, kGridColour);
        before = r;
    }
}

void drawAxes(const Canvas& cv, const PaneMap& m) {
    const SurfaceView s = screenView(cv.frame);
    const int64_t x = kOriginX - m.panX, y = kOriginY - m.panY;
    if (x >= kPaneLeft && x <= kPaneRight)
        for (int32_t r = kPaneBottom; r <= kPaneTop; ++r) s.at(int32_t(x), r) = kAxisColour;
    if (y >= kPaneBottom && y <= kPaneTop)
        std::fill_n(&s.at(kPaneLeft, int32_t(y)), kPaneRight - kPaneLeft + 1, kAxisColour);
}

// A blend table applied n times over, kept for the frame: a zoomed-out profile has runs of a
// few lengths only.
class RepeatedBlends {
public:
    const uint8_t* get(const uint8_t* blend, int32_t n) {
        for (Entry& e : entries_)
            if (e.blend == blend && e.times == n) return e.table.data();
        Entry& e = entries_[next_];
        next_ = (next_ + 1) % entries_.size();
        e.blend = blend;
        e.times = n;
        for (int32_t c = 0; c < 256; ++c) {
            uint8_t v = uint8_t(c);
            for (int32_t k = 0; k < n; ++k) v = blend[v];
            e.table[size_t(c)] = v;
        }
        return e.table.data();
    }

private:
    struct Entry {
        const uint8_t* blend = nullptr;
        int32_t times = 0;
        std::array<uint8_t, 256> table{};
    };
    std::array<Entry, 8> entries_{};
    size_t next_ = 0;
};

bool samePlace(const SegmentOnPane& a, const SegmentOnPane& b) {
    const auto same = [](const Corner& p, const Corner& q) { return p.x == q.x && p.y == q.y; };
    return same(a.leftA, b.leftA) && same(a.leftB, b.leftB) && same(a.rightA, b.rightA) &&
           same(a.rightB, b.rightB);
}

// The rows between the zA and zB edges of every column from xL to xR - 1, each pixel passed
// through `shade` (the segment's blend, once or several times over); the edges are followed in
// 20.12 fixed point.
void fillSegment(const Canvas& cv, const SegmentOnPane& s, const uint8_t* shade) {
    const int64_t xl = s.leftA.x, xr = s.rightA.x;
    if (xl >= xr) return;
    const int64_t from = std::max<int64_t>(xl, kPaneLeft), to = std::min<int64_t>(xr - 1, kPaneRight);
    if (from > to) return;
    // Pane positions stay below 2^34, so the steps and their products fit in 64 bits.
    const int64_t span = xr - xl;
    const int64_t stepA = (s.rightA.y - s.leftA.y) * 4096 / span;
    const int64_t stepB = (s.rightB.y - s.leftB.y) * 4096 / span;
    const SurfaceView screen = screenView(cv.frame);
    for (int64_t x = from; x <= to; ++x) {
        const int64_t ya = (s.leftA.y * 4096 + stepA * (x - xl)) >> 12;
        const int64_t yb = (s.leftB.y * 4096 + stepB * (x - xl)) >> 12;
        const int64_t lo = std::max<int64_t>(ya, kPaneBottom), hi = std::min<int64_t>(yb, kPaneTop);
        for (int64_t y = lo; y <= hi; ++y) {
            uint8_t& px = screen.at(int32_t(x), int32_t(y));
            px = shade[px];
        }
    }
}

// Where a thumb starts along its track: the pans -2048..2048 spread over `track` positions; the
// thumb stays in its track whatever the pan holds.
int64_t thumbOffset(int32_t pan, int64_t track) {
    const int64_t last = floorDiv((kPanRange - 1) * track, kPanRange);
    return std::clamp<int64_t>(floorDiv((int64_t(pan) + 2048) * track, kPanRange), 0, last);
}

void drawPanBars(const ProfilePaintInput& in, const ProfileEditorState& p) {
    const int32_t px = int32_t(thumbOffset(p.profilePanX, 602));
    drawFrame(in.cv, in.skin, px + 23, 288, px + 160, 302, 78, 72);
    if (in.hoveredWidget == 22007) blitSkinOpaque(in.cv, in.skin, 8, 288, 138, 302, 15, 15);
    if (in.hoveredWidget == 22006) blitSkinOpaque(in.cv, in.skin, 762, 288, 138, 287, 15, 15);
    const int32_t py = int32_t(thumbOffset(p.profilePanY, 179));
    drawFrame(in.cv, in.skin, 777, py + 318, 791, py + 327, 78, 72);
    if (in.hoveredWidget == 22010) blitSkinOpaque(in.cv, in.skin, 777, 303, 138, 407, 15, 15);
    if (in.hoveredWidget == 22009) blitSkinOpaque(in.cv, in.skin, 777, 506, 138, 422, 15, 15);
}

}  // namespace

void paintProfileEditor(const ProfilePaintInput& in, const ProfileEditorState& p) {
    const int32_t count = std::clamp<int32_t>(
        p.contourCount, 0, int32_t(std::min<size_t>(p.contour.size(), kContourCapacity)));
    drawCounters(in, p, count);
    const PaneMap m{std::max<int64_t>(p.profileZoom, 1), p.profilePanX, p.profilePanY};
    drawGrid(in.cv, m, in.gridSpacing);
    drawAxes(in.cv, m);
    // Neighbours that land on the same pixels (a zoomed-out profile) are blended in one pass
    // through the blend applied as many times over.
    RepeatedBlends repeats;
    for (int32_t k = 0; k < count;) {
        const SegmentOnPane s = place(m, p.contour[size_t(k)]);
        const int32_t colour = k == p.contourSelected ? kFillSelected : kFill;
        const uint8_t* blend = &in.cv.colors.blendTable[size_t(colour) * 256];
        int32_t end = k + 1;
        while (end < count && (end == p.contourSelected ? kFillSelected : kFill) == colour &&
               samePlace(place(m, p.contour[size_t(end)]), s))
            ++end;
        fillSegment(in.cv, s, end - k == 1 ? blend : repeats.get(blend, end - k));
        k = end;
    }
    // Plain lines and markers only overwrite: an outline drawn again right after the same one
    // changes no pixel and is skipped. Smooth lines blend and are all drawn.
    const bool overwrites = !in.cv.smoothLines;
    SegmentOnPane last{};
    bool lastWhole = false;
    for (int32_t k = 0; k < count; ++k) {
        const SegmentOnPane s = place(m, p.contour[size_t(k)]);
        const bool whole = k != p.profileNearSlice && k != p.profileDragSlice;
        if (overwrites && whole && lastWhole && samePlace(s, last)) continue;
        last = s;
        lastWhole = whole;
        for (int32_t h = 0; h < 8; ++h) {
            if ((k == p.profileNearSlice && h == p.profileNearHandle) ||
                (k == p.profileDragSlice && h == p.profileDragHandle))
                continue;
            drawHandle(in.cv, s, h, h < 2 ? kEdgeColour : kOutlineColour);
        }
    }
    // Segment by segment: the hovered handle, then the dragged one.
    const bool nearShown = p.profileNearSlice >= 0 && p.profileNearSlice < count;
    const bool dragShown = p.profileDragSlice >= 0 && p.profileDragSlice < count;
    auto highlightNear = [&] {
        if (nearShown)
            drawHandle(in.cv, place(m, p.contour[size_t(p.profileNearSlice)]), p.profileNearHandle,
                       kHoverColour);
    };
    auto highlightDrag = [&] {
        if (dragShown)
            drawHandle(in.cv, place(m, p.contour[size_t(p.profileDragSlice)]), p.profileDragHandle,
                       kDragColour);
    };
    if (dragShown && nearShown && p.profileDragSlice < p.profileNearSlice) {
        highlightDrag();
        highlightNear();
    } else {
        highlightNear();
        highlightDrag();
    }
    drawPanBars(in, p);
}

void drawProfileEditor(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    paintProfileEditor({cv, ed.fonts, ed.langs, ed.skin, ed.settings.gridSpacing,
                        ed.app.hoveredWidget},
                       ed.pages.profileEditor);
}

}  // namespace korvel
