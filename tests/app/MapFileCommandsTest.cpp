#include "app/MapFileCommands.h"

#include <gtest/gtest.h>

#include <utime.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "app/Editor.h"
#include "base/FileReplace.h"
#include "map/MapFile.h"
#include "platform/HeadlessPlatform.h"
#include "platform/NativeFileSystem.h"
#include "support/LanguageFixture.h"
#include "support/MapBuilder.h"
#include "support/TempFolder.h"

namespace korvel::test {
namespace {

// The last rename of a save fails, as on a disk that fails between two steps.
class FailingRename : public NativeFileSystem {
public:
    bool moveFile(const std::string& from, const std::string& to) override {
        if (from.find(kNewFileSuffix) != std::string::npos &&
            to.find("TrashBin") == std::string::npos)
            return false;
        return NativeFileSystem::moveFile(from, to);
    }
};

// Writes fail (a full disk or a read-only program folder); everything else is the real thing.
class CountedFailingWrites : public NativeFileSystem {
public:
    int32_t* attempts;
    explicit CountedFailingWrites(int32_t* counter) : attempts(counter) {}
    bool createFile(const std::string&, const std::string&, std::optional<uint32_t>) override {
        ++*attempts;
        return false;
    }
};

class MapFileCommandsTest : public testing::Test {
protected:
    TempFolder tmp;
    HeadlessPlatform platform{tmp.path()};
    std::unique_ptr<Editor> editor = std::make_unique<Editor>();
    Editor& ed = *editor;

    MapFileCommandsTest() {
        ed.app.platform = &platform;
        ed.langs = languageWith({{252, "saved"},
                                 {314, "not loaded"},
                                 {315, "loaded v&1"},
                                 {325, "untitled"},
                                 {603, "autosaved &1"},
                                 {604, "save as:"},
                                 {1308, "Korvel - &1"},
                                 {1309, "save failed"},
                                 {kMsgSaveKeptNewFile, "kept in &1"},
                                 {kMsgMapCutShort, "&1 cut short"},
                                 {kMsgTooManySectors, "&1 too many sectors"}});
        MapBuilder b(ed.map);
        b.addRoom(0, 0, 100, 100);
        b.link();
    }

