// The dialog pages through the headless platform's keys: whole frames of the loop, the results
// read off the presented frames.
#include <gtest/gtest.h>

#include <memory>
#include <string>

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
    return serializeMap(*map);
}

struct KeysRig {
    KeysRig() {
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

}  // namespace
}  // namespace korvel
