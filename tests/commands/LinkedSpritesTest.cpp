#include "commands/LinkedSprites.h"

#include <gtest/gtest.h>

#include "support/EditCommandRig.h"

namespace korvel {
namespace {

using test::EditCommandRig;

// Tiles with category bits for the table: 100 answers an equal tag (8), 101 (16) likewise,
// 102 a range of four tags (32); 103 has no bit.
struct Linked : EditCommandRig {
    Linked() {
        test::MapBuilder(map).addRoom(0, 0, 4096, 4096);
        std::vector<uint8_t>& c = ed->tileCatalog.tileCategories;
        c[100] = 8;
        c[101] = 16;
        c[102] = 32;
    }
    // Sprite p (candidate) and q (reference) with their tiles and tags.
    bool linked(int16_t pp, int16_t pl, int16_t ph, int16_t qp, int16_t ql, int16_t qh) {
        map.spriteCount = 0;
        test::MapBuilder b(map);
        b.addSprite(10, 10, 0, 0, pp);
        b.addSprite(20, 10, 0, 0, qp);
        map.sprites[0].lotag = pl;
        map.sprites[0].hitag = ph;
        map.sprites[1].lotag = ql;
        map.sprites[1].hitag = qh;
        return areSpritesLinked(*ed, 0, 1);
    }
};

TEST(LinkedSprites, EveryRuleOfTheTable) {
    struct Case {
        const char* name;
        int16_t pp, pl, ph, qp, ql, qh;
        bool want;
    };
    const Case cases[] = {
        {"1.1 equal tags", 101, 5, 0, 100, 5, 0, true},
        {"1.1 unequal", 101, 6, 0, 100, 5, 0, false},
        {"1.2 range answers 10..13", 102, 10, 0, 100, 12, 0, true},
        {"1.2 range misses 14", 102, 10, 0, 100, 14, 0, false},
        {"1.3 tag set", 4, 5, 0, 100, 5, 0, true},
        {"1.4 tile 7 by hitag", 7, 0, 5, 100, 5, 0, true},
        {"1.5 tile 1 lotag 12", 1, 12, 5, 100, 5, 0, true},
        {"1.5 tile 1 lotag 13", 1, 13, 5, 100, 5, 0, false},
        {"2.1 tag set in range", 8, 7, 0, 102, 5, 0, true},
        {"2.1 tag set past range", 8, 9, 0, 102, 5, 0, false},
        {"2.2 tile 7 hitag in range", 7, 0, 8, 102, 5, 0, true},
        {"2.3 tile 1 lotag 24", 1, 24, 6, 102, 5, 0, true},
        {"3 both in the tag set", 2, 9, 0, 9, 9, 0, true},
        {"4 lotag 0 and 1", 1, 1, 3, 1, 0, 3, true},
        {"4 lotag 3 needs the same lotag", 1, 4, 0, 1, 3, 0, false},
        {"4 lotag 6 with 14", 1, 14, 5, 1, 6, 5, true},
        {"4 lotag 6 with 14, other hitag", 1, 14, 4, 1, 6, 5, false},
        {"4 lotag 7 with 23", 1, 23, 2, 1, 7, 2, true},
        {"4 lotag 28 and tile 4890", 4890, 0, 9, 1, 28, 9, true},
        {"4 lotag 30 to a switch hitag + 1", 1, 12, 6, 1, 30, 5, true},
        {"4 lotag 30 range tile", 102, 6, 0, 1, 30, 5, true},
        {"4 lotag 40 to 45", 1, 45, 2, 1, 40, 2, true},
        {"4 other lotag", 1, 50, 0, 1, 50, 0, false},
        {"5 tile 621 by hitag", 621, 8, 0, 499, 0, 8, true},
        {"5 tile 621 from 502", 621, 8, 0, 502, 0, 9, false},
        {"6 no category, hitag", 103, 0, 4, 103, 0, 4, true},
        {"6 no category, hitag 0", 103, 0, 0, 103, 0, 0, false},
        {"6 reference with a category", 103, 0, 4, 100, 1, 4, false},
        {"tiles out of range have no category", 103, 0, 4, -3, 0, 4, true},
        {"tags compare signed", 101, -1, 0, 100, -1, 0, true},
    };
    Linked r;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(r.linked(c.pp, c.pl, c.ph, c.qp, c.ql, c.qh), c.want);
    }
}

TEST(LinkedSprites, WSearchesOnwardWrapsAndGlides) {
    Linked r;
    test::MapBuilder b(r.map);
    // Sprites 0 to 4; 1, 3 and 4 share hitag 7 on tiles with no category.
    for (int32_t k = 0; k < 5; ++k) b.addSprite(100 * k + 10, 50 * k + 10, 0, 0, 103);
    for (const int32_t k : {1, 3, 4}) r.map.sprites[size_t(k)].hitag = 7;
    r.ed->view.viewOriginX = 2.5f;
    r.ed->view.viewOriginY = -3.5f;
    r.ed->hover.hoveredSprite = 3;
    jumpToLinkedSprite(*r.ed);
    const ViewMotionState& m = r.ed->viewMotion;
    EXPECT_EQ(m.glideStep, 0);
    EXPECT_EQ(m.glideToX, -410);
    EXPECT_EQ(m.glideToY, 210);
    EXPECT_EQ(m.glideFromX, 2);  // halves to even
    EXPECT_EQ(m.glideFromY, -4);
    EXPECT_EQ(r.cues(), std::vector<std::string>{"beep2"});
    r.ed->hover.hoveredSprite = 4;
    jumpToLinkedSprite(*r.ed);
    EXPECT_EQ(m.glideToX, -110);  // wrapped round to sprite 1
    EXPECT_EQ(r.map.undoState, UndoState::Nothing);

    r.cues();
    // No partner: nothing at all.
    r.ed->viewMotion.glideStep = -1;
    r.ed->hover.hoveredSprite = 0;
    jumpToLinkedSprite(*r.ed);
    EXPECT_EQ(m.glideStep, -1);
    EXPECT_TRUE(r.cues().empty());
    r.ed->hover.hoveredSprite = 12;  // stale
    jumpToLinkedSprite(*r.ed);
    EXPECT_EQ(m.glideStep, -1);
}

}  // namespace
}  // namespace korvel
