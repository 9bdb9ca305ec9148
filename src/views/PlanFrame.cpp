#include "views/PlanFrame.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/Text.h"
#include "views/PlanViewState.h"

namespace korvel {

int32_t nearestInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (v <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return int32_t(std::nearbyint(v));
}

int32_t clampToInt32(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max()));
}

void projectWallPoints(PlanFrame& pf) {
    const MapStore& map = pf.map;
    PlanViewState& st = pf.lists;
    const PlanProjection view = pf.view;
    const int32_t n = std::clamp(map.wallCount, 0, kMaxWalls);
    const WallRecord* walls = map.walls.data();
    int32_t* xs = st.wallScreenX.data();
    int32_t* ys = st.wallScreenY.data();
    for (int32_t i = 0; i < n; ++i) {
        xs[i] = view.column(walls[i].x);
        ys[i] = view.row(walls[i].y);
    }
}

void drawLabelBox(const Canvas& cv, const Fonts& fonts, std::string_view text, int64_t ax,
                  int64_t ay, int32_t boxColour) {
    if (text.empty()) return;
    const int64_t length = int64_t(text.size());
    const int64_t half = safeFloor(2.5 * double(length));
    int64_t left = ax - half;
    if (left > kScreenRight) return;
    int64_t width = 5 * length + 1;
    if (left + width > kScreenRight) width = kScreenWidth - left;
    if (left < 0) {
        width += left;
        left = 0;
    }
    if (width > 0) {
        const SurfaceView s = screenView(cv.frame);
        const int64_t bottom = std::max<int64_t>(ay - 4, kMapViewBottom);
        const int64_t top = std::min<int64_t>(ay + 3, kMapViewTop);
        for (int64_t r = bottom; r <= top; ++r)
            std::fill_n(&s.at(int32_t(left), int32_t(r)), size_t(width), uint8_t(boxColour));
    }
    drawSmallTextMapClipped(cv, fonts, std::string(text), clampToInt32(ax - half + 1),
                            clampToInt32(ay - 3), 0);
}

void drawLabelBox(const PlanFrame& pf, std::string_view text, int64_t ax, int64_t ay,
                  int32_t boxColour) {
    drawLabelBox(pf.cv, pf.fonts, text, ax, ay, boxColour);
}

void drawWallLabel(const PlanFrame& pf, const PlanWallLine& line, int32_t boxColour) {
    drawLabelBox(pf, line.label, (int64_t(line.x1) + line.x2) / 2, (int64_t(line.y1) + line.y2) / 2,
                 boxColour);
}

void drawSectorTagLabel(const PlanFrame& pf, const PlanLabel& label) {
    drawLabelBox(pf, label.text, label.x, label.y, label.colour);
}

void drawSpriteLabel(const Canvas& cv, const Fonts& fonts, const SpriteDrawItem& item) {
    drawLabelBox(cv, fonts, item.label, item.x, item.y, item.colour);
}

void drawSpriteLabel(const PlanFrame& pf, const SpriteDrawItem& item) {
    drawSpriteLabel(pf.cv, pf.fonts, item);
}

}  // namespace korvel
