// Demos: the file read and written byte for byte, hostile files refused before anything
// changes, the replay's key timing and its end, and the start map kept beside the demo.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/Demo.h"
#include "app/DemoFile.h"
#include "app/EditorInit.h"
#include "app/FrameLoop.h"
#include "app/MapFileCommands.h"
#include "app/Startup.h"
#include "base/MessageNumbers.h"
#include "commands/FileCommands.h"
#include "map/MapFile.h"
#include "pages/MessageBox.h"
#include "platform/NativeFileSystem.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"
#include "ui/Menus.h"

namespace korvel {
namespace {

// A demo made frame by frame: the header's settings from s, the given seed.
struct DemoBuilder {
    DemoFileData d;
    explicit DemoBuilder(const Settings& s = {}, uint32_t seed = 77) {
        storeDemoSettings(d.header, seed, s);
    }
    DemoBuilder& frame(int32_t time, std::vector<uint8_t> keys = {}, int16_t x = 400,
                       int16_t y = 300) {
        DemoFrame f;
        f.x = x;
        f.y = y;
        f.time = time;
        f.prevKeyCount = d.frames.empty() ? 0 : d.frames.back().keyCount;
        f.keyCount = int16_t(keys.size());
        d.frames.push_back(f);
        d.keys.insert(d.keys.end(), keys.begin(), keys.end());
        return *this;
    }
    std::string bytes() const { return serializeDemoFile(d); }
};

void put32(std::string& b, size_t at, int32_t v) {
    for (size_t i = 0; i < 4; ++i) b[at + i] = char((uint32_t(v) >> (8 * i)) & 0xFF);
}
void put16(std::string& b, size_t at, int16_t v) {
    b[at] = char(uint16_t(v) & 0xFF);
    b[at + 1] = char(uint16_t(v) >> 8);
}

TEST(DemoFile, WrittenAndReadBackGivesTheSameHeaderFramesAndKeys) {
    Settings s;
    s.repeatStart = 123;
    DemoBuilder b(s, 0xDEADBEEF);
    b.d.languageName = "English";
    b.d.extras = DemoExtras{1, 2, 1};
    b.frame(0, {1, 65}, -32768, 32767).frame(16, {}, -1, 0).frame(33, {65}, 799, 599);
    const std::string bytes = b.bytes();
    EXPECT_EQ(bytes.size(), 92u + 7 + 12 * 3 + 3 + 7);
    const auto back = parseDemoFile(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(readInt32(back->header, kDemoFrameCountAt), 3);
    EXPECT_EQ(readInt32(back->header, kDemoKeyCountAt), 3);
    EXPECT_EQ(readInt32(back->header, kDemoNameLengthAt), 7);
    DemoHeader expected = b.d.header;
    writeInt32(expected, kDemoFrameCountAt, 3);
    writeInt32(expected, kDemoKeyCountAt, 3);
    writeInt32(expected, kDemoNameLengthAt, 7);
    EXPECT_EQ(back->header, expected);
    EXPECT_EQ(back->languageName, "English");
    EXPECT_EQ(back->keys, (std::vector<uint8_t>{1, 65, 65}));
    ASSERT_EQ(back->frames.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const DemoFrame &a = back->frames[i], &e = b.d.frames[i];
        EXPECT_EQ(a.x, e.x);
        EXPECT_EQ(a.y, e.y);
        EXPECT_EQ(a.time, e.time);
        EXPECT_EQ(a.prevKeyCount, e.prevKeyCount);
        EXPECT_EQ(a.keyCount, e.keyCount);
    }
    ASSERT_TRUE(back->extras);
    EXPECT_EQ(back->extras->sparkMode, 2);
    // Without the trailer the file still reads; the three settings then stay as they are.
    b.d.extras.reset();
    const auto plain = parseDemoFile(b.bytes());
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->extras);
}

// Every field of a hand-built file gets its own value; they reach their settings.
TEST(DemoFile, EveryHeaderFieldReachesItsSetting) {
    std::string b(92, '\0');
    put32(b, 0, 1);
    put32(b, 4, 0);
    put32(b, 8, -2);  // the seed
    for (size_t at = 12; at <= 34; ++at) b[at] = char(at + 100);
    b[20] = char(0xF0);  // "affgmode": its low byte only, zero-extended
    b[35] = char(0x5A);  // padding, ignored
    for (size_t at = 36; at <= 84; at += 4) put32(b, at, -int32_t(at) * 1000);
    put32(b, 88, 0);
    std::string frame(12, '\0');
    put16(frame, 0, int16_t(-1));
    put16(frame, 2, int16_t(-32768));
    put32(frame, 4, 99);
    b += frame;
    const auto d = parseDemoFile(b);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->frames[0].x, -1);
    EXPECT_EQ(d->frames[0].y, -32768);
    EXPECT_EQ(d->frames[0].time, 99);

