// A recording of what the editor shows and writes while a scripted user works on a set of maps,
// compared line by line with the recording kept in golden/, so that a change meant to leave the
// program's behaviour alone can show that it does.
// KORVEL_REGENERATE_GOLDEN=1 bin/tests_app --gtest_filter='BehaviourRecord.*' rewrites golden/.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/FrameLoop.h"
#include "app/MapFileCommands.h"
#include "pages/MessageBox.h"
#include "app/Startup.h"
#include "base/MessageNumbers.h"
#include "map/MapFile.h"
#include "support/EditorRig.h"
#include "support/GridMaps.h"
#include "support/MapBuilder.h"
#include "support/RandomMaps.h"
#include "support/SyntheticGameFiles.h"

namespace korvel {
namespace {

using test::EditorRig;
using test::MapBuilder;
using Lines = std::vector<std::string>;

// Virtual keys and buttons the script holds down.
constexpr int kRightButton = 2, kUp = 38, kRight = 39, kZoomIn = 'A', kZoomOut = 'Z';
// Longer than the default autosave delay of five minutes.
constexpr uint32_t kPastAutosaveDelay = 301000;
// The box grows for 16 frames before its text and buttons show.
constexpr int kMessageBoxOpening = 17;

uint64_t fnv1a(const void* data, size_t size, uint64_t h = 0xcbf29ce484222325ull) {
    const auto* p = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) h = (h ^ p[i]) * 0x100000001b3ull;
    return h;
}

std::string hex(uint64_t h) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

// The presented frame and the palette it was shown with.
uint64_t frameHash(const HeadlessPlatform& p) {
    uint64_t h = fnv1a(p.lastFrame().data(), p.lastFrame().size());
    for (const Rgb& c : p.lastPalette()) {
        const uint8_t rgb[3] = {c.r, c.g, c.b};
        h = fnv1a(rgb, 3, h);
    }
    return h;
}

// Moves every wall and sprite of a map by (dx, dy).
void shift(MapStore& map, int32_t dx, int32_t dy) {
    for (int32_t i = 0; i < map.wallCount; ++i) map.walls[i].x += dx, map.walls[i].y += dy;
    for (int32_t i = 0; i < map.spriteCount; ++i) map.sprites[i].x += dx, map.sprites[i].y += dy;
}

// One room of eight walls with four sprites at (x, y), the piece the user merges into each map.
std::string mergePiece(int32_t x, int32_t y) {
    auto piece = std::make_unique<MapStore>();
    test::buildSplitRoomGrid(*piece, 1, 1, 4);
    shift(*piece, x, y);
    return serializeMap(*piece);
}

struct MapCase {
    std::string name;
    std::function<void(MapStore&)> build;
    IntPoint piece;          // where the merged room lies
    int64_t savedBytes = 0;  // the saved file's length, checked when given
};

// Loose tiles (one of them animated) and an archive holding the game palette, beside the
// program.
void writeGameFiles(const TempFolder& dir) {
    const int32_t forward = 128, twoFrames = 1, speed = 4 << 24;
    dir.write("tiles000.art",
              test::makeArtFile(
                  0, {{32, 32, forward | twoFrames | speed}, {64, 16}, {8, 128}, {48, 48}}));
    std::array<test::Rgb, 256> sixBit;
    for (size_t k = 0; k < 256; ++k)
        sixBit[k] = {uint8_t(k % 64), uint8_t((k * 3) % 64), uint8_t(63 - k % 64)};
    dir.write("DUKE3D.GRP", test::makeGroupFile({{"PALETTE.DAT", test::makePaletteDat(sixBit)}}));
}

// One scripted session: the map opened from the command line, frames of the loop while the
// user looks around, merges a room, waits past the autosave delay, closes the window and
// cancels, then closes it again and saves.
class Session {
public:
    Session(const MapCase& c, bool gameFiles, Lines& out)
        : name_(c.name), savedBytes_(c.savedBytes), out_(out) {
        auto map = std::make_unique<MapStore>();
        c.build(*map);
        mapPath_ = rig_.dir.write(name_ + ".MAP", serializeMap(*map));
        piecePath_ = rig_.dir.write("piece.map", mergePiece(c.piece.x, c.piece.y));
        if (gameFiles) writeGameFiles(rig_.dir);
        rig_.platform = std::make_unique<HeadlessPlatform>(rig_.dir.path(), "\"" + mapPath_ + "\"");
        rig_.ed->app.platform = rig_.platform.get();
    }

