#include "commands/LinkedSprites.h"

#include <cmath>
#include <cstdint>

#include "app/Editor.h"
#include "commands/CommandTargets.h"

namespace korvel {

namespace {

constexpr uint8_t kAnswersEqualTag = 8 | 16;
constexpr uint8_t kAnswersTagRange = 32;

// The tiles that react to a tag of their own (switches, doors and the like).
bool inTagSet(int32_t picnum) {
    return picnum == 2 || picnum == 4 || picnum == 8 || picnum == 9;
}

bool between(int32_t lo, int32_t v, int32_t hi) {
    return lo <= v && v <= hi;
}

uint8_t categoryOf(const Editor& ed, int32_t picnum) {
    const std::vector<uint8_t>& c = ed.tileCatalog.tileCategories;
    if (picnum < 0 || picnum >= kTileCount || size_t(picnum) >= c.size()) return 0;
    return c[size_t(picnum)];
}

// The special sprite rules of a reference of tile 1, by its lotag.
bool specialLinked(const SpriteRecord& P, const SpriteRecord& Q, uint8_t cp) {
    const int32_t h = Q.hitag;
    const int32_t pl = P.lotag, ph = P.hitag;
    const bool p1 = P.picnum == 1;
    const bool sameGroup = p1 && ph == h;
    switch (Q.lotag) {
        case 0:
        case 1:
            return sameGroup && (pl == 0 || pl == 1);
        case 3:
        case 4:
        case 8:
        case 9:
        case 11:
        case 12:
        case 13:
        case 15:
        case 17:
            return sameGroup && pl == Q.lotag;
        case 6:
        case 14:
            return sameGroup && (pl == 6 || pl == 14);
        case 7:
        case 23:
            return sameGroup && (pl == 7 || pl == 23);
        case 28:
            return (sameGroup && pl == 28) || (P.picnum == 4890 && ph == h);
        case 30:
            return ((cp & kAnswersEqualTag) && (pl == h || pl == h + 1)) ||
                   ((cp & kAnswersTagRange) && between(pl - 1, h, pl + 3)) ||
                   (inTagSet(P.picnum) && (pl == h || pl == h + 1)) ||
                   (P.picnum == 7 && (ph == h || ph == h + 1)) ||
                   (p1 && (pl == 12 || pl == 24) && (ph == h || ph == h + 1));
        case 40:
        case 41:
        case 42:
        case 43:
        case 44:
        case 45:
            return sameGroup && between(40, pl, 45);
        default:
            return false;
    }
}

// A view origin in whole map units, halves to the even neighbour.
int32_t wholeUnits(float v) {
    const double r = std::nearbyint(double(v));
    if (!(r > -2147483648.0)) return INT32_MIN;
    if (!(r < 2147483647.0)) return INT32_MAX;
    return int32_t(r);
}

}  // namespace

bool areSpritesLinked(const Editor& ed, int32_t p, int32_t q) {
    const MapStore& map = ed.map;
    if (!isSprite(map, p) || !isSprite(map, q)) return false;
    const SpriteRecord& P = map.sprites[size_t(p)];
    const SpriteRecord& Q = map.sprites[size_t(q)];
    const uint8_t cq = categoryOf(ed, Q.picnum), cp = categoryOf(ed, P.picnum);
    const int32_t ql = Q.lotag, pl = P.lotag, ph = P.hitag;
    const bool pSpecialSwitch = P.picnum == 1 && (pl == 12 || pl == 24);

    if (cq & kAnswersEqualTag) {
        if ((cp & kAnswersEqualTag) && pl == ql) return true;
        if ((cp & kAnswersTagRange) && between(pl, ql, pl + 3)) return true;
        if (inTagSet(P.picnum) && pl == ql) return true;
        if (P.picnum == 7 && ph == ql) return true;
        if (pSpecialSwitch && ph == ql) return true;
    }
    if (cq & kAnswersTagRange) {
        if (inTagSet(P.picnum) && between(ql, pl, ql + 3)) return true;
        if (P.picnum == 7 && between(ql, ph, ql + 3)) return true;
        if (pSpecialSwitch && between(ql, ph, ql + 3)) return true;
    }
    if (inTagSet(Q.picnum) && inTagSet(P.picnum) && pl == ql) return true;
    if (Q.picnum == 1 && specialLinked(P, Q, cp)) return true;
    if ((Q.picnum == 499 || Q.picnum == 502) && P.picnum == 621 && pl == Q.hitag) return true;
    if (cq == 0 && Q.hitag > 0 && ph == Q.hitag) return true;
    return false;
}

void jumpToLinkedSprite(Editor& ed) {
    if (!onPlanView(ed)) return;
    const int32_t h = hoveredSprite(ed);
    if (h < 0) return;
    const MapStore& map = ed.map;
    for (int32_t j = (h + 1) % map.spriteCount; j != h; j = (j + 1) % map.spriteCount) {
        if (!areSpritesLinked(ed, j, h) && !areSpritesLinked(ed, h, j)) continue;
        ViewMotionState& m = ed.viewMotion;
        m.glideFromX = wholeUnits(ed.view.viewOriginX);
        m.glideFromY = wholeUnits(ed.view.viewOriginY);
        m.glideToX = saturate32(-int64_t(map.sprites[size_t(j)].x));
        m.glideToY = map.sprites[size_t(j)].y;
        m.glideStep = 0;
        playSound(ed, "beep2");
        return;
    }
}

}  // namespace korvel