    std::string mapImage(int32_t startX, int32_t version = 7) {
        auto store = std::make_unique<MapStore>();
        MapBuilder b(*store);
        b.addRoom(0, 0, 64, 64);
        b.link();
        store->startX = startX;
        std::string image = serializeMap(*store);
        image[0] = char(version);
        return image;
    }
    void failWrites(int32_t* counter) {
        platform.setFileSystem(std::make_unique<CountedFailingWrites>(counter));
    }
    // Cues asked for, whether or not the test's data folder holds their files.
    std::vector<std::string> cues() const {
        std::vector<std::string> out = platform.playedSounds();
        out.insert(out.end(), platform.playedMissing().begin(), platform.playedMissing().end());
        return out;
    }
    bool played(const std::string& cue) const {
        const auto all = cues();
        return std::find(all.begin(), all.end(), cue + ".wav") != all.end();
    }
};

TEST_F(MapFileCommandsTest, LoadReportsVersionCaptionAndDamage) {
    const std::string sound = mapImage(5);
    struct Case {
        const char* what;
        std::string bytes;
        std::optional<MessageBoxKind> messageBox;
        std::string status;  // after loadMap and reportMapLoad
    } const cases[] = {
        {"sound version 7", sound, std::nullopt, "loaded v7"},
        {"version 9", mapImage(5, 9), MessageBoxKind::UnsupportedMapVersion, "loaded v9"},
        {"cut short", sound.substr(0, sound.size() - 10), std::nullopt, "a.map cut short"},
    };
    for (const Case& c : cases) {
        ed.app.pendingMessageBox.reset();
        ed.app.currentPage = Page::TileZoom;
        ed.app.statusText = "";
        const std::string path = tmp.write("maps/a.map", c.bytes);
        loadMap(ed, path, false);
        ASSERT_EQ(ed.mapFile.mapLoadFailed, 0) << c.what;
        EXPECT_EQ(ed.map.startX, 5) << c.what;
        EXPECT_EQ(ed.view.viewOriginX, -5.0f) << "the plan view opens on the start position";
        EXPECT_EQ(ed.app.pendingMessageBox, c.messageBox) << c.what;
        EXPECT_EQ(ed.app.currentPage, Page::PlanView) << c.what;
        EXPECT_EQ(platform.caption(), "Korvel - a.map") << c.what;
        EXPECT_EQ(ed.pages.fileBrowser.browserFolder, tmp.path() + "/maps/") << c.what;
        reportMapLoad(ed);
        EXPECT_EQ(ed.app.statusText, c.status) << c.what;
    }
    // The cut file says so on its own, before any caller reports.
    ed.app.statusText = "";
    loadMap(ed, tmp.write("b.map", sound.substr(0, 30)), false);
    EXPECT_EQ(ed.app.statusText, "b.map cut short");

    loadMap(ed, tmp.file("missing.map"), false);
    reportMapLoad(ed);
    EXPECT_EQ(ed.app.statusText, "not loaded");
    EXPECT_EQ(ed.mapFile.mapPath, tmp.file("b.map"));

    // A count past capacity refuses the file, and the report names the list, not just failure.
    std::string tooMany = sound;
    tooMany[20] = char(5000 & 0xFF), tooMany[21] = char(5000 >> 8);
    loadMap(ed, tmp.write("c.map", tooMany), false);
    reportMapLoad(ed);
    EXPECT_EQ(ed.app.statusText, "c.map too many sectors");
    EXPECT_EQ(ed.mapFile.mapLoadFailed, 1);
    EXPECT_EQ(ed.mapFile.mapPath, tmp.file("b.map"));
}

TEST_F(MapFileCommandsTest, SaveFromKeyCelebratesOnlyASaveThatHappened) {
    struct Case {
        const char* what;
        bool writesFail, renameFails;
    } const cases[] = {
        {"saved", false, false}, {"write failed", true, false}, {"rename failed", false, true}};
    for (const Case& c : cases) {
        int32_t attempts = 0;
        if (c.writesFail)
            failWrites(&attempts);
        else if (c.renameFails)
            platform.setFileSystem(std::make_unique<FailingRename>());
        else
            platform.setFileSystem(std::make_unique<NativeFileSystem>());
        tmp.write("mine.map", "old bytes");
        ed.mapFile.mapPath = tmp.file("mine.map");
        ed.mapFile.mapTitle = "mine.map";
        ed.map.mapModified = MapModifiedState::Modified;
        ed.particles.particleCount = 0;
        platform.setCaption("before");
        platform.clearPlayedSounds();

        saveMapFromKey(ed);
        if (c.writesFail || c.renameFails) {
            if (c.writesFail) {
                EXPECT_EQ(attempts, 1);
                EXPECT_EQ(ed.app.statusText, "save failed");
            } else {
                // The new version is complete beside the old file, and the user is told where.
                const std::string kept = tmp.file("mine.map") + kNewFileSuffix;
                EXPECT_EQ(ed.app.statusText, "kept in " + kept);
                EXPECT_EQ(tmp.read(std::string("mine.map") + kNewFileSuffix), serializeMap(ed.map));
            }
            EXPECT_EQ(ed.map.mapModified, MapModifiedState::Modified);
            EXPECT_EQ(ed.mapFile.mapPath, tmp.file("mine.map"));
            EXPECT_EQ(tmp.read("mine.map"), "old bytes");
            EXPECT_EQ(platform.caption(), "before");
            EXPECT_EQ(ed.particles.particleCount, 0);
            EXPECT_FALSE(played("pyro"));
            EXPECT_TRUE(played("beep2"));
        } else {
            EXPECT_EQ(ed.app.statusText, "saved");
            EXPECT_EQ(ed.map.mapModified, MapModifiedState::Unmodified);
            EXPECT_EQ(tmp.read("mine.map"), serializeMap(ed.map));
            EXPECT_EQ(tmp.read("TrashBin/mine.map"), "old bytes");
            EXPECT_EQ(platform.caption(), "Korvel - mine.map");
            EXPECT_EQ(ed.particles.particleCount, 256);
            for (int32_t i = 0; i < 256; ++i) {
                EXPECT_EQ(ed.particles.particles[size_t(i)].y, 4.0f);
                EXPECT_LT(ed.particles.particles[size_t(i)].x, 800.0f);
            }
            EXPECT_TRUE(played("pyro"));
            EXPECT_EQ(cues().size(), 1u);
        }
    }
}

TEST_F(MapFileCommandsTest, SaveFromKeyWithoutAFileAsksForAName) {
    ed.mapFile.mapTitle = "untitled";
    ed.map.mapModified = MapModifiedState::Unmodified;
    saveMapFromKey(ed);
    EXPECT_EQ(ed.prompt.promptKind, 0) << "an unmodified map is not saved";
    EXPECT_TRUE(cues().empty());

    ed.map.mapModified = MapModifiedState::Modified;
    ed.prompt.promptNegative = 1;
    saveMapFromKey(ed);
    EXPECT_EQ(ed.prompt.promptKind, int32_t(ValuePromptKind::MapFileName));
    EXPECT_EQ(ed.prompt.promptNegative, 0);
    EXPECT_EQ(ed.prompt.promptInput, "untitled");
    EXPECT_EQ(ed.prompt.promptText, "save as:");
    EXPECT_EQ(ed.particles.particleCount, 0);
    EXPECT_EQ(cues(), std::vector<std::string>{"command.wav"});
}

// The frame loop's part: an autosave when one is due, each frame.
void runFrames(Editor& ed, int32_t from, int32_t to, int32_t step, int32_t delay,
               bool changeEveryFrame) {
    for (int32_t t = from; t <= to; t += step) {
        ed.input.frameTime = t;
        if (changeEveryFrame) ed.map.mapModified = MapModifiedState::Modified;
        if (autoSaveDue(t, ed.mapFile.lastAutoSaveTime, delay, ed.map.mapModified,
                        ed.settings.maxAutosaves))
            autoSave(ed);
    }
}

TEST_F(MapFileCommandsTest, AutosaveWritesTheSlotsInTurnAndNamesEach) {
    ed.settings.maxAutosaves = 3;
    ed.mapFile.mapPath = "/my/map.map";
    ed.mapFile.mapTitle = "map.map";
    std::vector<std::string> statuses;
    for (int32_t minute = 0; minute < 4; ++minute) {
        runFrames(ed, minute * 61000 + 100, (minute + 1) * 61000, 100, 60, true);
        statuses.push_back(ed.app.statusText);
        EXPECT_EQ(ed.map.mapModified, MapModifiedState::Modified);
    }
    EXPECT_EQ(statuses,
              (std::vector<std::string>{"autosaved AUTO0000.MAP", "autosaved AUTO0001.MAP",
                                        "autosaved AUTO0002.MAP", "autosaved AUTO0000.MAP"}));
    for (const char* name : {"AUTO0000.MAP", "AUTO0001.MAP", "AUTO0002.MAP"})
        EXPECT_TRUE(tmp.exists(name)) << name;
    EXPECT_FALSE(tmp.exists("AUTO0003.MAP"));
    EXPECT_TRUE(tmp.exists("TrashBin/AUTO0000.MAP")) << "the first copy, overwritten";
    EXPECT_EQ(ed.mapFile.mapPath, "/my/map.map");
    EXPECT_EQ(ed.mapFile.recentFiles[0], "");

    // Nothing more until the map changes again.
    ed.map.mapModified = MapModifiedState::AutoSaved;
    ed.app.statusText = "";
    runFrames(ed, 250000, 500000, 100, 60, false);
    EXPECT_EQ(ed.app.statusText, "");
    EXPECT_EQ(ed.mapFile.nextAutoSaveNumber, 1);

    // While the value prompt is open the status line is left to it.
    ed.prompt.promptKind = int32_t(ValuePromptKind::MapFileName);
    ed.map.mapModified = MapModifiedState::Modified;
    runFrames(ed, 600000, 600000, 100, 60, false);
    EXPECT_EQ(ed.map.mapModified, MapModifiedState::AutoSaved);
    EXPECT_EQ(ed.app.statusText, "");
}

TEST_F(MapFileCommandsTest, AFailedAutosaveSaysSoKeepsTheChangeAndWaits) {
    int32_t attempts = 0;
    failWrites(&attempts);
    ed.settings.maxAutosaves = 3;
    ed.mapFile.nextAutoSaveNumber = 1;
    runFrames(ed, 100, 130000, 100, 60, true);  // 1300 frames over two minutes
    EXPECT_EQ(attempts, 2) << "once per interval, not every frame";
    EXPECT_EQ(ed.app.statusText, "save failed");
    EXPECT_EQ(ed.map.mapModified, MapModifiedState::Modified);
    EXPECT_EQ(ed.mapFile.nextAutoSaveNumber, 1) << "the next try uses the same file";
    EXPECT_EQ(ed.mapFile.lastAutoSaveTime, 120200);
}

TEST_F(MapFileCommandsTest, RestoreLoadsTheNewestAutosave) {
    const std::pair<int32_t, time_t> files[] = {{0, 1000}, {1, 3000}, {2, 2000}, {4, 9000}};
    for (const auto& [n, time] : files) {
        const std::string path = tmp.write(autoSaveFileName(n), mapImage(100 + n));
        const utimbuf times{time, time};
        ASSERT_EQ(::utime(path.c_str(), &times), 0);
    }
    ed.map.mapModified = MapModifiedState::Modified;
    loadLatestAutoSave(ed);
    EXPECT_EQ(ed.map.startX, 101);
    EXPECT_EQ(ed.mapFile.mapPath, tmp.path() + "/AUTO0001.MAP");
    EXPECT_EQ(ed.mapFile.recentFiles[0], ed.mapFile.mapPath);
    EXPECT_EQ(ed.map.mapModified, MapModifiedState::Unmodified);
    EXPECT_EQ(ed.app.statusText, "loaded v7");

    TempFolder empty;
    HeadlessPlatform bare(empty.path());
    ed.app.platform = &bare;
    ed.app.statusText = "unchanged";
    loadLatestAutoSave(ed);
    EXPECT_EQ(ed.app.statusText, "unchanged");
    EXPECT_EQ(ed.map.startX, 101);
}

TEST_F(MapFileCommandsTest, MergeWarnsOnlyAboutUnknownVersions) {
    for (int32_t version : {7, 8, 9}) {
        ed.app.pendingMessageBox.reset();
        ed.mapFile.mapLoadFailed = 1;
        insertMapFile(ed, tmp.write("m.map", mapImage(0, version)));
        EXPECT_EQ(ed.mapFile.mapLoadFailed, 0) << version;
        EXPECT_EQ(
            ed.app.pendingMessageBox,
            version == 9 ? std::optional(MessageBoxKind::UnsupportedMapVersion) : std::nullopt)
            << version;
    }
    EXPECT_EQ(ed.map.sectorCount, 4);
    EXPECT_EQ(ed.undo.snapshot().sectorCount, 3);
}

}  // namespace
TEST_F(MapFileCommandsTest, ANewMapIsSeenFromItsCentreAtTheFirstZoom) {
    ed.map.sectorCount = 1;
    ed.view.viewOriginX = 300;
    ed.view.viewOriginY = -20;
    ed.view.viewZoom = 3;
    resetMap(ed);
    EXPECT_EQ(ed.map.sectorCount, 0);
    EXPECT_EQ(ed.view.viewOriginX, 0);
    EXPECT_EQ(ed.view.viewOriginY, 0);
    EXPECT_EQ(ed.view.viewZoom, 16);
}

}  // namespace korvel::test
