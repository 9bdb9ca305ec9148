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
#include "support/EditorRig.h"
#include "support/MapBuilder.h"

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