    void run() {
        Editor& ed = *rig_.ed;
        HeadlessPlatform& p = *rig_.platform;
        ASSERT_TRUE(startup(ed));
        // The status line shows the command line, whose temporary folder differs in every run.
        ed.app.statusText = getMessage(kMsgUntitled, ed.langs);
        record("start");
        const std::string loaded = rig_.dir.read(name_ + ".MAP");

        pointer(400, 300), frame(), pointer(430, 280), frame();
        // Panning: the arrow keys, then the right button held away from the centre.
        for (int key : {kRight, kUp}) {
            p.setKeyDown(key, true), frame(), frame(), frame(), p.setKeyDown(key, false);
        }
        p.setKeyDown(kRightButton, true);
        for (int i = 1; i <= 3; ++i) pointer(430 - 30 * i, 280 + 20 * i), frame();
        p.setKeyDown(kRightButton, false), frame();
        // Zooming in, then out past where it started; the view coasts a little after each.
        for (int key : {kZoomIn, kZoomOut}) {
            p.setKeyDown(key, true);
            for (int i = 0; i < (key == kZoomIn ? 4 : 8); ++i) frame();
            p.setKeyDown(key, false), frame();
        }

        insertMapFile(ed, piecePath_);
        frame();
        p.advanceClock(kPastAutosaveDelay);
        frame();
        EXPECT_TRUE(rig_.dir.exists("AUTO0000.MAP"));
        recordFile("autosave", "AUTO0000.MAP");

        // Nothing answers the box's buttons from the keys or the mouse yet: the answers are
        // given the way the dispatcher gives a released button.
        p.queueClose();
        for (int i = 0; i <= kMessageBoxOpening; ++i) frame();
        answerMessageBox(ed, MessageBoxResult::Third);
        frame();
        p.queueClose();
        frame(), frame();
        answerMessageBox(ed, MessageBoxResult::First);
        const std::string saved = rig_.dir.read(name_ + ".MAP");
        EXPECT_NE(saved, loaded) << "the merged room was saved";
        if (savedBytes_ != 0) {
            EXPECT_EQ(int64_t(saved.size()), savedBytes_);
        }
        recordFile("save", name_ + ".MAP");

        std::string sounds = name_ + " sounds";
        for (const std::string& s : p.playedSounds()) sounds += " " + s;
        out_.push_back(sounds);
    }

private:
    void pointer(int32_t x, int32_t y) { rig_.platform->setPointer(x, y); }
    void frame() {
        rig_.platform->advanceClock(40);
        runFrame(*rig_.ed);
        record("frame " + std::to_string(frames_++));
    }
    void record(const std::string& what) {
        out_.push_back(name_ + " " + what + " " + hex(frameHash(*rig_.platform)));
    }
    void recordFile(const std::string& what, const std::string& file) {
        const std::string bytes = rig_.dir.read(file);
        out_.push_back(name_ + " " + what + " " + hex(fnv1a(bytes.data(), bytes.size())));
    }

