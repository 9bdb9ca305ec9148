#include "commands/DisplayToggles.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/FrameLoop.h"
#include "app/MapFileCommands.h"
#include "app/Startup.h"
#include "editing/InputDispatcher.h"
#include "map/MapFile.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"
#include "support/SyntheticGameFiles.h"

namespace korvel::test {
namespace {

constexpr int16_t kFloorTile = 0, kSpriteTile = 1, kCeilingTile = 2;
constexpr uint8_t kSpriteTexel = 200;

// Floor and ceiling tiles of 8 x 8 with texel (u, r) = base + 8 u + r; a sprite tile of one
// colour.
std::string tileColumns(uint8_t base) {
    std::string px;
    for (int32_t u = 0; u < 8; ++u)
        for (int32_t r = 0; r < 8; ++r) px += char(base + 8 * u + r);
    return px;
}

// A started editor, tiles not loaded at start-up, with a room and a face sprite in it, shown at
// zoom 16: column x at map x 16 (x - 400), row y at map y 16 (300 - y). The room covers
// columns 500..700 and rows 150..249, the sprite stands at (600, 200); its picture, hung by its
// offsets, spans columns 594..606 and rows 200..215.
struct TexturedRig : EditorRig {
    TexturedRig() {
        dir.write("tiles000.art", makeArtFile(0, {{8, 8, 0, tileColumns(1)},
                                                  {4, 4, 0, std::string(16, char(kSpriteTexel))},
                                                  {8, 8, 0, tileColumns(100)}}));
        auto map = std::make_unique<MapStore>();
        MapBuilder build(*map);
        build.addRoom(1600, 800, 4800, 2400);
        map->sectors[0].floorpicnum = kFloorTile;
        map->sectors[0].ceilingpicnum = kCeilingTile;
        build.addSprite(3200, 1600, 0, 0, kSpriteTile);
        map->sprites[0].xrepeat = map->sprites[0].yrepeat = 255;
        const std::string path = dir.write("room.map", serializeMap(*map));

        auto configure = ed->calls.loadConfigAndInit;
        ed->calls.loadConfigAndInit = [configure](Editor& e) {
            configure(e);
            e.settings.loadTilesOnInit = 0;
        };
        EXPECT_TRUE(startup(*ed));
        loadMap(*ed, path, false);
        ed->view.viewOriginX = ed->view.viewOriginY = 0;
        ed->view.viewZoom = 16;
        ed->settings.showGrid = 0;
        platform->setPointer(100, 500);
    }

    // A click on the toolbar button of the action, the pointer on its lower left pixel.
    void clickButton(int16_t action) {
        int32_t slot = -1;
        for (int32_t i = 0; i < kToolbarSlots; ++i) {
            const ToolbarButton& b = ed->toolbar.toolbarButtons[size_t(i)];
            if (b.code == action && toolbarContextHolds(*ed, b.context)) slot = i;
        }
        ASSERT_GE(slot, 0) << "the toolbar shows the button";
        const ToolbarButton& b = ed->toolbar.toolbarButtons[size_t(slot)];
        platform->setPointer(b.x, 599 - b.y);
        for (const bool down : {true, false}) {
            platform->setKeyDown(kLeftButton, down);
            runFrame(*ed);
        }
    }
    uint8_t px(int32_t x, int32_t y) { return screenView(ed->frameBuffer).at(x, y); }
    // The display colour game colour c shows as at shade 0 and pal 0.
    uint8_t shown(uint8_t c) const {
        const ColorTables& ct = ed->colorTables;
        return uint8_t(ct.gamePaletteMap[ct.gameShades[ct.palRemaps[c]]] & 0xFF);
    }
    // The world-aligned texel of an 8 x 8 tile at pixel (x, y), taken in steps of 2 at zoom 16.
    uint8_t texel(uint8_t base, int32_t x, int32_t y) const {
        auto even = [](int32_t v) { return (((v % 8) + 8) % 8) & ~1; };
        return uint8_t(base + 8 * even(x - 400) + even(y - 300));
    }
};

TEST(DisplayTogglesTest, TexturedSectorsSpritePicturesCeilingsAndTheBackdropEndToEnd) {
    TexturedRig rig;
    Editor& ed = *rig.ed;
    ASSERT_EQ(ed.tiles.artLoaded, 0);
    runFrame(ed);
    const uint8_t untextured = rig.px(520, 170);

    // The button asks for the tiles; the next frame loads them and fills the floor.
    rig.clickButton(35);
    EXPECT_EQ(ed.tiles.artLoaded, 1);
    EXPECT_EQ(ed.settings.sectorsFull, 1);
    EXPECT_EQ(ed.cursor.cursorShape, CursorShape::Arrow);
    for (const auto& [x, y] : {std::pair{520, 170}, {533, 181}, {690, 240}, {650, 152}})
        EXPECT_EQ(rig.px(x, y), rig.shown(rig.texel(1, x, y))) << x << "," << y;
    EXPECT_NE(rig.px(520, 170), untextured);

    // Sprite pictures: the face sprite's picture under its marker.
    const std::pair<int32_t, int32_t> onPicture{597, 206};
    EXPECT_NE(rig.px(onPicture.first, onPicture.second), rig.shown(kSpriteTexel));
    rig.clickButton(34);
    EXPECT_EQ(ed.settings.spritesFull, 1);
    EXPECT_EQ(rig.px(onPicture.first, onPicture.second), rig.shown(kSpriteTexel));

    // The ceiling view (Backspace's command) shows the ceiling tiles.
    ed.settings.ceilingView = 1;
    runFrame(ed);
    for (const auto& [x, y] : {std::pair{520, 170}, {533, 181}})
        EXPECT_EQ(rig.px(x, y), rig.shown(rig.texel(100, x, y))) << x << "," << y;

    // A dialog page (F8's command) stands on the tinted map view of the frame before.
    std::vector<uint8_t> shownView;
    for (int32_t y = kMapViewBottom; y <= kMapViewTop; ++y)
        for (int32_t x = 0; x < kScreenWidth; ++x) shownView.push_back(rig.px(x, y));
    ed.app.currentPage = Page::GeneralOptions;
    runFrame(ed);
    const auto& backdrop = ed.frameBuffer.viewBackdrop;
    for (size_t i = 0; i < shownView.size(); ++i)
        ASSERT_EQ(backdrop[i], ed.colorTables.uiTint[shownView[i]]) << i;
    EXPECT_EQ(ed.frameBuffer.background[size_t(kMapViewBottom) * kScreenWidth + 520],
              ed.colorTables.uiTint[shownView[520]]);
}

TEST(DisplayTogglesTest, WithTheTilesLoadedTheButtonsOnlySwitch) {
    struct Case {
        int16_t action;
        uint8_t Settings::*setting;
    } cases[] = {{35, &Settings::sectorsFull}, {34, &Settings::spritesFull}};
    for (const Case& c : cases) {
        TexturedRig rig;
        rig.ed->tiles.artLoaded = 1;
        for (const uint8_t want : {1, 0}) {
            rig.platform->clearPlayedSounds();
            rig.clickButton(c.action);
            EXPECT_EQ(rig.ed->settings.*c.setting, want) << c.action;
            EXPECT_EQ(rig.ed->app.deferredAction, DeferredAction::None);
            EXPECT_EQ(rig.platform->playedSounds(), std::vector<std::string>{"command.wav"});
        }
    }
}

}  // namespace
}  // namespace korvel::test
