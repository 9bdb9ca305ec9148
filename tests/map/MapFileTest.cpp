#include "geometry/MapMerge.h"
#include "map/MapFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include "base/FileReplace.h"
#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "support/GridMaps.h"
#include "support/MapModelOps.h"
#include "support/MapTestFixture.h"
#include "support/RandomMaps.h"
#include "support/TempFolder.h"

namespace korvel::test {
namespace {

void putLE(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char((v >> (8 * i)) & 0xFF);
}

// A file image with the given header fields and counts, and records of random bytes: every
// field of a record must pass through unchanged, whatever it holds.
std::string rawMapImage(int32_t version, uint32_t sectors, uint32_t walls, uint32_t sprites,
                        uint32_t seed, int32_t startX = 1234, int32_t startY = -5678) {
    std::mt19937 rng(seed);
    auto randomBytes = [&](size_t n) {
        std::string s(n, '\0');
        for (char& c : s) c = char(rng());
        return s;
    };
    std::string out;
    putLE(out, uint32_t(version), 4);
    putLE(out, uint32_t(startX), 4);
    putLE(out, uint32_t(startY), 4);
    putLE(out, uint32_t(-99), 4);
    putLE(out, 512, 2);
    putLE(out, 3, 2);
    putLE(out, sectors, 2);
    out += randomBytes(40 * sectors);
    putLE(out, walls, 2);
    out += randomBytes(32 * walls);
    putLE(out, sprites, 2);
    out += randomBytes(44 * sprites);
    return out;
}

// The real file system, failing one step of saving a file into the folder "maps" or into the
// trash folder, as a disk fails or is full, or a folder is read-only.
class FaultyFileSystem : public NativeFileSystem {
public:
    enum class Fault {
        None,
        ReadOnlyFolder,
        WriteErrorMidway,
        Sync,
        Link,
        LinkAndCopy,
        Rename,
        FolderSync,
    };
    Fault fault = Fault::None;

    static bool inTrash(const std::string& path) {
        return path.find("TrashBin") != std::string::npos;
    }

    bool createFile(const std::string& path, const std::string& bytes,
                    std::optional<uint32_t> mode) override {
        if (fault == Fault::ReadOnlyFolder || (fault == Fault::LinkAndCopy && inTrash(path)))
            return false;
        if (fault == Fault::WriteErrorMidway) {
            // Half the file reached the disk before the error.
            NativeFileSystem::createFile(path, bytes.substr(0, bytes.size() / 2), mode);
            return false;
        }
        return NativeFileSystem::createFile(path, bytes, mode);
    }
    bool syncFile(const std::string& path) override {
        return fault != Fault::Sync && NativeFileSystem::syncFile(path);
    }
    bool linkFile(const std::string& existing, const std::string& newName) override {
        if (fault == Fault::ReadOnlyFolder || fault == Fault::Link || fault == Fault::LinkAndCopy)
            return false;
        return NativeFileSystem::linkFile(existing, newName);
    }
    bool moveFile(const std::string& from, const std::string& to) override {
        if (fault == Fault::ReadOnlyFolder || (fault == Fault::Rename && !inTrash(to)))
            return false;
        return NativeFileSystem::moveFile(from, to);
    }
    bool syncFolder(const std::string& folder) override {
        if (fault == Fault::FolderSync && !inTrash(folder)) return false;
        return NativeFileSystem::syncFolder(folder);
    }
    bool makeFolder(const std::string& path) override {
        return fault != Fault::ReadOnlyFolder && NativeFileSystem::makeFolder(path);
    }
};

class MapFileTest : public MapTest {
protected:
    TempFolder tmp;
    NativeFileSystem fs;
    MapFileState file;

