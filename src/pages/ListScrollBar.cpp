#include "pages/ListScrollBar.h"

#include <algorithm>

#include "base/Mainm.h"
#include "ui/Skin.h"

namespace korvel {

namespace {

constexpr int32_t kArrowSize = 15;

void copyArrow(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t sy) {
    blitSkinOpaque(cv, skin, x, y, 138, sy, kArrowSize, kArrowSize);
}

}  // namespace

ThumbSpan listThumb(const ListScrollBar& bar, int32_t total, int32_t first) {
    const double L = bar.trackLength;
    const int32_t t = safeFloor(L / (double(total) / bar.visible));
    const double p = (L - t) - double(first) * L / total;
    const double clamped = std::clamp(p, 0.0, double(bar.trackLength - t));
    return {safeFloor(clamped), t};
}

void drawListScrollBar(const Canvas& cv, const Skin& skin, const ListScrollBar& bar, int32_t total,
                       int32_t first, int32_t hoveredWidget) {
    if (total <= bar.visible) {
        copyArrow(cv, skin, bar.x, bar.lowerArrowY, 362);
        copyArrow(cv, skin, bar.x, bar.upperArrowY, 377);
        return;
    }
    const ThumbSpan th = listThumb(bar, total, first);
    drawFrame(cv, skin, bar.x, bar.base + th.position, bar.x + 14,
              bar.base + th.position + th.length, 78, 72);
    if (hoveredWidget == bar.lowerId) copyArrow(cv, skin, bar.x, bar.lowerArrowY, 407);
    if (hoveredWidget == bar.upperId) copyArrow(cv, skin, bar.x, bar.upperArrowY, 422);
}

}  // namespace korvel
