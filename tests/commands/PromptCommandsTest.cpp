#include "commands/PromptCommands.h"

#include <gtest/gtest.h>

#include "app/Editor.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"
#include "support/NumberedMessages.h"

namespace korvel::test {
namespace {

// Two rooms, a sprite in each; messages read "#<number>" with their first argument after a
// blank when the language puts it there.
struct PromptRig : EditorRig {
    PromptRig() : EditorRig("", false) {
        ed->langs = numberedMessages();
        MapBuilder b(ed->map);
        b.addRoom(0, 0, 256, 256);
        b.addRoom(512, 0, 768, 256);
        b.addSprite(64, 64, 0, 0);
        b.addSprite(600, 64, 0, 1);
        ed->app.currentPage = Page::PlanView;
    }
    const ValuePromptState& prompt() const { return ed->prompt; }
    void resetPrompt() {
        ed->prompt = ValuePromptState{};
        ed->app.helpPopupStep = -1;
    }
};

TEST(PromptCommands, SectorPromptsShowTheFirstSelectedOrTheHovered) {
    PromptRig r;
    Editor& ed = *r.ed;
    MapStore& map = ed.map;
    map.sectors[0].lotag = 5;
    map.sectors[1].lotag = 7;
    map.sectorSelected[0] = map.sectorSelected[1] = 1;
    map.selectedSectorCount = 2;
    promptSectorLotag(ed);
    EXPECT_EQ(r.prompt().promptKind, int32_t(ValuePromptKind::SectorLotag));
    EXPECT_EQ(r.prompt().promptInput, "5");
    EXPECT_EQ(r.prompt().targetSector, kWholeSelection);
    EXPECT_EQ(r.prompt().promptText, "#175");
    EXPECT_EQ(ed.app.helpPopupStep, 0);
    EXPECT_EQ(ed.app.helpTopic, 1);
    EXPECT_EQ(map.undoState, UndoState::Snapshot);

    map.sectorSelected[0] = map.sectorSelected[1] = 0;
    map.selectedSectorCount = 0;
    map.sectors[1].hitag = int16_t(40000);
    map.sectors[1].floorshade = -12;
    map.sectors[1].ceilingpal = 200;
    map.sectors[1].visibility = 250;
    ed.hover.hoveredSector = 1;
    const struct {
        void (*key)(Editor&);
        uint8_t ceiling;
        ValuePromptKind kind;
        const char* text;
        uint8_t negative;
        int32_t caption;
    } cases[] = {
        {promptSectorHitag, 0, ValuePromptKind::SectorHitag, "40000", 0, 174},
        {promptSectorShade, 0, ValuePromptKind::SectorFloorShade, "12", 1, 75},
        {promptSectorShade, 1, ValuePromptKind::SectorCeilingShade, "0", 0, 76},
        {promptSectorPalette, 1, ValuePromptKind::SectorCeilingPal, "200", 0, 171},
        {promptSectorPalette, 0, ValuePromptKind::SectorFloorPal, "0", 0, 172},
        {promptVisibility, 0, ValuePromptKind::SectorVisibility, "250", 0, 72},
    };
    for (const auto& c : cases) {
        r.resetPrompt();
        ed.settings.ceilingView = c.ceiling;
        c.key(ed);
        SCOPED_TRACE(int(c.kind));
        EXPECT_EQ(r.prompt().promptKind, int32_t(c.kind));
        EXPECT_EQ(r.prompt().promptInput, c.text);
        EXPECT_EQ(r.prompt().promptNegative, c.negative);
        EXPECT_EQ(r.prompt().targetSector, 1);
        EXPECT_EQ(r.prompt().targetWall, -1) << "other targets stay";
        EXPECT_EQ(r.prompt().promptText.substr(0, std::to_string(c.caption).size() + 1),
                  "#" + std::to_string(c.caption));
        EXPECT_EQ(ed.app.helpPopupStep, -1);
    }

    // Nothing hovered, nothing selected: no prompt. Shift+S and Shift+V only on the plan view.
    r.resetPrompt();
    ed.hover.hoveredSector = -1;
    promptSectorHitag(ed);
    EXPECT_EQ(r.prompt().promptKind, 0);
    ed.hover.hoveredSector = 99;
    promptSectorHitag(ed);
    EXPECT_EQ(r.prompt().promptKind, 0) << "a hovered index past the sectors";
    ed.hover.hoveredSector = 1;
    ed.app.currentPage = Page::SideView;
    promptSectorShade(ed);
    promptVisibility(ed);
    EXPECT_EQ(r.prompt().promptKind, 0);
    promptSectorPalette(ed);
    EXPECT_NE(r.prompt().promptKind, 0);
}

TEST(PromptCommands, ObjectPromptsBySource) {
    PromptRig r;
    Editor& ed = *r.ed;
    MapStore& map = ed.map;
    map.sprites[1].shade = -12;
    map.sprites[1].lotag = 3;
    map.walls[5].pal = 9;
    map.walls[5].hitag = 11;
    enum Source { SelSprite, SelWall, HovSprite, HovWall, SideWall };
    const struct {
        Source source;
        void (*key)(Editor&);
        ValuePromptKind kind;
        int32_t caption;
        const char* text;
        uint8_t negative;
    } cases[] = {
        {SelSprite, promptShade, ValuePromptKind::SpriteShade, 209, "12", 1},
        {SelSprite, promptLotag, ValuePromptKind::SpriteLotag, 198, "3", 0},
        {SelWall, promptPalette, ValuePromptKind::WallPal, 191, "9", 0},
        {SelWall, promptHitag, ValuePromptKind::WallHitag, 195, "11", 0},
        {HovSprite, promptHitag, ValuePromptKind::SpriteHitag, 196, "0", 0},
        {HovSprite, promptPalette, ValuePromptKind::SpritePal, 192, "0", 0},
        {HovWall, promptLotag, ValuePromptKind::WallLotag, 201, "0", 0},
        {HovWall, promptShade, ValuePromptKind::WallShade, 212, "0", 0},
        {SideWall, promptPalette, ValuePromptKind::WallPal, 193, "9", 0},
        {SideWall, promptHitag, ValuePromptKind::WallHitag, 197, "11", 0},
    };
    for (const auto& c : cases) {
        r.resetPrompt();
        std::fill(map.spriteSelected.begin(), map.spriteSelected.end(), 0);
        std::fill(map.wallSelected.begin(), map.wallSelected.end(), 0);
        map.selectedSpriteCount = map.selectedWallCount = 0;
        ed.hover.hoveredSprite = ed.hover.hoveredWall = -1;
        ed.app.currentPage = Page::PlanView;
        int32_t target = kWholeSelection;
        switch (c.source) {
            case SelSprite: map.spriteSelected[1] = 1; map.selectedSpriteCount = 1; break;
            case SelWall: map.wallSelected[5] = 1; map.selectedWallCount = 1; break;
            case HovSprite: ed.hover.hoveredSprite = target = 0; ed.hover.hoveredWall = 2; break;
            case HovWall: ed.hover.hoveredWall = target = 2; break;
            case SideWall:
                ed.app.currentPage = Page::SideView;
                ed.view.sideViewSubjectKind = SideViewSubjectKind::Wall;
                ed.view.sideViewSubject = target = 5;
                break;
        }
        c.key(ed);
        SCOPED_TRACE(testing::Message() << c.source << " kind " << int(c.kind));
        EXPECT_EQ(r.prompt().promptKind, int32_t(c.kind));
        EXPECT_EQ(r.prompt().promptInput, c.text);
        EXPECT_EQ(r.prompt().promptNegative, c.negative);
        const bool sprite = c.source == SelSprite || c.source == HovSprite;
        EXPECT_EQ(sprite ? r.prompt().targetSprite : r.prompt().targetWall, target);
        EXPECT_EQ(sprite ? r.prompt().targetWall : r.prompt().targetSprite, -1);
        const std::string caption = "#" + std::to_string(c.caption);
        EXPECT_EQ(r.prompt().promptText.substr(0, caption.size()), caption);
    }
    // The side view's wall is used only when it exists.
    r.resetPrompt();
    ed.view.sideViewSubject = 100000;
    promptLotag(ed);
    EXPECT_EQ(r.prompt().promptKind, 0);
}

TEST(PromptCommands, TagListsOfEffectorsAndSounds) {
    PromptRig r;
    Editor& ed = *r.ed;
    MapStore& map = ed.map;
    map.sprites[0].picnum = 1;
    map.sprites[1].picnum = 5;
    map.sprites[1].lotag = 4;
    const struct {
        int32_t sprite;
        void (*key)(Editor&);
        int32_t step, topic;
    } cases[] = {{0, promptLotag, 0, 0},  {0, promptHitag, -1, -7}, {1, promptLotag, 0, 23},
                 {1, promptHitag, 0, 23}, {1, promptPalette, -1, -7}};
    for (const auto& c : cases) {
        r.resetPrompt();
        ed.app.helpTopic = -7;
        ed.tileCatalog.soundUsage[4] = 0;
        ed.hover.hoveredSprite = c.sprite;
        c.key(ed);
        EXPECT_EQ(ed.app.helpPopupStep, c.step) << c.sprite;
        EXPECT_EQ(ed.app.helpTopic, c.topic) << c.sprite;
        if (c.topic == 23) EXPECT_EQ(ed.tileCatalog.soundUsage[4], 1);
    }
    // Over a wall no list opens.
    r.resetPrompt();
    ed.hover.hoveredSprite = -1;
    ed.hover.hoveredWall = 1;
    promptLotag(ed);
    EXPECT_EQ(ed.app.helpPopupStep, -1);
}

TEST(PromptCommands, TOutsideThePlanView) {
    PromptRig r;
    Editor& ed = *r.ed;
    ed.app.currentPage = Page::SideView;
    ed.view.sideViewSubjectKind = SideViewSubjectKind::Wall;
    ed.view.sideViewSubject = 3;
    ed.map.walls[3].cstat = 1;
    const struct {
        uint16_t bits;
        const char* message;
    } steps[] = {{1 | 128, "#177"}, {1 | 640, "#178"}, {1, "#179"}, {1 | 128, "#177"}};
    for (const auto& s : steps) {
        promptSectorLotag(ed);
        EXPECT_EQ(ed.map.walls[3].cstat, s.bits);
        EXPECT_EQ(ed.app.statusText.substr(0, 4), s.message);
        EXPECT_EQ(ed.prompt.promptKind, 0);
    }
    EXPECT_NE(ed.map.mapModified, MapModifiedState::Unmodified);
    // Only bit 9 set counts as neither.
    ed.map.walls[3].cstat = 512;
    promptSectorLotag(ed);
    EXPECT_EQ(ed.map.walls[3].cstat, 128);

    for (const Page p : {Page::TilePicker, Page::TileZoom}) {
        ed.app.currentPage = p;
        ed.pages.tilePicker.tileThumbMode = 0;
        promptSectorLotag(ed);
        EXPECT_EQ(ed.pages.tilePicker.tileThumbMode, 1);
        EXPECT_EQ(ed.app.statusText, "#181");
        promptSectorLotag(ed);
        EXPECT_EQ(ed.app.statusText, "#180");
    }
}

}  // namespace
}  // namespace korvel::test
