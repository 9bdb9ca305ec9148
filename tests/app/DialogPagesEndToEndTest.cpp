// The dialog pages through the headless platform's keys: whole frames of the loop, the results
// read off the presented frames.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "app/ExitTransition.h"
#include "app/FrameLoop.h"
#include "app/Startup.h"
#include "map/MapFile.h"
#include "pages/HelpViewer.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"
#include "support/TileFixtures.h"

namespace korvel {
namespace {

constexpr int kCtrl = 17, kF8 = 119, kF10 = 121, kF11 = 122;

std::string roomMap() {
    auto map = std::make_unique<MapStore>();
    test::MapBuilder b(*map);
    b.addRoom(0, 0, 1024, 1024);
    b.link();
    b.addSprite(512, 512, 0, 0, 7);
    return serializeMap(*map);
}

struct KeysRig {
    // secondLanguage: a copy of the English language file as a second language.
    explicit KeysRig(bool secondLanguage = false) {
        if (secondLanguage)
            rig.dir.write("KorvelD/lang001.dat", rig.dir.read("KorvelD/lang000.dat"));
        const std::string path = rig.dir.write("maps/ROOM.MAP", roomMap());
        rig.dir.write("maps/OTHER.MAP", roomMap());
        rig.platform = std::make_unique<HeadlessPlatform>(rig.dir.path(), "\"" + path + "\"");
        rig.ed->app.platform = rig.platform.get();
        EXPECT_TRUE(startup(*rig.ed));
        frame();
    }
    void frame() {
        rig.platform->advanceClock(16);
        runFrame(*rig.ed);
    }
    void press(std::initializer_list<int> keys) {
        for (int k : keys) rig.platform->setKeyDown(k, true);
        frame();
        for (int k : keys) rig.platform->setKeyDown(k, false);
        frame();
    }
    // The pointer at (x, y), rows counted from the bottom, for one frame.
    void pointAt(int32_t x, int32_t y) {
        rig.platform->setPointer(x, kScreenTop - y);
        frame();
    }
    void button(bool down) {
        rig.platform->setKeyDown(1, down);
        frame();
    }
    // The pointer at (x, y) in frame coordinates with the left button down or up: one frame.
    void mouse(int32_t x, int32_t y, bool down) {
        rig.platform->setPointer(x, 599 - y);
        rig.platform->setKeyDown(1, down);
        frame();
    }
    void click(int32_t x, int32_t y) {
        mouse(x, y, true);
        mouse(x, y, false);
    }
    uint8_t pixel(int32_t x, int32_t y) const {
        return rig.platform->lastFrame()[size_t(y) * 800 + size_t(x)];
    }
    // The presented 16 x 16 box at (x, y), counted from the bottom row.
    std::string box(int32_t x, int32_t y) const {
        std::string out;
        for (int32_t r = y; r < y + 16; ++r)
            for (int32_t c = x; c < x + 16; ++c) out += char(pixel(c, r));
        return out;
    }
    test::EditorRig rig;
};

TEST(DialogPagesByKeys, OptionsPagesShowTheSettings) {
    KeysRig r;
    Editor& ed = *r.rig.ed;
    r.press({kF10});
    ASSERT_EQ(ed.app.currentPage, Page::DisplayOptions);
    ed.settings.showFps = 0;
    r.frame();
    const std::string off = r.box(8, 344);
    ed.settings.showFps = 1;
    r.frame();
    EXPECT_NE(r.box(8, 344), off);

    r.press({kF8});
    ASSERT_EQ(ed.app.currentPage, Page::GeneralOptions);
    ed.settings.enableSounds = 0;
    r.frame();
    const std::string quiet = r.box(8, 446);
    ed.settings.enableSounds = 1;
    r.frame();
    EXPECT_NE(r.box(8, 446), quiet);
}

TEST(DialogPagesByKeys, FileBrowserListsTheMapFolderWithItsBand) {
    KeysRig r;
    Editor& ed = *r.rig.ed;
    r.press({kCtrl, 'O'});
    ASSERT_EQ(ed.app.currentPage, Page::FileBrowser);
    const FileBrowserState& b = ed.pages.fileBrowser;
    EXPECT_EQ(b.browserFileCount, 2);
    // The folder list has the focus: its first row carries the band.
    ASSERT_EQ(b.browserFocus, 0);
    const uint8_t band = r.pixel(8, 507);
    EXPECT_GE(band, 25);
    EXPECT_LE(band, 32);
}

TEST(DialogPagesByKeys, View3DPageRendersOnceOverTwoFrames) {
    KeysRig r;
    Editor& ed = *r.rig.ed;
    int renders = 0;
    const auto real = ed.calls.renderFrame;
    ed.calls.renderFrame = [&](Editor& e) {
        ++renders;
        real(e);
    };
    r.press({kF11});
    if (ed.app.currentPage != Page::View3D) r.frame();
    ASSERT_EQ(ed.app.currentPage, Page::View3D);
    const int afterEntering = renders;
    EXPECT_GE(afterEntering, 1);
    r.frame();
    r.frame();
    EXPECT_EQ(renders, afterEntering);
    for (int32_t y : {128, 133}) EXPECT_EQ(r.pixel(799, y), 0) << y;
}

TEST(DialogPagesByKeys, HelpViewerScrollsByKeyAndThumb) {
    KeysRig r;
    Editor& ed = *r.rig.ed;
    constexpr int kF1 = 112, kDown = 40;
    r.press({kF1});
    ASSERT_EQ(ed.app.currentPage, Page::HelpViewer);
    const int32_t H = ed.help.documentHeight;
    ASSERT_GT(H, 300) << "the first topic is taller than the window";
    ASSERT_EQ(ed.help.documentScroll, 0);
    // Thumb rows as the frame shows them: its fill inside, the track above it once it moved.
    const auto thumbShown = [&](int32_t scroll) {
        const DocumentThumb t = documentThumb(H, scroll);
        EXPECT_EQ(r.pixel(785, (t.bottom + t.top) / 2), 78) << scroll;
        if (t.top < 520) EXPECT_NE(r.pixel(785, t.top + 4), 78) << scroll;
        return t;
    };
    const DocumentThumb atTop = thumbShown(0);
    EXPECT_EQ(atTop.top, 528);

    r.press({kDown});
    EXPECT_EQ(ed.help.documentScroll, 12);
    r.frame();
    thumbShown(12);

    // Grab the thumb in its middle and drag it 40 rows down.
    const DocumentThumb t = documentThumb(H, 12);
    const int32_t grabY = (t.bottom + t.top) / 2;
    r.pointAt(785, grabY);
    r.button(true);
    r.pointAt(785, grabY - 40);
    r.button(false);
    const int32_t dragged = ed.help.documentScroll;
    EXPECT_GT(dragged, 12 + 30 * H / 377);
    EXPECT_LE(dragged, documentScrollLimit(H));
    r.pointAt(400, 300);  // the pointer (drawn a frame late) off the bar
    r.frame();
    const DocumentThumb after = thumbShown(dragged);
    EXPECT_NEAR(after.bottom, t.bottom - 40, 1);
}

TEST(DialogPagesByKeys, TilePickerOverAWallListsTheWallTilesAndPicksOne) {
    KeysRig r;
    Editor& ed = *r.rig.ed;
    test::installFixtureTiles(ed.tiles);
    ed.tiles.artLoaded = 1;
    // Three walls of one tile, the fourth of another.
    for (int32_t w = 0; w < ed.map.wallCount; ++w)
        ed.map.walls[size_t(w)].picnum = int16_t(w == 0 ? test::kTile16x4 : test::kTile8x8);
    ed.app.currentPage = Page::PlanView;
    r.frame();
    // The middle of wall 1 on the screen.
    const WallRecord& w0 = ed.map.walls[1];
    const WallRecord& w1 = ed.map.walls[size_t(w0.point2)];
    const ViewState& v = ed.view;
    const float mx = (w0.x + w1.x) / 2.0f, my = (w0.y + w1.y) / 2.0f;
    const int32_t sx = int32_t((mx + v.viewOriginX) / v.viewZoom + 400);
    const int32_t sy = int32_t((v.viewOriginY - my) / v.viewZoom + 300);
    r.pointAt(sx, sy);
    r.frame();
    ASSERT_EQ(ed.hover.hoveredWall, 1);
    r.press({18, 'V'});
    if (ed.app.currentPage != Page::TilePicker) r.frame();
    ASSERT_EQ(ed.app.currentPage, Page::TilePicker);
    const TileCatalog& cat = ed.tileCatalog;
    EXPECT_EQ(cat.tileList[0], test::kTile8x8);
    EXPECT_EQ(cat.tileUseCounts[0], ed.map.wallCount - 1);
    EXPECT_EQ(cat.tileList[1], test::kTile16x4);
    EXPECT_EQ(cat.tileUseCounts[1], 1);
    EXPECT_EQ(cat.tileList[2], -1);
    // The counts in the cells' top rows of the presented frame.
    r.pointAt(400, 300);
    r.frame();
    int32_t ink = 0;
    for (int32_t y = 574; y <= 579; ++y)
        for (int32_t x = 16; x < 21; ++x) ink += r.pixel(x, y) == 83;
    EXPECT_GT(ink, 0);
    // A click on the second cell and Enter give the wall its tile, in the saved map too.
    r.pointAt(100, 540);
    r.button(true);
    r.button(false);
    EXPECT_EQ(ed.pages.tilePicker.tilePickerCursor, 1);
    r.press({13});
    EXPECT_NE(ed.app.currentPage, Page::TilePicker);
    EXPECT_EQ(ed.map.walls[1].picnum, test::kTile16x4);
    EXPECT_EQ(ed.map.walls[2].picnum, test::kTile8x8);
    r.press({kCtrl, 'S'});
    const std::string saved = r.rig.dir.read("maps/ROOM.MAP");
    const auto layout = parseMapFile(saved);
    ASSERT_TRUE(layout.has_value());
    ASSERT_GE(layout->wallCount, 2);
    WallRecord wall;
    std::memcpy(&wall, saved.data() + layout->wallOffset + sizeof(WallRecord), sizeof wall);
    EXPECT_EQ(wall.picnum, test::kTile16x4);
}

TEST(DialogPagesByMouse, GeneralOptionsTakeTheSoundsBoxAndALanguageIntoTheConfiguration) {
    KeysRig r(true);
    Editor& ed = *r.rig.ed;
    ASSERT_EQ(ed.langs.languageCount(), 2);
    r.press({kF8});
    ASSERT_EQ(ed.app.currentPage, Page::GeneralOptions);
    const uint8_t sounds = ed.settings.enableSounds;
    const std::string box = r.box(8, 446);
    r.click(14, 452);
    EXPECT_NE(ed.settings.enableSounds, sounds);
    EXPECT_NE(r.box(8, 446), box);
    // The language rows run down from row 359; the second one lies 12 rows lower.
    const int32_t before = ed.langs.languageIndex;
    const std::string row = r.box(600, 346);
    r.click(600, 350);
    EXPECT_EQ(ed.langs.languageIndex, 1 - before);
    r.frame();
    EXPECT_NE(r.box(600, 346), row);

    ed.settings.exitEffect = 0;
    ASSERT_TRUE(playExitTransition(ed));
    const std::string config = r.rig.dir.read("KorvelD/korvel.cfg");
    EXPECT_NE(config.find("\r\nensounds" + std::to_string(ed.settings.enableSounds) + "\r\n"),
              std::string::npos);
    EXPECT_NE(config.find("\r\nlanguage" + std::to_string(1 - before) + "\r\n"), std::string::npos);
}

TEST(DialogPagesByMouse, RecordEditorSpinAndFlagBitReachTheSavedSprite) {
    KeysRig r;
    Editor& ed = *r.rig.ed;
    ASSERT_EQ(ed.map.spriteCount, 1);
    ed.map.spriteSelected[0] = 1;
    ed.map.selectedSpriteCount = 1;
    r.press({'E'});
    ASSERT_EQ(ed.app.currentPage, Page::RecordEditor);
    // PICNUM is the fifth row (rows 445..460): its spin handle at x 195..209, dragged up 10.
    r.mouse(200, 452, true);
    for (int32_t dy = 2; dy <= 10; dy += 2) r.mouse(200, 452 + dy, true);
    r.mouse(200, 462, false);
    // Bit 0 of CSTAT: the box at x 400..413, rows 512..525.
    r.click(406, 518);
    r.click(600, 187);  // Apply
    r.press({kCtrl, 'S'});
    const std::string bytes = r.rig.dir.read("maps/ROOM.MAP");
    const auto layout = parseMapFile(bytes);
    ASSERT_TRUE(layout && layout->spriteCount == 1);
    int16_t cstat = 0, picnum = 0;
    std::memcpy(&cstat, bytes.data() + layout->spriteOffset + 12, 2);
    std::memcpy(&picnum, bytes.data() + layout->spriteOffset + 14, 2);
    EXPECT_EQ(picnum, 17);
    EXPECT_EQ(cstat & 1, 1);
}

}  // namespace
}  // namespace korvel
