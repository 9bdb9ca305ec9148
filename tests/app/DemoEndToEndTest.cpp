// Demos end to end: scripted editing on the headless platform is recorded, the demo and its start
// map are copied into another program folder and played there, from a fresh editor and from a
// dirty one, and every frame, the random state, the screenshot and the final map must agree.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

#include "app/Demo.h"
#include "app/EditorInit.h"
#include "app/FrameLoop.h"
#include "app/MapFileCommands.h"
#include "app/Startup.h"
#include "commands/CommandTable.h"
#include "map/MapFile.h"
#include "platform/VirtualKeys.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"

namespace korvel {
namespace {

constexpr int kLeftButton = 1, kShift = 16, kCtrl = 17, kAlt = 18, kSpace = 32, kF12 = 123;

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
    void frame() {
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
    void type(const std::string& word) {
        for (char c : word) tap(c);
    }
    // The pointer (x, y) pixels from the centre of the view, y upwards.
    void pointAt(int32_t x, int32_t y) {
        platform->setPointer(400 + x, 299 - y);
        frame();
    }
};

// The editing the demo records, frame after frame of live input.
void scriptedEditing(Session& r) {
    // Corners placed with Space, the last on the first.
    for (const auto& [x, y] : {std::pair{150, 100}, {250, 100}, {250, 180}, {150, 180}, {150, 100}}) {
        r.pointAt(x, y);
        r.tap(kSpace);
    }
    // A corner dragged with the mouse.
    r.pointAt(100, 100);
    r.key(kLeftButton, true);
    r.pointAt(120, 110);
    r.pointAt(140, 120);
    r.key(kLeftButton, false);
    r.key(kCtrl, true);  // undo
    r.tap('Z');
    r.key(kCtrl, false);
    r.type("QUAKING");  // the shake word: random offsets every frame
    for (int i = 0; i < 6; ++i) r.frame();
    r.tap(kF12);
    r.type("QUAKING");
    r.pointAt(10, 10);
}

std::vector<FrameMark> playIn(Session& r, const std::string& demo) {
    r.marks.clear();
    EXPECT_TRUE(playDemo(*r.ed, demo));
    r.frame();  // the demo's first frame
    for (int i = 0; i < 2000 && r.ed->demo.demoFrameIndex != -1; ++i) r.frame();
    return r.marks;
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

// The first frame whose picture or random state differs, or -1.
int32_t firstDifference(const std::vector<FrameMark>& a, const std::vector<FrameMark>& b) {
    if (a.size() != b.size()) return -2;
    for (size_t i = 0; i + 1 < a.size(); ++i)
        if (!(a[i] == b[i])) return int32_t(i);
    return -1;
}

TEST(DemoEndToEnd, ARecordedSessionReplaysFrameForFrameFromAnyEditorState) {
    Session rec;
    {
        auto map = std::make_unique<MapStore>();
        test::MapBuilder b(*map);
        b.addRoom(0, 0, 256, 256);
        loadMap(*rec.ed, rec.dir.write("room.map", serializeMap(*map)), false);
    }
    rec.frame();
    commandRow(CommandId::StartRecording).run(*rec.ed);  // as the menu runs it
    ASSERT_EQ(rec.ed->demo.demoRecording, 1);
    rec.marks.clear();
    scriptedEditing(rec);
    // Ctrl+Alt+F1 ends the recording in the frame it is pressed.
    rec.platform->setKeyDown(kCtrl, true);
    rec.platform->setKeyDown(kAlt, true);
    rec.key(vk::F1, true);
    for (int k : {kCtrl, kAlt, int(vk::F1)}) rec.platform->setKeyDown(k, false);
    ASSERT_EQ(rec.ed->prompt.promptKind, int32_t(ValuePromptKind::DemoFileName));
    const std::vector<FrameMark> recorded = rec.marks;
    const std::string mapBytes = serializeMap(rec.ed->map);
    const std::string shot = rec.dir.read("KRVD0000.BMP");
    ASSERT_EQ(shot.size(), 481078u);
    rec.ed->prompt.promptInput = "e2e";
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
    const std::vector<FrameMark> fresh = playIn(play, play.dir.file("e2e.kvd"));
    EXPECT_EQ(firstDifference(recorded, fresh), -1);
    EXPECT_EQ(serializeMap(play.ed->map), mapBytes);
    EXPECT_TRUE(play.dir.read("KRVD0000.BMP") == shot);

    // Again, from an editor left in the middle of everything.
    Editor& ed = *play.ed;
    ed.app.currentPage = Page::Statistics;
    ed.tool.currentTool = Tool::DrawPolygon;
    ed.drawVertices.toolPointCount = 2;
    play.platform->setKeyDown(kShift, true);
    play.platform->setKeyDown(kLeftButton, true);
    play.frame();
    ed.particles.screenEffectFrame = 0;  // the firework show
    ed.app.screenShakeEffect = 1;
    ed.app.hiddenWord7Progress = 3;
    play.platform->setPointer(3, 5);
    const std::vector<FrameMark> dirty = playIn(play, play.dir.file("e2e.kvd"));
    play.platform->setKeyDown(kShift, false);
    play.platform->setKeyDown(kLeftButton, false);
    EXPECT_EQ(firstDifference(recorded, dirty), -1);
    EXPECT_EQ(serializeMap(play.ed->map), mapBytes);
    EXPECT_TRUE(play.dir.read("KRVD0000.BMP") == shot);
}

// The demo kept with the sources still replays to the map it made when it was recorded.
TEST(DemoEndToEnd, TheCommittedDemoStillReplaysToItsMap) {
    Session play;
    const std::string demo = readWhole(goldenFile("demo-short.kvd"));
    ASSERT_FALSE(demo.empty()) << "no committed demo";
    play.dir.write("short.kvd", demo);
    play.dir.write("short.kvd.map", readWhole(goldenFile("demo-short.kvd.map")));
    playIn(play, play.dir.file("short.kvd"));
    EXPECT_EQ(hashText(serializeMap(play.ed->map)) + "\n", readWhole(goldenFile("demo-short.txt")));
}

}  // namespace
}  // namespace korvel
