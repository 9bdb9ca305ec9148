// Demos end to end: scripted editing on the headless platform is recorded from the menu, the
// demo and its start map are copied into another program folder and played there from the file
// browser, from a fresh editor and from a dirty one, and every frame, the random state, the
// screenshot and the final map must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/Demo.h"
#include "app/EditorInit.h"
#include "app/FrameLoop.h"
#include "app/MapFileCommands.h"
#include "app/Particles.h"
#include "app/Startup.h"
#include "map/MapFile.h"
#include "platform/VirtualKeys.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"

namespace korvel {
namespace {

constexpr int kLeftButton = 1, kShift = 16, kCtrl = 17, kAlt = 18, kSpace = 32, kF2 = 113,
              kF12 = 123;
constexpr int32_t kExtrasMenu = 5, kStartRecordingItem = 858, kPlayDemoItem = 861,
                  kStatisticsItem = 838;

// What a frame showed: the presented picture and the random state after it.
struct FrameMark {
    uint64_t pictureHash;
    uint32_t randomState;
    bool operator==(const FrameMark&) const = default;
};

uint64_t pictureHash(const HeadlessPlatform& p) {
    uint64_t h = 1469598103934665603ull;
    for (uint8_t v : p.lastFrame()) h = (h ^ v) * 1099511628211ull;
    return h;
}

struct Session : test::EditorRig {
    Session() {
        // The demo's indicator reads "recording" in one run and "playing" in the other; with
        // both texts empty the two runs must show the same pictures.
        std::string lang = dir.read("KorvelD/lang000.dat");
        for (const char* line : {"1301 \"Recording frame &1\"", "1302 \"Playing frame &1 of &2\""}) {
            const size_t at = lang.find(line);
            EXPECT_NE(at, std::string::npos);
            if (at != std::string::npos) lang.replace(at, std::string(line).size(), std::string(line, 5) + "\"\"");
        }
        dir.write("KorvelD/lang000.dat", lang);
        EXPECT_TRUE(startup(*ed));
        ed->settings.autosaveDelay = 0;
        ed->settings.showFps = 0;
        ed->settings.showTime = 0;
        saveConfig(*ed);
    }
    std::vector<FrameMark> marks;
    // Frames are kept from the first one of a demo on.
    void frame() {
        if (ed->demo.demoStartPending) marks.clear();
        platform->advanceClock(16);
        runFrame(*ed);
        marks.push_back({pictureHash(*platform), ed->random.randomState});
    }
    void key(int vk, bool down) {
        platform->setKeyDown(vk, down);
        frame();
    }
    void tap(int vk) {
        key(vk, true);
        key(vk, false);
    }
    void type(const std::string& keys) {
        for (char c : keys) tap(c);
    }
    void chord(std::initializer_list<int> keys) {
        for (int k : keys) platform->setKeyDown(k, true);
        frame();
        for (int k : keys) platform->setKeyDown(k, false);
        frame();
    }
    void click() { tap(kLeftButton); }
    // The pointer put on a frame pixel (rows counted from the bottom, as the editor counts them)
    // and the left button pressed in the same frame: the screen shake moves the pointer by
    // itself from one frame to the next.
    void pressAt(int32_t x, int32_t y) {
        platform->setPointer(x, 599 - y);
        key(kLeftButton, true);
    }
    void clickAt(int32_t x, int32_t y) {
        pressAt(x, y);
        key(kLeftButton, false);
    }
    // The pointer on map point (x, y) of the plan view as a start leaves it: the origin on the
    // view's centre, 16 units a pixel.
    void pointAtMap(int32_t x, int32_t y) {
        platform->setPointer(400 + x / 16, 299 + y / 16);
        frame();
    }
    // Opens a pull-down menu by its title and clicks one of its items, as the user does.
    bool clickMenuItem(int32_t menu, int32_t code) {
        const Languages& langs = ed->langs;
        const TextPosition title =
            langs.languages[size_t(langs.currentLanguage)].positions[size_t(352 + menu)];
        clickAt(title.x + 2, 590);
        const MenuState& m = ed->menus;
        if (m.openMenu != menu) return false;
        const auto end = m.menuItems.begin() + m.menuItemCount;
        const auto item = std::find_if(m.menuItems.begin(), end, [&](const MenuItem& i) {
            return i.command == code && i.menu == menu;
        });
        if (item == end) return false;
        clickAt(m.menuBoxX + 20, m.menuBoxY + item->y + 4);
        return true;
    }
    // Opens the file browser on the demos from the menu (dropping the map's changes when asked)
    // and clicks the demo's row: a click selects it, the next press confirms it. With holdKeys
    // Shift goes down before that press and both stay held. What went wrong, or nothing.
    std::string chooseDemo(const std::string& name, bool holdKeys = false) {
        if (!clickMenuItem(kExtrasMenu, kPlayDemoItem)) return "no menu item";
        if (ed->app.currentPage == Page::MessageBox) {
            // The map holds changes: answered "no", not to save them, once the box stands.
            for (int i = 0; i < 20; ++i) frame();
            clickAt(400, 344);
        }
        const FileBrowserState& b = ed->pages.fileBrowser;
        if (ed->app.currentPage != Page::FileBrowser)
            return "page " + std::to_string(int(ed->app.currentPage));
        const auto end = b.browserFiles.begin() + b.browserFileCount;
        const auto at = std::find(b.browserFiles.begin(), end, name);
        if (at == end) return "not listed";
        const auto index = int32_t(at - b.browserFiles.begin());
        const int32_t y = 512 - 12 * (index - b.browserFileTop);
        // A row already selected in the focused list opens at the first press.
        if (b.browserFocus != 1 || b.browserFileCursor != index) clickAt(500, y);
        if (holdKeys) platform->setKeyDown(kShift, true);
        pressAt(500, y);
        if (!holdKeys) platform->setKeyDown(kLeftButton, false);
        return ed->demo.demoStartPending == 1 ? "" : "not started";
    }
};

// The room the recording starts from: (0, 0)-(2048, 2048), 128 pixels square on the view.
std::string startRoom() {
    auto map = std::make_unique<MapStore>();
    test::MapBuilder b(*map);
    b.addRoom(0, 0, 2048, 2048);
    return serializeMap(*map);
}

int32_t wallAt(const MapStore& m, int32_t x, int32_t y) {
    for (int32_t w = 0; w < m.wallCount; ++w)
        if (m.walls[size_t(w)].x == x && m.walls[size_t(w)].y == y) return w;
    return -1;
}

// The editing the demo records, frame after frame of live input, checked as it goes.
void scriptedEditing(Session& r) {
    const MapStore& m = r.ed->map;
    // A second room beside the first, its corners placed with Space, the last on the first.
    for (const auto& [x, y] :
         {std::pair{2560, 0}, {4096, 0}, {4096, 1536}, {2560, 1536}, {2560, 0}}) {
        r.pointAtMap(x, y);
        r.tap(kSpace);
    }
    EXPECT_EQ(m.sectorCount, 2) << "the drawn room is finished";
    // Its lotag typed into the value prompt.
    r.pointAtMap(3072, 512);
    r.tap('T');
    EXPECT_EQ(r.ed->prompt.promptKind, int32_t(ValuePromptKind::SectorLotag));
    r.type("42");
    r.tap(vk::Enter);
    EXPECT_EQ(m.sectors[1].lotag, 42);
    // A corner of the first room dragged with the mouse, then the drag undone.
    r.pointAtMap(2048, 2048);
    r.key(kLeftButton, true);
    r.pointAtMap(2048 + 256, 2048 + 256);
    r.pointAtMap(2048 + 512, 2048 + 256);
    r.key(kLeftButton, false);
    EXPECT_NE(wallAt(m, 2048 + 512, 2048 + 256), -1) << "the corner moved";
    r.chord({kCtrl, 'Z'});
    EXPECT_NE(wallAt(m, 2048, 2048), -1) << "and came back";
    // A sprite put in, picked and given a random angle.
    r.pointAtMap(1024, 1024);
    r.tap('S');
    EXPECT_EQ(m.spriteCount, 1);
    r.tap(kF2);
    r.click();
    EXPECT_EQ(m.selectedSpriteCount, 1);
    const int16_t angle = m.sprites[0].ang;
    r.chord({kCtrl, kAlt, 'H'});
    EXPECT_NE(m.sprites[0].ang, angle) << "a random angle";
    // The statistics page, a look and back.
    r.chord({kCtrl, kAlt, 'S'});
    EXPECT_EQ(r.ed->app.currentPage, Page::Statistics);
    for (int i = 0; i < 3; ++i) r.frame();
    r.tap(vk::Escape);
    EXPECT_EQ(r.ed->app.currentPage, Page::PlanView);
    // The shake word: random offsets every frame.
    r.type("QUAKING");
    EXPECT_EQ(r.ed->app.screenShakeEffect, 1);
    for (int i = 0; i < 6; ++i) r.frame();
    r.tap(kF12);
    r.type("QUAKING");
    r.pointAtMap(160, 160);
}

// The frames of the demo started last, up to the one it stops in.
std::vector<FrameMark> playToEnd(Session& r) {
    for (int i = 0; i < 4000 && (r.ed->demo.demoStartPending || r.ed->demo.demoFrameIndex != -1); ++i)
        r.frame();
    return r.marks;
}

std::vector<FrameMark> playFromBrowser(Session& r, const std::string& name) {
    if (const std::string fault = r.chooseDemo(name); !fault.empty()) {
        ADD_FAILURE() << "the file browser did not start " << name << ": " << fault;
        return {};
    }
    return playToEnd(r);
}

// The committed demo made by this test, and the hash of the map it must replay to.
std::string goldenFile(const std::string& name) {
    return std::string(KORVEL_SOURCE_DIR) + "/tests/app/golden/" + name;
}
std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
std::string hashText(const std::string& bytes) {
    uint64_t h = 1469598103934665603ull;
    for (char c : bytes) h = (h ^ uint8_t(c)) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

// The first frame whose picture or random state differs, or -1; -2 when the counts differ.
int32_t firstDifference(const std::vector<FrameMark>& a, const std::vector<FrameMark>& b) {
    if (a.size() != b.size()) return -2;
    for (size_t i = 0; i + 1 < a.size(); ++i)
        if (!(a[i] == b[i])) return int32_t(i);
    return -1;
}

TEST(DemoEndToEnd, ARecordedSessionReplaysFrameForFrameFromAnyEditorState) {
    Session rec;
    loadMap(*rec.ed, rec.dir.write("room.map", startRoom()), false);
    rec.frame();
    // A screenshot before the recording: the recording's own numbering starts again at 0000.
    rec.tap(kF12);
    ASSERT_TRUE(rec.clickMenuItem(kExtrasMenu, kStartRecordingItem));
    ASSERT_EQ(rec.ed->demo.demoRecording, 1);
    scriptedEditing(rec);
    // Ctrl+Alt+F1 ends the recording in the frame it is pressed.
    rec.platform->setKeyDown(kCtrl, true);
    rec.platform->setKeyDown(kAlt, true);
    rec.key(vk::F1, true);
    for (int k : {kCtrl, kAlt, int(vk::F1)}) rec.platform->setKeyDown(k, false);
    ASSERT_EQ(rec.ed->prompt.promptKind, int32_t(ValuePromptKind::DemoFileName));
    const std::vector<FrameMark> recorded = rec.marks;
    ASSERT_GT(recorded.size(), 65u) << "long enough for live keys to count";
    const std::string mapBytes = serializeMap(rec.ed->map);
    const std::string shot = rec.dir.read("KRVD0000.BMP");
    ASSERT_EQ(shot.size(), 481078u);
    EXPECT_FALSE(rec.dir.exists("KRVD0001.BMP")) << "the recording numbers from 0000 again";
    // The name typed over the proposed one.
    for (size_t i = rec.ed->prompt.promptInput.size(); i > 0; --i) rec.tap(vk::Backspace);
    rec.type("E2E");
    ASSERT_EQ(rec.ed->prompt.promptInput, "e2e");
    rec.tap(vk::Enter);
    ASSERT_TRUE(rec.dir.exists("e2e.kvd"));
    ASSERT_TRUE(rec.dir.exists("e2e.kvd.map"));

    if (std::getenv("KORVEL_REGENERATE_GOLDEN") != nullptr) {
        std::ofstream(goldenFile("demo-short.kvd"), std::ios::binary) << rec.dir.read("e2e.kvd");
        std::ofstream(goldenFile("demo-short.kvd.map"), std::ios::binary)
            << rec.dir.read("e2e.kvd.map");
        std::ofstream(goldenFile("demo-short.txt")) << hashText(mapBytes) << "\n";
    }

    Session play;
    play.dir.write("e2e.kvd", rec.dir.read("e2e.kvd"));
    play.dir.write("e2e.kvd.map", rec.dir.read("e2e.kvd.map"));
    play.frame();
    const std::vector<FrameMark> fresh = playFromBrowser(play, "e2e.kvd");
    EXPECT_EQ(firstDifference(recorded, fresh), -1);
    EXPECT_TRUE(serializeMap(play.ed->map) == mapBytes);
    EXPECT_TRUE(play.dir.read("KRVD0000.BMP") == shot);

    // Again, from an editor left in the middle of everything: the shake on and half a hidden
    // word typed, a drawing begun, the statistics page, sparks and the firework show.
    Editor& ed = *play.ed;
    // 'K' also switches the wall segment tool, and 'U' the subtraction tool: both undone.
    play.type("QUAKINGK");
    play.type("QUA");
    play.tap(vk::Escape);
    ASSERT_EQ(ed.app.screenShakeEffect, 1);
    ASSERT_EQ(ed.app.hiddenWord7Progress, 3);
    play.pointAtMap(-1024, -1024);
    play.tap(kSpace);
    play.pointAtMap(-512, -1024);
    play.tap(kSpace);
    ASSERT_EQ(ed.drawVertices.toolPointCount, 2);
    ASSERT_TRUE(play.clickMenuItem(kExtrasMenu, kStatisticsItem));
    ASSERT_EQ(ed.app.currentPage, Page::Statistics);
    // Sparks and the firework show, put in flight directly.
    for (int i = 0; i < 20; ++i) addParticle(ed.particles, ed.random, true, 300 + i, 300, i % 8);
    ed.particles.screenEffectFrame = 0;
    ASSERT_EQ(play.chooseDemo("e2e.kvd", true), "");
    // What the start left for the demo's first frame to clear.
    EXPECT_EQ(ed.drawVertices.toolPointCount, 2);
    EXPECT_GT(ed.particles.particleCount, 0);
    EXPECT_LT(ed.particles.screenEffectFrame, 200);
    EXPECT_EQ(ed.app.screenShakeEffect, 1);
    const std::vector<FrameMark> dirty = playToEnd(play);
    play.platform->setKeyDown(kShift, false);
    play.platform->setKeyDown(kLeftButton, false);
    EXPECT_EQ(firstDifference(recorded, dirty), -1);
    EXPECT_TRUE(serializeMap(play.ed->map) == mapBytes);
    EXPECT_TRUE(play.dir.read("KRVD0000.BMP") == shot);
    EXPECT_FALSE(play.dir.exists("KRVD0001.BMP")) << "each start numbers from 0000 again";
}

// The demo kept with the sources still replays to the map it made when it was recorded.
TEST(DemoEndToEnd, TheCommittedDemoStillReplaysToItsMap) {
    Session play;
    const std::string demo = readWhole(goldenFile("demo-short.kvd"));
    ASSERT_FALSE(demo.empty()) << "no committed demo";
    play.dir.write("short.kvd", demo);
    play.dir.write("short.kvd.map", readWhole(goldenFile("demo-short.kvd.map")));
    play.frame();
    playFromBrowser(play, "short.kvd");
    EXPECT_EQ(hashText(serializeMap(play.ed->map)) + "\n", readWhole(goldenFile("demo-short.txt")));
}

}  // namespace
}  // namespace korvel