    std::string name_;
    int64_t savedBytes_;
    Lines& out_;
    EditorRig rig_;
    std::string mapPath_, piecePath_;
    int frames_ = 0;
};

std::string goldenPath(const std::string& group) {
    return std::string(KORVEL_SOURCE_DIR) + "/tests/app/golden/behaviour-" + group + ".txt";
}

void checkAgainstGolden(const std::string& group, const Lines& lines) {
    const std::string path = goldenPath(group);
    const char* regenerate = std::getenv("KORVEL_REGENERATE_GOLDEN");
    if (regenerate != nullptr && std::string(regenerate) == "1") {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (const std::string& l : lines) out << l << '\n';
        ASSERT_TRUE(out.good()) << "cannot write " << path;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.good()) << "no golden file " << path;
    Lines expected;
    for (std::string l; std::getline(in, l);) expected.push_back(l);
    for (size_t i = 0; i < std::max(lines.size(), expected.size()); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "<end of file>";
        const std::string got = i < lines.size() ? lines[i] : "<end of run>";
        ASSERT_EQ(got, want) << "first difference at line " << i + 1 << " of " << path;
    }
}

void recordGroup(const std::string& group, const std::vector<MapCase>& maps,
                 bool gameFiles = false) {
    Lines lines;
    for (const MapCase& c : maps) {
        SCOPED_TRACE(c.name);
        Session(c, gameFiles, lines).run();
        if (testing::Test::HasFatalFailure()) return;
    }
    checkAgainstGolden(group, lines);
}

void taggedRoom(MapStore& m) {
    MapBuilder b(m);
    b.addRoom(-512, -512, 512, 512);
    b.addSprite(0, 0, -256, 0, 2);
    const int32_t tagged = b.addSprite(128, -128, -256, 0, 1);
    m.sprites[tagged].lotag = 5, m.sprites[tagged].hitag = 7;
    m.sectors[0].lotag = 12;
    m.walls[1].lotag = 3;
    b.link();
}

void sharedWallGrid(MapStore& m) {
    MapBuilder b(m);
    b.addGrid(-1024, -768, 4, 3, 512);
    for (int32_t s = 0; s < m.sectorCount; s += 2) {
        const WallRecord& w = m.walls[m.sectors[s].wallptr];
        b.addSprite(w.x + 256, w.y + 256, -256, s, int16_t(s % 4));
    }
    b.link();
    m.startX = 256, m.startY = -128;
}

// Wall- and floor-aligned sprites at several angles, whose outlines take the tiles' sizes; one
// is blocking and drawn thick, one is flipped and offset.
void alignedSprites(MapStore& m) {
    MapBuilder b(m);
    b.addGrid(-768, -512, 3, 2, 512);
    const int16_t angles[] = {0, 256, 512, 1024, 1536, 1900};
    for (int32_t s = 0; s < m.sectorCount; ++s) {
        const WallRecord& w = m.walls[m.sectors[s].wallptr];
        const int32_t k = b.addSprite(w.x + 256, w.y + 256, -256, s, int16_t(s % 4));
        SpriteRecord& sp = m.sprites[k];
        sp.ang = angles[s];
        sp.cstat = uint16_t(s % 2 == 0 ? 16 : 32);
        sp.xrepeat = uint8_t(16 + 8 * s);
    }
    m.sprites[1].cstat |= 1 | 256;
    m.sprites[2].cstat |= 4 | 8;
    m.sprites[2].xoffset = 6, m.sprites[2].yoffset = -4;
    b.link();
}

void holeWithIsland(MapStore& m) {
    MapBuilder b(m);
    b.addRoom(-1024, -1024, 1024, 1024);
    b.addRectHole(-512, -512, 512, 512);
    b.addRoom(-512, -512, 512, 512);
    b.addSector({{1200, -300}, {1800, -300}, {1500, 200}});
    b.addSprite(0, 0, -512, 1, 3);
    b.addSprite(-800, 800, -512, 0, 0);
    b.link();
}

TEST(BehaviourRecord, BuiltFixtureMaps) {
    recordGroup("fixtures", {
                                {"empty", [](MapStore&) {}, {1024, 1024}},
                                {"tagged-room", taggedRoom, {1024, -512}},
                                {"wall-grid", sharedWallGrid, {1024, -768}},
                                {"hole-island", holeWithIsland, {-2048, 0}},
                                {"aligned-sprites", alignedSprites, {1024, -512}},
                                {"split-rooms",
                                 [](MapStore& m) {
                                     test::buildSplitRoomGrid(m, 4, 3, 2);
                                     m.startX = 1024, m.startY = 768;
                                 },
                                 {2048, 0}},
                            });
}

TEST(BehaviourRecord, RandomMaps) {
    std::vector<MapCase> maps;
    for (uint32_t seed : {3u, 17u, 29u, 41u})
        maps.push_back({"random-" + std::to_string(seed),
                        [seed](MapStore& m) {
                            std::mt19937 rng(seed);
                            test::buildRandomMap(m, rng);
                            m.startX = 512, m.startY = 256;
                        },
                        {2048, 2048}});
    recordGroup("random", maps);
}

// Fills all three arrays once the room is merged: 4095 rooms of eight walls and four sprites.
void oneRoomShortOfFull(MapStore& m) {
    test::buildSplitRoomGrid(m, 63, 65, 4);
    m.startX = m.startY = 16384;
}

// As much as a version-7 file holds; the merged room takes it past that.
void version7Limit(MapStore& m) {
    test::buildSplitRoomGrid(m, 32, 32, 4);
    m.startX = m.startY = 0;  // at its corner
}

TEST(BehaviourRecord, MapsAtCapacity) {
    recordGroup("capacity",
                {
                    {"filled-by-merge", oneRoomShortOfFull, {63 * 512, 0}, kMaxMapFileBytes},
                    {"version7-limit",
                     version7Limit,
                     {32 * 512, 0},
                     26 + 40 * 1025 + 32 * 8200 + 44 * 4100},
                });
}

TEST(BehaviourRecord, MapsWithTheGameFiles) {
    recordGroup("game-files",
                {
                    {"tiled-aligned", alignedSprites, {1024, -512}},
                    {"tiled-random",
                     [](MapStore& m) {
                         std::mt19937 rng(5);
                         test::buildRandomMap(m, rng);
                     },
                     {2048, 0}},
                },
                true);
}

}  // namespace
}  // namespace korvel