    std::string trash() const { return tmp.file("TrashBin"); }
    MapLoadResult load(const std::string& path, bool silent = false) {
        return loadMap(map, file, fs, path, silent);
    }
    MapLoadResult insert(const std::string& path) {
        return insertMapFile(map, m.clip, m.undo, file, fs, m.events, path);
    }
    static std::string imageOf(void (*build)(MapStore&)) {
        auto src = std::make_unique<MapStore>();
        build(*src);
        return serializeMap(*src);
    }
};

// --- Layout, versions and the byte-for-byte round trip ---

TEST_F(MapFileTest, LoadedWellFormedFilesSaveBackByteForByte) {
    struct Case {
        const char* what;
        int32_t version;
        uint32_t sectors, walls, sprites;
    } const cases[] = {
        {"empty map", 7, 0, 0, 0},
        {"small map", 7, 3, 17, 5},
        {"version 7 at every limit", 7, 1024, 8192, 4096},
        {"version 8 by its sectors", 8, 1025, 10, 1},
        {"version 8 by its walls", 8, 2, 8193, 0},
        {"version 8 by its sprites", 8, 0, 0, 4097},
    };
    uint32_t seed = 1;
    for (const Case& c : cases) {
        const std::string image = rawMapImage(c.version, c.sectors, c.walls, c.sprites, seed++);
        const std::string path = tmp.write("round.map", image);
        ASSERT_TRUE(load(path).loaded) << c.what;
        EXPECT_EQ(mapFileVersion(map), c.version) << c.what;
        EXPECT_TRUE(serializeMap(map) == image) << c.what;
        const std::string saved = tmp.file("saved.map");
        ASSERT_TRUE(saveMap(map, file, fs, saved, false, trash())) << c.what;
        EXPECT_TRUE(tmp.read("saved.map") == image) << c.what;
    }
}

TEST_F(MapFileTest, VersionEightOnlyPastTheLimitsOfSeven) {
    struct Case {
        int32_t sectors, walls, sprites, version;
    } const cases[] = {
        {1024, 8192, 4096, 7}, {1025, 0, 0, 8},         {0, 8193, 0, 8},
        {0, 0, 4097, 8},       {4096, 32768, 16384, 8}, {0, 0, 0, 7},
    };
    for (const Case& c : cases) {
        map.sectorCount = c.sectors;
        map.wallCount = c.walls;
        map.spriteCount = c.sprites;
        const std::string image = serializeMap(map);
        EXPECT_EQ(int32_t(image[0]), c.version) << c.sectors << " " << c.walls << " " << c.sprites;
        EXPECT_EQ(image.substr(1, 3), std::string(3, '\0'));
        EXPECT_EQ(int64_t(image.size()), 26 + 40 * c.sectors + 32 * c.walls + 44 * c.sprites);
    }
}

TEST_F(MapFileTest, AFullMapOf32768WallsSavesAndReloadsWhole) {
    auto full = std::make_unique<MapStore>();
    buildSplitRoomGrid(*full, 64, 64, 4);
    ASSERT_EQ(full->wallCount, 32768);
    const std::string path = tmp.file("full.map");
    ASSERT_TRUE(saveMap(*full, file, fs, path, false, trash()));
    EXPECT_EQ(fs.fileLength(path), kMaxMapFileBytes);

    const MapLoadResult r = load(path);
    ASSERT_TRUE(r.loaded);
    EXPECT_FALSE(r.truncated || r.countTooLargeMessage != 0 || r.unknownVersion);
    EXPECT_EQ(r.versionByte, 8);
    EXPECT_EQ(map.sectorCount, 4096);
    EXPECT_EQ(map.wallCount, 32768);
    EXPECT_EQ(map.spriteCount, 16384);
    EXPECT_EQ(recordDifference(map, *full), "");
    expectValid();
}

// --- Short, cut and oversized files ---

TEST_F(MapFileTest, CutFilesLoadWhatTheyHold) {
    struct Case {
        const char* what;
        std::string bytes;
        int32_t sectors, walls, sprites;
        uint8_t version;
        bool truncated, unknownVersion;
    } const cases[] = {
        {"header only, 21 bytes", rawMapImage(7, 0, 0, 0, 1).substr(0, 21), 0, 0, 0, 7, true,
         false},
        {"10 sectors declared, 5 present", rawMapImage(7, 10, 4, 0, 2).substr(0, 22 + 5 * 40), 5, 0,
         0, 7, true, false},
        // The part of a sixth sector holds no count the reader may believe.
        {"10 sectors declared, 5 and a half present",
         rawMapImage(7, 10, 4, 0, 3).substr(0, 22 + 5 * 40 + 37), 5, 0, 0, 7, true, false},
        {"cut inside the walls", rawMapImage(8, 2, 9, 3, 4).substr(0, 22 + 80 + 2 + 5 * 32 + 7), 2,
         5, 0, 8, true, false},
        {"version 9", rawMapImage(9, 2, 3, 4, 5), 2, 3, 4, 9, false, true},
        {"bytes after the sprites", rawMapImage(7, 2, 3, 4, 6) + "trailing", 2, 3, 4, 7, false,
         false},
    };
    for (const Case& c : cases) {
        const MapLoadResult r = load(tmp.write("case.map", c.bytes));
        ASSERT_TRUE(r.loaded) << c.what;
        EXPECT_EQ(map.sectorCount, c.sectors) << c.what;
        EXPECT_EQ(map.wallCount, c.walls) << c.what;
        EXPECT_EQ(map.spriteCount, c.sprites) << c.what;
        EXPECT_EQ(r.versionByte, c.version) << c.what;
        EXPECT_EQ(file.mapVersionByte, c.version) << c.what;
        EXPECT_EQ(r.truncated, c.truncated) << c.what;
        EXPECT_EQ(r.countTooLargeMessage, 0) << c.what;
        EXPECT_EQ(r.unknownVersion, c.unknownVersion) << c.what;
        EXPECT_EQ(file.mapLoadNotice, c.truncated ? kMsgMapCutShort : 0) << c.what;
        EXPECT_EQ(file.mapLoadFailed, 0) << c.what;
        // Saving writes the version its counts need, whatever version it was loaded as.
        EXPECT_EQ(int32_t(serializeMap(map)[0]), mapFileVersion(map)) << c.what;
        EXPECT_EQ(mapFileVersion(map), 7) << c.what;
    }
}

// What a map file holds, read the plain way, independently of the reader under test: each
// count in turn and its records right behind it; a count beyond capacity makes the file no map.
struct ReferenceMap {
    bool refused = false;
    int32_t message = 0;
    bool truncated = false;
    std::string records[3];  // the bytes of the sectors, walls and sprites that load
};

struct ListShape {
    const char* name;
    int32_t capacity;
    size_t recordBytes;
    int32_t tooManyMessage;
};
const ListShape kLists[3] = {{"sectors", kMaxSectors, 40, kMsgTooManySectors},
                             {"walls", kMaxWalls, 32, kMsgTooManyWalls},
                             {"sprites", kMaxSprites, 44, kMsgTooManySprites}};

ReferenceMap referenceRead(const std::string& f) {
    ReferenceMap r;
    size_t at = 20;
    for (int list = 0; list < 3 && !r.truncated; ++list) {
        if (f.size() < at + 2) {
            r.truncated = true;
            break;
        }
        size_t n = uint8_t(f[at]) | size_t(uint8_t(f[at + 1])) << 8;
        at += 2;
        if (n > size_t(kLists[list].capacity)) {
            r = ReferenceMap{};
            r.refused = true;
            r.message = kLists[list].tooManyMessage;
            return r;
        }
        const size_t whole = (f.size() - at) / kLists[list].recordBytes;
        if (n > whole) {
            n = whole;
            r.truncated = true;
        }
        r.records[list] = f.substr(at, n * kLists[list].recordBytes);
        at += n * kLists[list].recordBytes;
    }
    return r;
}

// Every count field at and past capacity, with the records it declares behind it or cut off
// early: a count a map cannot hold refuses the file, leaving the map, the file state and the
// clipboard as they were, and no list is ever read from inside another.
TEST_F(MapFileTest, CountsPastCapacityRefuseTheFileAndNoRecordComesFromAWrongPlace) {
    build.addRoom(0, 0, 100, 100);
    build.addSprite(50, 50, 0, 0);
    build.link();
    file.mapPath = "/maps/mine.map";
    const auto before = std::make_unique<MapStore>(map);
    std::mt19937 rng(36);
    auto randomBytes = [&](size_t n) {
        std::string s(n, '\0');
        for (char& c : s) c = char(rng());
        return s;
    };
    int32_t cases = 0;
    for (int list = 0; list < 3; ++list)
        for (uint32_t count : {uint32_t(kLists[list].capacity + 1), 32767u, 32768u, 65535u})
            for (bool enough : {true, false}) {
                const std::string what = std::string(kLists[list].name) + " " +
                                         std::to_string(count) + (enough ? "" : ", cut short");
                // Small sound lists around the one under test.
                uint32_t counts[3] = {3, 5, 2};
                counts[list] = count;
                std::string image;
                putLE(image, 7, 4);
                image += randomBytes(16);
                for (int l = 0; l < 3; ++l) {
                    putLE(image, counts[l], 2);
                    const uint32_t present = l == list && !enough ? 9 : counts[l];
                    image += randomBytes(present * kLists[l].recordBytes);
                    if (l == list && !enough) break;
                }
                const ReferenceMap want = referenceRead(image);
                const std::string path = tmp.write("count.map", image);

                const MapLoadResult r = load(path);
                EXPECT_EQ(!r.loaded, want.refused) << what;
                EXPECT_EQ(r.countTooLargeMessage, want.message) << what;
                if (want.refused) {
                    EXPECT_EQ(file.mapLoadFailed, 1) << what;
                    EXPECT_EQ(file.mapLoadNotice, want.message) << what;
                    EXPECT_EQ(snapshotDifference(map, *before), "") << what;
                    EXPECT_EQ(file.mapPath, "/maps/mine.map") << what;

                    // A merge refuses it the same way, naming the file.
                    m.events.clear();
                    m.clip.clipSpriteCount = 1;
                    m.clip.clipSprites[0].x = 77;
                    EXPECT_FALSE(insert(path).loaded) << what;
                    EXPECT_EQ(m.events.statusNumbers(), std::vector<int32_t>{want.message}) << what;
                    EXPECT_EQ(m.events.status.back().args, std::vector<std::string>{"count.map"})
                        << what;
                    EXPECT_EQ(snapshotDifference(map, *before), "") << what;
                    EXPECT_EQ(m.clip.clipSprites[0].x, 77) << what;
                    EXPECT_EQ(file.mapLoadFailed, 1) << what;
                } else {
                    EXPECT_EQ(r.truncated, want.truncated) << what;
                    const void* loaded[3] = {map.sectors.data(), map.walls.data(),
                                             map.sprites.data()};
                    const int32_t loadedCounts[3] = {map.sectorCount, map.wallCount,
                                                     map.spriteCount};
                    for (int l = 0; l < 3; ++l) {
                        const std::string& bytes = want.records[l];
                        ASSERT_EQ(size_t(loadedCounts[l]) * kLists[l].recordBytes, bytes.size())
                            << what << ", " << kLists[l].name;
                        EXPECT_EQ(std::memcmp(loaded[l], bytes.data(), bytes.size()), 0)
                            << what << ", " << kLists[l].name;
                    }
                    // Back to the map the refusals must leave alone.
                    map = *before;
                    file.mapPath = "/maps/mine.map";
                }
                ++cases;
            }
    EXPECT_EQ(cases, 24);
}

TEST_F(MapFileTest, HeaderOnlyFileGivesAnEmptyMapAtItsStart) {
    load(tmp.write("h.map", rawMapImage(7, 0, 0, 0, 1, 4000, -300).substr(0, 21)));
    EXPECT_EQ(map.startX, 4000);
    EXPECT_EQ(map.startY, -300);
    EXPECT_EQ(map.startZ, -99);
    EXPECT_EQ(map.startAngle, 512);
    EXPECT_EQ(map.startSector, 3);
}

TEST_F(MapFileTest, NoUsableFileChangesNothing) {
    build.addRoom(0, 0, 100, 100);
    build.link();
    file.mapPath = "/maps/old.map";
    file.mapTitle = "old.map";
    file.recentFiles[0] = "/maps/old.map";
    auto before = std::make_unique<MapStore>(map);
    tmp.makeFolder("folder.map");
    for (const std::string& path :
         {tmp.file("missing.map"), tmp.write("empty.map", ""),
          tmp.write("short.map", rawMapImage(7, 0, 0, 0, 1).substr(0, 20)), tmp.file("folder.map"),
          std::string()}) {
        file.mapLoadFailed = 0;
        EXPECT_FALSE(load(path).loaded) << path;
        EXPECT_EQ(file.mapLoadFailed, 1) << path;
        EXPECT_EQ(snapshotDifference(map, *before), "") << path;
        EXPECT_EQ(file.mapPath, "/maps/old.map");
        EXPECT_EQ(file.recentFiles[0], "/maps/old.map");
        EXPECT_EQ(file.recentFiles[1], "");
    }
    EXPECT_FALSE(insert(tmp.file("missing.map")).loaded);
    EXPECT_EQ(file.mapLoadFailed, 1);
    EXPECT_FALSE(tmp.exists("missing.map")) << "a failed merge creates no file";
}

TEST_F(MapFileTest, LoadLeavesAFreshMapWithItsPathAndTitle) {
    build.addRoom(0, 0, 100, 100);
    build.addRoom(200, 0, 300, 100);
    build.addSprite(50, 50, 0, 0);
    build.link();
    map.sectorSelected[1] = 1;
    map.selectedSectorCount = 1;
    map.sectorIgnored[0] = 2;
    map.undoState = UndoState::Snapshot;
    map.mapModified = MapModifiedState::Modified;
    const std::string path = tmp.write("maps/one.map", imageOf([](MapStore& s) {
                                           MapBuilder(s).addRoom(0, 0, 64, 64);
                                           MapBuilder(s).link();
                                       }));
    ASSERT_TRUE(load(path).loaded);
    EXPECT_EQ(map.sectorCount, 1);
    EXPECT_EQ(map.wallCount, 4);
    EXPECT_EQ(map.spriteCount, 0);
    EXPECT_EQ(file.mapPath, path);
    EXPECT_EQ(file.mapTitle, "one.map");
    EXPECT_EQ(file.recentFiles[0], path);
    EXPECT_EQ(map.mapModified, MapModifiedState::Unmodified);
    EXPECT_EQ(map.undoState, UndoState::Nothing);
    EXPECT_EQ(map.sectorIgnored[0], 0);
    // What the old map held above the new counts is gone.
    EXPECT_EQ(map.walls[4].x, 0);
    EXPECT_EQ(map.sectors[1].wallnum, 0);
    EXPECT_EQ(map.sprites[0].x, 0);
    expectValid();

    // Silent loads leave the recent list alone.
    file.recentFiles[0] = "other";
    ASSERT_TRUE(load(path, true).loaded);
    EXPECT_EQ(file.recentFiles[0], "other");
}

// Whatever editing came between two loads (deletions that leave old records above the counts,
// clipboard swaps that bring in the clipboard's arrays, undo that brings back a snapshot's), the
// second load leaves nothing but zeros above its counts.
TEST_F(MapFileTest, ALoadAfterAnyEditingLeavesOnlyZerosAboveTheCounts) {
    const std::string small = tmp.write("small.map", rawMapImage(7, 1, 4, 1, 1));
    auto isZero = [](const auto& array, int32_t from) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(array.data() + from);
        const size_t n = sizeof(array[0]) * size_t(array.size() - from);
        for (size_t i = 0; i < n; ++i)
            if (bytes[i] != 0) return false;
        return true;
    };
    for (uint32_t seed = 0; seed < 40; ++seed) {
        auto model = std::make_unique<MapModel>();
        std::mt19937 rng(seed);
        auto source = std::make_unique<MapStore>();
        buildRandomMap(*source, rng);
        const std::string big = tmp.write("big.map", serializeMap(*source));
        ASSERT_TRUE(loadMap(model->map, file, fs, big, true).loaded);
        // Half the histories take no undo snapshot between edits, so growth followed by a
        // removal is seen only by the removal itself.
        const bool snapshots = seed % 2 == 0;
        for (int step = 0; step < 40; ++step) {
            const auto op = MapOp(rng() % uint32_t(MapOp::Count));
            const uint32_t a = rng(), b = rng(), c = rng();
            if (snapshots)
                runMapOp(*model, op, a, b, c, true);
            else
                applyMapOp(*model, model->events, op, a, b, c, true);
        }
        ASSERT_TRUE(loadMap(model->map, file, fs, small, true).loaded);
        const MapStore& after = model->map;
        ASSERT_EQ(after.spriteCount, 1);
        EXPECT_TRUE(isZero(after.sectors, after.sectorCount)) << "seed " << seed;
        EXPECT_TRUE(isZero(after.walls, after.wallCount)) << "seed " << seed;
        EXPECT_TRUE(isZero(after.sprites, after.spriteCount)) << "seed " << seed;
    }
}

// Reads through the real file system and notes how much each read may take.
class RecordingReads : public NativeFileSystem {
public:
    std::vector<int64_t> limits;
    std::optional<std::string> readAll(const std::string& path, int64_t maxBytes) override {
        limits.push_back(maxBytes);
        return NativeFileSystem::readAll(path, maxBytes);
    }
};

TEST_F(MapFileTest, ReadsNoMoreThanAMapCanHold) {
    RecordingReads reads;
    const std::string image = rawMapImage(7, 1, 4, 2, 3);
    const std::string path = tmp.write("long.map", image + std::string(3000000, 'j'));
    ASSERT_TRUE(loadMap(map, file, reads, path, false).loaded);
    EXPECT_TRUE(serializeMap(map) == image);
    insertMapFile(map, m.clip, m.undo, file, reads, m.events, path);
    EXPECT_EQ(reads.limits, (std::vector<int64_t>{kMaxMapFileBytes, kMaxMapFileBytes}));
    EXPECT_EQ(kMaxMapFileBytes, 1933338);
}

// --- Recent files ---

TEST_F(MapFileTest, RecentListPutsThePathInFront) {
    auto slots = [](std::initializer_list<const char*> names) {
        std::array<std::string, kRecentFileCount> out;
        size_t i = 0;
        for (const char* n : names) out[i++] = n;
        return out;
    };
    const auto full = slots(
        {"A", "B", "C", "/maps/D.map", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O"});
    struct Case {
        const char* what;
        std::array<std::string, kRecentFileCount> before;
        std::string path;
        std::array<std::string, kRecentFileCount> after;
    } const cases[] = {
        {"hit in slot 3 in other letters", full, "/MAPS/d.MAP",
         slots({"/MAPS/d.MAP", "A", "B", "C", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N",
                "O"})},
        {"miss: the last drops out", full, "P",
         slots({"P", "A", "B", "C", "/maps/D.map", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                "N"})},
        {"hit in slot 0", full, "a",
         slots({"a", "B", "C", "/maps/D.map", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N",
                "O"})},
        {"Cyrillic letters compare without case", slots({"x", "\xCA\xE0\xF0\xF2\xE0"}),
         "\xEA\xC0\xD0\xD2\xC0", slots({"\xEA\xC0\xD0\xD2\xC0", "x"})},
        {"into an empty list", slots({}), "Q", slots({"Q"})},
    };
    for (const Case& c : cases) {
        file.recentFiles = c.before;
        updateRecentFiles(file, c.path);
        EXPECT_EQ(file.recentFiles, c.after) << c.what;
    }
}

// --- Saving: trash copies and failures ---

TEST_F(MapFileTest, SavingOverAFileKeepsTheOldOneAsTheTrashCopy) {
    build.addRoom(0, 0, 100, 100);
    build.link();
    // Paths typed with backslashes name the same folders.
    const std::string path = tmp.path() + "\\maps\\keep.map";
    tmp.makeFolder("maps");
    ASSERT_TRUE(saveMap(map, file, fs, path, false, trash()));
    const std::string first = tmp.read("maps/keep.map");
    EXPECT_FALSE(tmp.exists("TrashBin/keep.map")) << "nothing was overwritten yet";

    map.startX = 1;
    ASSERT_TRUE(saveMap(map, file, fs, path, false, trash()));
    const std::string second = tmp.read("maps/keep.map");
    EXPECT_NE(second, first);
    EXPECT_EQ(tmp.read("TrashBin/keep.map"), first);

    map.startX = 2;
    ASSERT_TRUE(saveMap(map, file, fs, path, true, trash()));
    EXPECT_EQ(tmp.read("TrashBin/keep.map"), second) << "each save replaces the trash copy";
    EXPECT_EQ(tmp.read("maps/keep.map"), serializeMap(map));
    EXPECT_FALSE(tmp.exists("maps/keep.map.korvel-new"));
    EXPECT_TRUE(fs.fileExists(tmp.file("TrashBin/keep.map")));
}

// A path without a folder (relative to the working folder) still gets a trash copy of its own
// name, never the trash folder itself.
TEST_F(MapFileTest, ABareFileNameKeepsItsTrashCopyUnderItsName) {
    struct WorkingFolder {
        std::string before = std::filesystem::current_path().string();
        explicit WorkingFolder(const std::string& to) { std::filesystem::current_path(to); }
        ~WorkingFolder() { std::filesystem::current_path(before); }
    } inTemp(tmp.path());
    build.addRoom(0, 0, 100, 100);
    build.link();
    ASSERT_TRUE(saveMap(map, file, fs, "bare.map", false, trash()));
    const std::string first = tmp.read("bare.map");
    map.startX = 5;
    ASSERT_TRUE(saveMap(map, file, fs, "bare.map", false, trash()));
    EXPECT_EQ(tmp.read("TrashBin/bare.map"), first);
    EXPECT_TRUE(fs.folderExists(trash()));
    EXPECT_EQ(tmp.read("bare.map"), serializeMap(map));
}

TEST_F(MapFileTest, NormalAndAutosaveModesLeaveDifferentState) {
    build.addRoom(0, 0, 100, 100);
    build.link();
    file.mapPath = "/old/path.map";
    file.mapTitle = "path.map";
    map.mapModified = MapModifiedState::Modified;
    ASSERT_TRUE(saveMap(map, file, fs, tmp.file("AUTO0000.MAP"), true, trash()));
    EXPECT_EQ(map.mapModified, MapModifiedState::AutoSaved);
    EXPECT_EQ(file.mapPath, "/old/path.map");
    EXPECT_EQ(file.mapTitle, "path.map");
    EXPECT_EQ(file.recentFiles[0], "");

    map.mapModified = MapModifiedState::Modified;
    ASSERT_TRUE(saveMap(map, file, fs, tmp.file("named.map"), false, trash()));
    EXPECT_EQ(map.mapModified, MapModifiedState::Unmodified);
    EXPECT_EQ(file.mapPath, tmp.file("named.map"));
    EXPECT_EQ(file.mapTitle, "named.map");
    EXPECT_EQ(file.recentFiles[0], tmp.file("named.map"));
}

// Whichever step fails, the old map is at its path as it was, the map and its state say
// "not saved", and the new version is either nowhere (it never reached a file whole) or whole in
// the file the save names, beside the old one. A save that only lacks links copies the old file
// into the trash instead.
TEST_F(MapFileTest, AFailureAtAnyStepKeepsTheOldMapAndTheNewVersion) {
    using Fault = FaultyFileSystem::Fault;
    struct Case {
        const char* what;
        Fault fault;
        std::string target;  // relative to the temporary folder
        bool saved, kept;
    } const cases[] = {
        {"read-only folder", Fault::ReadOnlyFolder, "maps/old.map", false, false},
        {"write error midway", Fault::WriteErrorMidway, "maps/old.map", false, false},
        {"missing folder", Fault::None, "no/such/folder/x.map", false, false},
        {"a folder of that name", Fault::None, "maps/sub.map", false, false},
        {"sync fails", Fault::Sync, "maps/old.map", false, true},
        {"no links: the trash gets a copy", Fault::Link, "maps/old.map", true, false},
        {"neither a link nor a copy", Fault::LinkAndCopy, "maps/old.map", false, true},
        {"the rename fails", Fault::Rename, "maps/old.map", false, true},
        {"the folder does not sync after the rename", Fault::FolderSync, "maps/old.map", false,
         true},
    };
    build.addRoom(0, 0, 100, 100);
    build.link();
    const std::string image = serializeMap(map);
    for (const Case& c : cases) {
        TempFolder dir;
        dir.write("maps/old.map", "the user's old map");
        dir.makeFolder("maps/sub.map");
        FaultyFileSystem faulty;
        faulty.fault = c.fault;
        file.mapPath = "/where/it/was.map";
        file.mapTitle = "was.map";
        file.recentFiles.fill("");
        map.mapModified = MapModifiedState::Modified;

        const bool saved =
            saveMap(map, file, faulty, dir.file(c.target), false, dir.file("TrashBin"));
        EXPECT_EQ(saved, c.saved) << c.what;
        if (saved) {
            EXPECT_TRUE(dir.read("maps/old.map") == image) << c.what;
            EXPECT_EQ(dir.read("TrashBin/old.map"), "the user's old map") << c.what;
            EXPECT_EQ(fs.listEntries(dir.file("maps")).size(), 2u) << c.what << ": no leftovers";
            continue;
        }
        EXPECT_EQ(dir.read("maps/old.map"), "the user's old map") << c.what;
        EXPECT_EQ(map.mapModified, MapModifiedState::Modified) << c.what;
        EXPECT_EQ(file.mapPath, "/where/it/was.map") << c.what;
        EXPECT_EQ(file.mapTitle, "was.map") << c.what;
        EXPECT_EQ(file.recentFiles[0], "") << c.what;
        if (c.kept) {
            EXPECT_EQ(file.keptNewFile, dir.file(c.target) + kNewFileSuffix) << c.what;
            EXPECT_TRUE(fs.readAll(file.keptNewFile) == image) << c.what;
        } else {
            EXPECT_EQ(file.keptNewFile, "") << c.what;
            EXPECT_EQ(fs.listEntries(dir.file("maps")).size(), 2u) << c.what << ": no leftovers";
        }
    }
}

// A kept version is the user's: a later save that fails again keeps its own beside it.
TEST_F(MapFileTest, AKeptVersionIsNeverOverwritten) {
    FaultyFileSystem faulty;
    faulty.fault = FaultyFileSystem::Fault::Rename;
    tmp.write("old.map", "old");
    build.addRoom(0, 0, 100, 100);
    build.link();
    const std::string first = serializeMap(map);
    ASSERT_FALSE(saveMap(map, file, faulty, tmp.file("old.map"), false, trash()));
    const std::string firstKept = file.keptNewFile;
    map.startX = 77;
    ASSERT_FALSE(saveMap(map, file, faulty, tmp.file("old.map"), false, trash()));
    EXPECT_NE(file.keptNewFile, firstKept);
    EXPECT_TRUE(fs.readAll(firstKept) == first);
    EXPECT_TRUE(fs.readAll(file.keptNewFile) == serializeMap(map));
    EXPECT_EQ(tmp.read("old.map"), "old");
}

// The saved file takes the old one's permissions, and a path that is a symbolic link stays one:
// the file it leads to holds the new map, its old content the trash copy.
TEST_F(MapFileTest, ASaveKeepsPermissionsAndSavesThroughALink) {
    build.addRoom(0, 0, 100, 100);
    build.link();
    const std::string image = serializeMap(map);
    struct Case {
        const char* what;
        bool link;
        mode_t mode;
    } const cases[] = {{"private file", false, 0600},
                       {"group-readable file", false, 0640},
                       {"link to a private file", true, 0600}};
    for (const Case& c : cases) {
        TempFolder dir;
        const std::string real = dir.write("store/real.map", "old through the link");
        ASSERT_EQ(::chmod(real.c_str(), c.mode), 0);
        std::string path = real;
        if (c.link) {
            path = dir.file("maps/link.map");
            dir.makeFolder("maps");
            ASSERT_EQ(::symlink("../store/real.map", path.c_str()), 0);
        }
        ASSERT_TRUE(saveMap(map, file, fs, path, false, dir.file("TrashBin"))) << c.what;
        struct stat st {};
        ASSERT_EQ(::stat(real.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.mode) << c.what;
        EXPECT_TRUE(dir.read("store/real.map") == image) << c.what;
        EXPECT_EQ(dir.read(c.link ? "TrashBin/link.map" : "TrashBin/real.map"),
                  "old through the link")
            << c.what;
        if (c.link) {
            ASSERT_EQ(::lstat(path.c_str(), &st), 0);
            EXPECT_TRUE(S_ISLNK(st.st_mode)) << c.what;
            EXPECT_EQ(fs.listEntries(dir.file("maps")).size(), 1u) << c.what;
        }
        EXPECT_EQ(fs.listEntries(dir.file("store")).size(), 1u) << c.what << ": no leftovers";
    }
}

// --- Merging a map file ---

void roomsFarAway(MapStore& s) {
    MapBuilder b(s);
    b.addRoom(10000, 10000, 10100, 10100);
    b.addRoom(10100, 10000, 10200, 10100);
    b.addSprite(10050, 10050, 0, 0);
    b.link();
}

TEST_F(MapFileTest, MergingTakesVersionsSevenAndEightAndClearsAStaleFailure) {
    struct Case {
        const char* what;
        int32_t version;
    } const cases[] = {{"version 7", 7}, {"version 8", 8}};
    for (const Case& c : cases) {
        map.sectorCount = map.wallCount = map.spriteCount = 0;
        build.addRoom(0, 0, 100, 100);
        build.link();
        std::string image = imageOf(roomsFarAway);
        image[0] = char(c.version);
        file.mapLoadFailed = 1;
        file.mapPath = "/mine.map";
        const MapLoadResult r = insert(tmp.write("merge.map", image));
        ASSERT_TRUE(r.loaded) << c.what;
        EXPECT_FALSE(r.unknownVersion) << c.what;
        EXPECT_EQ(file.mapLoadFailed, 0) << c.what;
        EXPECT_EQ(file.mapPath, "/mine.map") << c.what;
        EXPECT_EQ(map.sectorCount, 3) << c.what;
        EXPECT_EQ(map.wallCount, 12) << c.what;
        EXPECT_EQ(map.spriteCount, 1) << c.what;
        EXPECT_EQ(map.walls[4].x, 10000) << "kept at the file's own coordinates";
        EXPECT_EQ(map.sprites[0].sectnum, 1) << c.what;
        EXPECT_EQ(map.selectedSectorCount, 2) << c.what;
        EXPECT_EQ(map.undoState, UndoState::Snapshot) << c.what;
        EXPECT_EQ(map.mapModified, MapModifiedState::Modified) << c.what;
        // The clipboard now holds the file, with its wall-to-sector table.
        EXPECT_EQ(m.clip.clipSectorCount, 2);
        EXPECT_EQ(m.clip.clipWallSector[3], 0);
        EXPECT_EQ(m.clip.clipWallSector[4], 1);
        expectValid();
    }
    std::string version9 = imageOf(roomsFarAway);
    version9[0] = 9;
    EXPECT_TRUE(insert(tmp.write("merge.map", version9)).unknownVersion);
}

// One sector whose outline runs along so many points that only `room` walls are left.
void leaveRoomForWalls(MapStore& s, int32_t room) {
    std::vector<IntPoint> outline;
    const int32_t n = kMaxWalls - room - 2;
    for (int32_t i = 0; i < n; ++i) outline.push_back({i * 4, 0});
    outline.push_back({n * 4, 1000});
    outline.push_back({0, 1000});
    MapBuilder(s).addSector(outline);
    updateWallSectnums(s);
}

TEST_F(MapFileTest, MergingRefusesWhatDoesNotFitBeforeChangingAnything) {
    struct Case {
        const char* what;
        void (*fill)(MapStore&);
        int32_t message;
    } const cases[] = {
        {"sectors full", [](MapStore& s) { buildSplitRoomGrid(s, 64, 64, 0); },
         kMsgNoRoomForSectors},
        {"room for 7 walls", [](MapStore& s) { leaveRoomForWalls(s, 7); }, kMsgNoRoomForWalls},
        {"sprites full", [](MapStore& s) { buildSplitRoomGrid(s, 64, 32, 8); },
         kMsgNoRoomForSprites},
    };
    const std::string path = tmp.write("merge.map", imageOf(roomsFarAway));
    for (const Case& c : cases) {
        map.sectorCount = map.wallCount = map.spriteCount = 0;
        c.fill(map);
        map.mapModified = MapModifiedState::Unmodified;
        map.undoState = UndoState::Nothing;
        clearClipboard(m.clip);
        m.clip.clipSpriteCount = 1;
        m.clip.clipSprites[0].x = 77;
        const auto before = std::make_unique<MapStore>(map);
        m.events.clear();
        const MapLoadResult r = insert(path);
        EXPECT_FALSE(r.loaded) << c.what;
        EXPECT_TRUE(r.refused) << c.what;
        EXPECT_EQ(m.events.statusNumbers(), std::vector<int32_t>{c.message}) << c.what;
        EXPECT_EQ(snapshotDifference(map, *before), "") << c.what;
        EXPECT_EQ(map.undoState, UndoState::Nothing) << c.what;
        EXPECT_EQ(m.clip.clipSpriteCount, 1) << c.what;
        EXPECT_EQ(m.clip.clipSprites[0].x, 77) << c.what;
        EXPECT_EQ(file.mapLoadFailed, 1) << c.what;
    }
    // With room for exactly its 8 walls the same file goes in.
    map.sectorCount = map.wallCount = map.spriteCount = 0;
    leaveRoomForWalls(map, 8);
    EXPECT_TRUE(insert(path).loaded);
    EXPECT_EQ(map.wallCount, kMaxWalls);
}

TEST_F(MapFileTest, MergingCutsIndicesThatLeaveTheFile) {
    build.addRoom(0, 0, 100, 100);
    build.addRoom(100, 0, 200, 100);
    build.addSprite(50, 50, 0, 0);
    build.link();
    auto before = std::make_unique<MapStore>(map);

    auto damaged = std::make_unique<MapStore>();
    roomsFarAway(*damaged);
    damaged->walls[0].nextwall = 500;  // beyond the file's walls
    damaged->walls[0].nextsector = 0;
    damaged->walls[1].nextsector = -7;
    damaged->walls[2].point2 = 999;
    damaged->walls[5].nextwall = -3;
    damaged->sectors[1].wallnum = 100;  // runs past the file's walls
    damaged->sprites[0].sectnum = 40;
    ASSERT_TRUE(insert(tmp.write("bad.map", serializeMap(*damaged))).loaded);

    // The map's own objects are as they were.
    for (int32_t w = 0; w < before->wallCount; ++w) {
        EXPECT_EQ(std::memcmp(&map.walls[w], &before->walls[w], sizeof(WallRecord)), 0) << w;
        EXPECT_EQ(map.wallSector[w], before->wallSector[w]) << w;
    }
    for (int32_t s = 0; s < before->sectorCount; ++s)
        EXPECT_EQ(std::memcmp(&map.sectors[s], &before->sectors[s], sizeof(SectorRecord)), 0);
    EXPECT_EQ(std::memcmp(&map.sprites[0], &before->sprites[0], sizeof(SpriteRecord)), 0);
    // Everything merged refers to merged objects only.
    const int32_t firstWall = before->wallCount, firstSector = before->sectorCount;
    for (int32_t w = firstWall; w < map.wallCount; ++w) {
        const WallRecord& wall = map.walls[w];
        EXPECT_TRUE(wall.point2 >= firstWall && wall.point2 < map.wallCount) << w;
        EXPECT_TRUE(wall.nextwall == -1 || wall.nextwall >= firstWall) << w;
        EXPECT_TRUE(wall.nextsector == -1 || wall.nextsector >= firstSector) << w;
    }
    for (int32_t s = firstSector; s < map.sectorCount; ++s) {
        const SectorRecord& sec = map.sectors[s];
        EXPECT_GE(sec.wallptr, firstWall);
        EXPECT_LE(int32_t(sec.wallptr) + sec.wallnum, map.wallCount);
    }
    // The sprite's sector number was cut; the paste then placed it by its position.
    EXPECT_EQ(m.clip.clipSprites[0].sectnum, -1);
}

TEST_F(MapFileTest, MergingTwiceAddsTwiceAndSelectsTheSecondCopy) {
    const std::string path = tmp.write("merge.map", imageOf(roomsFarAway));
    ASSERT_TRUE(insert(path).loaded);
    ASSERT_TRUE(insert(path).loaded);
    EXPECT_EQ(map.sectorCount, 4);
    EXPECT_EQ(map.walls[8].x, map.walls[0].x);
    EXPECT_EQ(map.sectorSelected[0] + map.sectorSelected[1], 0);
    EXPECT_EQ(map.sectorSelected[2] + map.sectorSelected[3], 2);
}

// --- Autosave schedule ---

TEST_F(MapFileTest, AutosaveIsDueOnceTheDelayHasPassedSinceAChange) {
    using S = MapModifiedState;
    struct Case {
        int32_t frameTime, last, delay;
        S modified;
        int32_t maxAutosaves;
        bool due;
    } const cases[] = {
        {60001, 0, 60, S::Modified, 3, true},
        {60000, 0, 60, S::Modified, 3, false},  // strictly more than the delay
        {90000, 0, 0, S::Modified, 3, false},   // switched off
        {90000, 0, 60, S::AutoSaved, 3, false},
        {90000, 0, 60, S::Unmodified, 3, false},
        {90000, 0, 60, S::Modified, 0, false},
        {2147483647, -2147483647 - 1, 4, S::Modified, 1, true},  // the difference overflows
        {1000, 0, 2147484, S::Modified, 1, false},               // so does the delay in ms
    };
    for (const Case& c : cases)
        EXPECT_EQ(autoSaveDue(c.frameTime, c.last, c.delay, c.modified, c.maxAutosaves), c.due)
            << c.frameTime << " " << c.last << " " << c.delay;
    EXPECT_EQ(autoSaveFileName(0), "AUTO0000.MAP");
    EXPECT_EQ(autoSaveFileName(42), "AUTO0042.MAP");
    EXPECT_EQ(nextAutoSaveNumber(2, 3), 0);
    EXPECT_EQ(nextAutoSaveNumber(7, 3), 2);  // the cycle was shortened meanwhile
    EXPECT_EQ(nextAutoSaveNumber(5, 0), 0);
}

TEST_F(MapFileTest, LatestAutosaveStopsAtAGapAndPrefersTheLowestOfEqualTimes) {
    struct Case {
        const char* what;
        std::vector<std::pair<int32_t, time_t>> files;  // number, modified time
        std::string expected;
    } const cases[] = {
        {"newest wins", {{0, 1000}, {1, 3000}, {2, 2000}}, "AUTO0001.MAP"},
        {"a gap ends the search", {{0, 1000}, {2, 5000}}, "AUTO0000.MAP"},
        {"equal times: lowest number", {{0, 4000}, {1, 4000}, {2, 3000}}, "AUTO0000.MAP"},
        {"none at all", {{1, 1000}}, ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        for (const auto& [n, time] : c.files) {
            const std::string path = folder.write(autoSaveFileName(n), "x");
            const utimbuf times{time, time};
            ASSERT_EQ(::utime(path.c_str(), &times), 0);
        }
        const auto found = findLatestAutoSave(fs, folder.path());
        EXPECT_EQ(found.value_or(""), c.expected.empty() ? "" : folder.file(c.expected)) << c.what;
    }
}

}  // namespace
}  // namespace korvel::test
