#include "geometry/MapMerge.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/NativeFileSystem.h"
#include "support/GridMaps.h"
#include "support/MapTestFixture.h"
#include "support/TempFolder.h"

namespace korvel::test {
namespace {

class MapMergeTest : public MapTest {
protected:
    TempFolder tmp;
    NativeFileSystem fs;
    MapFileState file;

    MapLoadResult merge(const std::string& image) {
        const std::string path = tmp.write("merged.map", image);
        return insertMapFile(map, m.clip, m.undo, file, fs, m.events, path);
    }
};

// A file at every capacity whose sprites all lost their sectors. Each sprite is tried only
// against the sound sectors whose boxes hold it, so even ranges that each claim every wall
// cost no more than a sound map: a sprite finds its room, or gets -1 where no sound sector
// holds it. (How long this takes is measured by the merge benchmarks.)
TEST_F(MapMergeTest, SpritesOfAFullFileFindTheirSectorsHoweverItsRangesAreDamaged) {
    struct Case {
        const char* what;
        void (*damage)(MapStore&);
        bool roomsSound;
    } const cases[] = {
        {"sound rooms", [](MapStore&) {}, true},
        {"every sector claims every wall",
         [](MapStore& s) {
             for (int32_t i = 0; i < s.sectorCount; ++i) {
                 s.sectors[i].wallptr = 0;
                 s.sectors[i].wallnum = 32767;
             }
         },
         false},
    };
    for (const Case& c : cases) {
        auto source = std::make_unique<MapStore>();
        buildSplitRoomGrid(*source, 64, 64, 4);
        ASSERT_EQ(source->spriteCount, kMaxSprites);
        std::vector<int16_t> rooms;
        for (int32_t k = 0; k < source->spriteCount; ++k) {
            rooms.push_back(source->sprites[k].sectnum);
            source->sprites[k].sectnum = -1;
        }
        c.damage(*source);
        map.sectorCount = map.wallCount = map.spriteCount = 0;

        const MapLoadResult r = merge(serializeMap(*source));
        ASSERT_TRUE(r.loaded) << c.what;
        ASSERT_EQ(map.spriteCount, kMaxSprites) << c.what;
        ASSERT_EQ(map.sectorCount, kMaxSectors) << c.what;
        int32_t wrong = 0;
        for (int32_t k = 0; k < map.spriteCount; ++k)
            wrong += map.sprites[k].sectnum != (c.roomsSound ? rooms[size_t(k)] : -1) ? 1 : 0;
        EXPECT_EQ(wrong, 0) << c.what;
        if (c.roomsSound) expectValid();
    }
}

// The merged file brings its own sectors; one that no sector holds stays in none rather than
// taking sector 0, which belongs to the map merged into. Damaged sectors hold no sprite.
TEST_F(MapMergeTest, AMergedSpriteInNoSoundSectorKeepsNone) {
    auto source = std::make_unique<MapStore>();
    MapBuilder b(*source);
    b.addRoom(1000, 0, 1100, 100);   // sound
    b.addRoom(2000, 0, 2100, 100);   // its ring is broken below
    b.addSprite(1050, 50, 0, -1);    // in the sound room
    b.addSprite(5000, 5000, 0, -1);  // in no room
    b.addSprite(2050, 50, 0, -1);    // in the broken one
    b.link();
    source->walls[6].point2 = 4;  // the second room's loop closes after three of its four walls

    build.addRoom(0, 0, 100, 100);
    build.link();
    ASSERT_TRUE(merge(serializeMap(*source)).loaded);
    ASSERT_EQ(map.spriteCount, 3);
    EXPECT_EQ(map.sprites[0].sectnum, 1);
    EXPECT_EQ(map.sprites[1].sectnum, -1);
    EXPECT_EQ(map.sprites[2].sectnum, -1);
}

// Relinking a merged file removes its walls of no length, and with them sectors left with two
// walls. A damaged range of the file (an empty sector listed after others) must not slide onto
// the map's own walls when the sectors before it lose theirs: the map merged into keeps every
// wall whatever the file held.
TEST_F(MapMergeTest, RemovalsInADamagedFileLeaveTheMapsOwnWalls) {
    auto source = std::make_unique<MapStore>();
    MapBuilder b(*source);
    b.addRoom(1000, 0, 1100, 100);                            // walls 0..3
    b.addSector({{2000, 0}, {2100, 0}, {2100, 0}});           // walls 4..6, one of no length
    b.addRoom(3000, 0, 3100, 100);                            // walls 7..10
    source->sectors[source->sectorCount++] = SectorRecord{};  // no walls, listed after them
    b.addSector({{4000, 0}, {4100, 0}, {4100, 0}});           // walls 11..13, one of no length
    b.link();

    build.addRoom(0, 0, 100, 100);
    build.addSprite(50, 50, 0, 0);
    build.link();
    const auto before = std::make_unique<MapStore>(map);
    ASSERT_TRUE(merge(serializeMap(*source)).loaded);
    ASSERT_GE(map.wallCount, before->wallCount);
    for (int32_t w = 0; w < before->wallCount; ++w) {
        EXPECT_EQ(map.walls[w].x, before->walls[w].x) << w;
        EXPECT_EQ(map.walls[w].y, before->walls[w].y) << w;
        EXPECT_EQ(map.walls[w].point2, before->walls[w].point2) << w;
    }
    EXPECT_EQ(std::memcmp(&map.sectors[0], &before->sectors[0], sizeof(SectorRecord)), 0);
    EXPECT_EQ(std::memcmp(&map.sprites[0], &before->sprites[0], sizeof(SpriteRecord)), 0);
    for (int32_t s = 1; s < map.sectorCount; ++s)
        EXPECT_GE(map.sectors[s].wallptr, before->wallCount) << s;
}

}  // namespace
}  // namespace korvel::test