    Settings s;
    EXPECT_EQ(applyDemoSettings(d->header, s), 0xFFFFFFFEu);
    const struct {
        size_t at;
        uint8_t Settings::*field;
    } bytes[] = {
        {12, &Settings::twoColorBlend},    {13, &Settings::sectorsFull},
        {14, &Settings::sectorHighlight},  {15, &Settings::showGrid},
        {16, &Settings::showSprites},      {17, &Settings::showVertices},
        {18, &Settings::showWalls},        {19, &Settings::ceilingView},
        {21, &Settings::autoGrid},         {22, &Settings::autoTextureMove},
        {23, &Settings::autoWallSquare},   {24, &Settings::realtimeUpdate},
        {25, &Settings::regionSelectMode}, {26, &Settings::smallImages},
        {27, &Settings::snapToGrid},       {28, &Settings::spritesFull},
        {29, &Settings::spriteNumbers},    {30, &Settings::spriteOffsets},
        {31, &Settings::spriteOrientation}, {32, &Settings::spriteTags},
        {33, &Settings::wallVectors},      {34, &Settings::zRangeMode},
    };
    for (const auto& f : bytes) EXPECT_EQ(s.*f.field, uint8_t(f.at + 100)) << "byte " << f.at;
    EXPECT_EQ(s.affineGridMode, 240);
    const struct {
        size_t at;
        int32_t Settings::*field;
    } words[] = {
        {36, &Settings::zRangeLow},    {40, &Settings::zRangeHigh},
        {44, &Settings::zRangeOffset}, {48, &Settings::gridSpacing},
        {52, &Settings::affineGridXx}, {56, &Settings::affineGridXy},
        {60, &Settings::affineGridX1}, {64, &Settings::affineGridYx},
        {68, &Settings::affineGridYy}, {72, &Settings::affineGridY1},
        {76, &Settings::repeatDelay},  {80, &Settings::repeatStart},
        {84, &Settings::vertexSnapDistance},
    };
    for (const auto& f : words) EXPECT_EQ(s.*f.field, -int32_t(f.at) * 1000) << "word " << f.at;

    // Stored back, the same bytes come out, with the padding written as 0.
    DemoHeader h{};
    storeDemoSettings(h, 0xFFFFFFFEu, s);
    for (size_t at = 8; at < 88; ++at)
        EXPECT_EQ(h[at], at == 35 ? 0 : uint8_t(b[at])) << "byte " << at;
}

TEST(DemoFile, DamagedFilesAreRefused) {
    DemoBuilder good;
    good.d.languageName = "En";
    good.frame(0, {65}).frame(10, {65, 66});
    const std::string base = good.bytes();  // frames at 94, keys at 118
    ASSERT_TRUE(parseDemoFile(base));
    struct Case {
        const char* name;
        std::string bytes;
    };
    auto with32 = [&](size_t at, int32_t v) {
        std::string b = base;
        put32(b, at, v);
        return b;
    };
    auto with16 = [&](size_t at, int16_t v) {
        std::string b = base;
        put16(b, at, v);
        return b;
    };
    const Case cases[] = {
        {"shorter than the header", base.substr(0, 91)},
        {"no frames", with32(0, 0)},
        {"a negative frame count", with32(0, -1)},
        {"a negative key count", with32(4, -1)},
        {"a negative name length", with32(88, -1)},
        {"a name past the end", with32(88, 0x7FFFFFFF)},
        {"frames past the end (wraps in 32 bits)", with32(0, 0x15555556)},
        {"keys past the end", with32(4, 4)},
        {"cut inside the keys", base.substr(0, base.size() - 1)},
        {"a frame's negative key count", with16(94 + 12 + 10, -1)},
        {"a frame's previous count that does not chain", with16(94 + 12 + 8, 2)},
        {"frame 0 with a previous count", with16(94 + 8, 1)},
        {"key counts not adding up", [&] {
             std::string b = with32(4, 2);
             return b.substr(0, b.size() - 1);
         }()},
    };
    for (const Case& c : cases) EXPECT_FALSE(parseDemoFile(c.bytes)) << c.name;
}

// An editor with its data folder, started up, on a one-room map that is saved.
struct DemoRig : test::EditorRig {
    DemoRig() {
        EXPECT_TRUE(startup(*ed));
        ed->settings.autosaveDelay = 0;
        ed->settings.showFps = 0;
        ed->settings.showTime = 0;
        saveConfig(*ed);
        auto map = std::make_unique<MapStore>();
        test::MapBuilder b(*map);
        b.addRoom(0, 0, 256, 256);
        loadMap(*ed, dir.write("room.map", serializeMap(*map)), false);
    }
    std::string message(int32_t n, const std::string& a = "") const {
        return getMessage(n, ed->langs, a);
    }
};

TEST(Demo, ADamagedFileChangesNothing) {
    DemoRig r;
    Editor& ed = *r.ed;
    const std::string path = r.dir.write("bad.kvd", std::string(91, '\0'));
    ed.settings.repeatStart = 321;
    EXPECT_FALSE(playDemo(ed, path));
    EXPECT_EQ(ed.app.statusText, r.message(kMsgFileNotUsed, "bad.kvd"));
    EXPECT_EQ(ed.map.sectorCount, 1);
    EXPECT_EQ(ed.settings.repeatStart, 321);
    EXPECT_EQ(ed.demo.demoStartPending, 0);
    EXPECT_EQ(ed.demo.demoFrameIndex, -1);
    EXPECT_FALSE(playDemo(ed, r.dir.file("missing.kvd")));
}

// Presses and repeats come back at the recorded times, under the demo's repeat settings; live
// keys stop the replay only from frame 65 on and never the modifiers; the user's settings come
// back at the end while the map and the page stay.
TEST(Demo, ReplayTimesKeysByTheDemoAndEndsAsDocumented) {
    DemoRig r;
    Editor& ed = *r.ed;
    Settings recorded = ed.settings;
    recorded.repeatStart = 100;
    recorded.repeatDelay = 30;
    recorded.gridSpacing = 64;
    constexpr uint8_t K = 75;
    DemoBuilder b(recorded, 4242);
    for (int32_t i = 0; i < 100; ++i)
        b.frame(i * 10, i == 1 || i == 20 ? std::vector<uint8_t>{K} : std::vector<uint8_t>{});
    const std::string path = r.dir.write("keys.kvd", b.bytes());
    const Settings user = ed.settings;
    ed.settings.textureGamma = 1234;  // a setting outside the header, saved in the file
    saveConfig(ed);
    const Settings before = ed.settings;

    struct Run {
        const char* name;
        bool liveKeys;
        int32_t stopsAt;  // the frame whose replay ends the demo
    };
    for (const Run& run : {Run{"to the end", false, 99}, Run{"stopped by Alt", true, 70}}) {
        SCOPED_TRACE(run.name);
        ASSERT_TRUE(playDemo(ed, path));
        EXPECT_EQ(ed.settings.repeatStart, 100);
        EXPECT_EQ(ed.settings.gridSpacing, 64);
        EXPECT_EQ(ed.demo.demoSeed, 4242u);
        startDemoFrame(ed);
        std::vector<int32_t> presses;
        int32_t stoppedAt = -1;
        for (int32_t i = 0; i < 100 && stoppedAt < 0; ++i) {
            if (run.liveKeys) {
                r.platform->setKeyDown('B', i >= 10 && i < 20);  // before frame 65: ignored
                r.platform->setKeyDown(16, i >= 30);             // Shift: never stops it
                r.platform->setKeyDown(1, i >= 40);              // a mouse button neither
                r.platform->setKeyDown(18, i >= 70);
            }
            if (i == 50) ed.app.currentPage = Page::Statistics;
            replayDemoFrame(ed);
            if (ed.input.keyPressed[K]) presses.push_back(i);
            if (ed.demo.demoFrameIndex < 0) stoppedAt = i;
        }
        for (int vk : {int('B'), 16, 1, 18}) r.platform->setKeyDown(vk, false);
        EXPECT_EQ(stoppedAt, run.stopsAt);
        EXPECT_EQ(presses, (std::vector<int32_t>{1, 11, 14, 17}));
        EXPECT_EQ(ed.settings.repeatStart, before.repeatStart);
        EXPECT_EQ(ed.settings.gridSpacing, before.gridSpacing);
        EXPECT_EQ(ed.settings.textureGamma, 1234);
        EXPECT_EQ(ed.langs.languageIndex, 0);
        EXPECT_EQ(ed.app.currentPage, Page::Statistics);
        EXPECT_EQ(ed.app.redrawRequest, 2);
    }
    (void)user;
}

// A demo's start map is never the map's own file, so Ctrl+S cannot overwrite it.
TEST(Demo, TheStartMapStaysUnnamedAndKeepsNoRecentEntry) {
    DemoRig r;
    Editor& ed = *r.ed;
    const auto recentBefore = ed.mapFile.recentFiles;
    startDemoRecording(ed);
    EXPECT_TRUE(r.dir.exists("_demotmp.map"));
    EXPECT_EQ(ed.map.sectorCount, 1);
    EXPECT_EQ(ed.mapFile.mapPath, "");
    EXPECT_EQ(ed.mapFile.mapTitle, r.message(kMsgUntitled));
    EXPECT_EQ(ed.mapFile.recentFiles, recentBefore);
    EXPECT_EQ(ed.demo.demoRecording, 1);
    EXPECT_EQ(ed.demo.demoStartPending, 1);

    // A stop in the frame of the start cancels: nothing to name, nothing pending.
    stopRecordingCommand(ed);
    EXPECT_EQ(ed.demo.demoRecording, 0);
    EXPECT_EQ(ed.demo.demoStartPending, 0);
    EXPECT_EQ(ed.demo.demoFrameIndex, -1);
    EXPECT_EQ(ed.prompt.promptKind, 0);
    r.frame();
    EXPECT_EQ(ed.demo.demoFrameIndex, -1) << "no empty demo replays";
}

// Fails every new file whose name holds the given text.
class RefusingFileSystem : public NativeFileSystem {
public:
    explicit RefusingFileSystem(std::string refused) : refused_(std::move(refused)) {}
    bool createFile(const std::string& path, const std::string& bytes,
                    std::optional<uint32_t> mode) override {
        if (path.find(refused_) != std::string::npos) return false;
        return NativeFileSystem::createFile(path, bytes, mode);
    }
    bool writeAtomic(const std::string& path, const std::string& bytes) override {
        if (path.find(refused_) != std::string::npos) return false;
        return NativeFileSystem::writeAtomic(path, bytes);
    }

private:
    std::string refused_;
};

TEST(Demo, ARecordingWhoseStartMapCannotBeWrittenDoesNotStart) {
    DemoRig r;
    Editor& ed = *r.ed;
    r.platform->setFileSystem(std::make_unique<RefusingFileSystem>("_demotmp"));
    ed.map.mapModified = MapModifiedState::Modified;
    startDemoRecording(ed);
    EXPECT_EQ(ed.demo.demoRecording, 0);
    EXPECT_EQ(ed.demo.demoStartPending, 0);
    EXPECT_EQ(ed.map.sectorCount, 1) << "the map is kept";
    EXPECT_EQ(ed.map.mapModified, MapModifiedState::Modified);
    EXPECT_EQ(ed.app.statusText,
              r.message(kMsgDemoStartMapNotWritten, r.dir.file("_demotmp.map")));
}

// Records a few frames and stops; the name prompt is then open.
void recordAndStop(DemoRig& r) {
    startDemoRecording(*r.ed);
    for (int i = 0; i < 5; ++i) {
        r.platform->setKeyDown('M', i == 2);
        r.frame();
    }
    stopRecordingCommand(*r.ed);
    ASSERT_EQ(r.ed->prompt.promptKind, int32_t(ValuePromptKind::DemoFileName));
}

// Types Enter on the name prompt with the given name.
void confirmName(DemoRig& r, const std::string& name) {
    r.ed->prompt.promptInput = name;
    r.platform->setKeyDown(13, true);
    r.frame();
    r.platform->setKeyDown(13, false);
    r.frame();
}

TEST(Demo, SavingPlacesTheStartMapBesideTheDemoAndTrashesAnOlderOne) {
    DemoRig r;
    Editor& ed = *r.ed;
    recordAndStop(r);
    confirmName(r, "tour");
    EXPECT_EQ(ed.app.statusText, r.message(kMsgDemoSaved));
    ASSERT_TRUE(r.dir.exists("tour.kvd"));
    EXPECT_TRUE(r.dir.exists("tour.kvd.map"));
    EXPECT_FALSE(r.dir.exists("_demotmp.map"));
    const auto written = parseDemoFile(r.dir.read("tour.kvd"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->frames.size(), 5u);
    EXPECT_EQ(written->keys, (std::vector<uint8_t>{'M', 'M'}));
    const std::string firstStart = r.dir.read("tour.kvd.map");

    // A name typed with the extension in capitals gets no second one.
    recordAndStop(r);
    confirmName(r, "tour.KVD");
    EXPECT_TRUE(r.dir.exists("tour.KVD"));
    EXPECT_FALSE(r.dir.exists("tour.KVD.kvd"));

    // Over the first demo, after the question: its companion goes to the trash.
    ed.map.sectors[0].floorz = 4096;
    ed.map.mapModified = MapModifiedState::Modified;
    saveMap(ed, r.dir.file("room.map"), false);
    recordAndStop(r);
    confirmName(r, "tour");
    ASSERT_EQ(ed.app.currentPage, Page::MessageBox);
    answerMessageBox(ed, MessageBoxResult::First);
    EXPECT_EQ(ed.app.statusText, r.message(kMsgDemoSaved));
    EXPECT_EQ(r.dir.read("TrashBin/tour.kvd.map"), firstStart);
    EXPECT_NE(r.dir.read("tour.kvd.map"), firstStart);
    EXPECT_FALSE(r.dir.exists("_demotmp.map"));

    // A name leading out of the program folder is refused.
    recordAndStop(r);
    confirmName(r, "../away");
    EXPECT_EQ(ed.app.statusText, r.message(kMsgDemoNameRefused, "../away"));
    EXPECT_FALSE(r.dir.exists("../away.kvd"));
}

TEST(Demo, ARecordingFromAnEmptyMapHasNoCompanionAndPlaysFromAnEmptyMap) {
    DemoRig r;
    Editor& ed = *r.ed;
    resetMap(ed);
    ed.map.mapModified = MapModifiedState::Unmodified;
    r.dir.write("_demotmp.map", "stale start map of a recording never saved");
    recordAndStop(r);
    EXPECT_EQ(ed.map.sectorCount, 0) << "not the stale map";
    EXPECT_EQ(r.dir.read("TrashBin/_demotmp.map"), "stale start map of a recording never saved");
    confirmName(r, "empty");
    EXPECT_TRUE(r.dir.exists("empty.kvd"));
    EXPECT_FALSE(r.dir.exists("empty.kvd.map"));

    loadMap(ed, r.dir.file("room.map"), false);
    ASSERT_TRUE(playDemo(ed, r.dir.file("empty.kvd")));
    EXPECT_EQ(ed.map.sectorCount, 0);
}

TEST(Demo, AFailedWriteIsReportedWithoutTheBurst) {
    DemoRig r;
    Editor& ed = *r.ed;
    recordAndStop(r);
    r.platform->setFileSystem(std::make_unique<RefusingFileSystem>("tour"));
    confirmName(r, "tour");
    EXPECT_EQ(ed.app.statusText, r.message(kMsgDemoNotSaved, r.dir.file("tour.kvd")));
    EXPECT_EQ(ed.particles.particleCount, 0);
    EXPECT_FALSE(r.dir.exists("tour.kvd"));
    EXPECT_TRUE(r.dir.exists("_demotmp.map")) << "kept for another try";
}

// The menu asks before a demo replaces a modified map, and offers nothing of the demo commands
// but the playback's own end while a demo plays.
TEST(Demo, MenuCommandsAskFirstAndRestDuringPlayback) {
    DemoRig r;
    Editor& ed = *r.ed;
    ed.map.mapModified = MapModifiedState::Modified;
    playDemoCommand(ed);
    ASSERT_EQ(ed.app.currentPage, Page::MessageBox);
    EXPECT_EQ(ed.pages.messageBox.messageBoxKind, MessageBoxKind::SaveBeforePlayDemo);
    EXPECT_EQ(messageBoxButtons(MessageBoxKind::SaveBeforePlayDemo), 3);
    EXPECT_EQ(messageBoxMessage(MessageBoxKind::SaveBeforePlayDemo), kMsgSaveChanges);
    ed.app.hoveredWidget = MessageBoxResult::Second;  // as the dispatcher hands the answer over
    answerMessageBox(ed, MessageBoxResult::Second);
    EXPECT_EQ(ed.app.currentPage, Page::FileBrowser);
    EXPECT_EQ(ed.pages.fileBrowser.browserPurpose, FileBrowserPurpose::PlayDemo);

    EXPECT_TRUE(canStartDemo(ed));
    ed.demo.demoFrameIndex = 3;  // playing
    EXPECT_FALSE(canStartDemo(ed));
    EXPECT_FALSE(recordingRuns(ed));
    ed.demo.demoRecording = 1;
    EXPECT_TRUE(recordingRuns(ed));
    cancelRecordingCommand(ed);
    EXPECT_EQ(ed.demo.demoRecording, 0);
    EXPECT_EQ(ed.demo.demoFrameIndex, -1);
}

// The Extras menu left open as a demo ends offers the rows that fit now: one can start a new
// recording or playback at once, and the rows of the ended one are off.
TEST(Demo, AnOpenMenuShowsTheDemoRowsAgainWhenADemoEnds) {
    DemoRig r;
    Editor& ed = *r.ed;
    DemoBuilder b(ed.settings, 1);
    for (int32_t i = 0; i < 3; ++i) b.frame(i * 16, {});
    const std::string path = r.dir.write("short.kvd", b.bytes());
    struct Case {
        const char* name;
        std::function<void()> start, end;
    };
    const Case cases[] = {
        {"playback", [&] { ASSERT_TRUE(playDemo(ed, path)); }, [&] { stopDemoPlayback(ed); }},
        {"recording", [&] { startDemoRecording(ed); }, [&] { stopDemoRecording(ed); }},
        {"recording cancelled", [&] { startDemoRecording(ed); }, [&] { cancelDemoRecording(ed); }},
    };
    const auto enabled = [&](int32_t code) {
        return ed.menus.menuItemEnabled[size_t(code - kFirstMenuItemCode)] != 0;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.start();
        r.frame();
        r.frame();
        ed.menus.openMenu = 5;
        drawOpenMenu(ed);
        ASSERT_FALSE(enabled(861));
        c.end();
        EXPECT_EQ(ed.demo.demoFrameIndex, -1);
        EXPECT_TRUE(enabled(858));
        EXPECT_TRUE(enabled(861));
        EXPECT_FALSE(enabled(859));
        EXPECT_FALSE(enabled(860));
        ed.prompt.promptKind = 0;
        ed.menus.openMenu = 0;
    }
}

// While a demo plays, the settings on disk stay the user's and no autosave pushes the user's
// own autosaves out of their slots.
TEST(Demo, PlaybackWritesTheUsersSettingsAndNoAutosave) {
    DemoRig r;
    Editor& ed = *r.ed;
    Settings recorded = ed.settings;
    recorded.repeatStart = 111;
    DemoBuilder b(recorded);
    for (int32_t i = 0; i < 80; ++i) b.frame(i * 1000);
    ASSERT_TRUE(playDemo(ed, r.dir.write("slow.kvd", b.bytes())));
    ed.settings.autosaveDelay = 1;
    ed.settings.maxAutosaves = 5;
    for (int i = 0; i < 10; ++i) {
        ed.map.mapModified = MapModifiedState::Modified;
        r.frame();
    }
    EXPECT_EQ(ed.demo.demoFrameIndex, 10) << "still playing";
    EXPECT_FALSE(r.dir.exists("AUTO0000.MAP"));
    ASSERT_TRUE(saveConfig(ed));
    const std::string cfg = r.dir.read("KorvelD/korvel.cfg");
    EXPECT_NE(cfg.find("repstart400"), std::string::npos);
    EXPECT_EQ(cfg.find("repstart111"), std::string::npos);
}

// Recorded pointer positions are any 16-bit values; whole frames replay them with buttons going
// down and up there, on the map and on the panels.
TEST(Demo, PointerPositionsAnywhereInSixteenBitsReplay) {
    DemoRig r;
    Editor& ed = *r.ed;
    const int16_t values[] = {-32768, -1, 0, 1, 598, 599, 600, 799, 800, 32767};
    DemoBuilder b;
    int32_t t = 0;
    for (int16_t x : values)
        for (int16_t y : {int16_t(-32768), int16_t(300), int16_t(599), int16_t(32767)}) {
            b.frame(t += 16, {1}, x, y);
            b.frame(t += 16, {1}, x, y);
        }
    ASSERT_TRUE(playDemo(ed, r.dir.write("edges.kvd", b.bytes())));
    for (int i = 0; i < 100 && (ed.demo.demoFrameIndex >= 0 || ed.demo.demoStartPending); ++i)
        r.frame();
    EXPECT_EQ(ed.demo.demoFrameIndex, -1) << "played to its end";
}

}  // namespace
}  // namespace korvel
