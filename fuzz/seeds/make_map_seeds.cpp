// Writes the seed maps of the map-file and merge fuzz targets into each folder given as an
// argument: maps from the test builders (rooms, neighbours, holes, islands, sprites, random
// layouts) and a few damaged variants of them, so the fuzzer starts from files shaped like real
// ones.
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "map/MapFile.h"
#include "support/GridMaps.h"
#include "support/MapBuilder.h"
#include "support/RandomMaps.h"

using namespace korvel;
using namespace korvel::test;

namespace {

std::string imageOf(const std::function<void(MapStore&)>& build) {
    auto map = std::make_unique<MapStore>();
    build(*map);
    return serializeMap(*map);
}

bool writeSeed(const std::string& folder, const std::string& name, const std::string& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

bool writeSeeds(const std::string& folder) {
    const std::string empty = imageOf([](MapStore&) {});
    const std::string rooms = imageOf([](MapStore& map) {
        MapBuilder b(map);
        const int32_t s = b.addRoom(0, 0, 1024, 1024);
        b.addRectHole(256, 256, 512, 512);
        b.addRoom(256, 256, 512, 512);  // an island in the hole
        b.addRoom(1024, 0, 2048, 1024);
        b.addSprite(100, 100, 0, s);
        b.addSprite(1500, 500, -512, s + 2, 7);
        b.link();
        map.startX = 512;
        map.startY = 512;
    });
    const std::string grid = imageOf([](MapStore& map) {
        MapBuilder b(map);
        b.addGrid(0, 0, 3, 3, 256);
        b.addSprite(10, 10, 0, 0);
        b.link();
    });

    bool ok = writeSeed(folder, "empty.map", empty) && writeSeed(folder, "rooms.map", rooms) &&
              writeSeed(folder, "grid.map", grid);
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        std::mt19937 rng(seed);
        ok = ok && writeSeed(folder, "random" + std::to_string(seed) + ".map",
                             imageOf([&](MapStore& map) { buildRandomMap(map, rng); }));
    }
    std::string version9 = rooms;
    version9[0] = 9;
    std::string hugeCount = grid;
    hugeCount[20] = char(0x40), hugeCount[21] = char(0x9C);  // 40000 sectors
    ok = ok && writeSeed(folder, "cut.map", rooms.substr(0, rooms.size() - 50)) &&
         writeSeed(folder, "version9.map", version9) &&
         writeSeed(folder, "hugecount.map", hugeCount) &&
         writeSeed(folder, "header.map", empty.substr(0, 21));

    // Rooms whose sprites lost their sectors, sound and with every range claiming every wall.
    auto lostSprites = [](MapStore& map) {
        buildSplitRoomGrid(map, 4, 3, 2);
        for (int32_t k = 0; k < map.spriteCount; ++k) map.sprites[k].sectnum = -1;
    };
    ok = ok && writeSeed(folder, "lost_sprites.map", imageOf(lostSprites)) &&
         writeSeed(folder, "claim_all.map", imageOf([&](MapStore& map) {
                       lostSprites(map);
                       for (int32_t s = 0; s < map.sectorCount; ++s) {
                           map.sectors[s].wallptr = 0;
                           map.sectors[s].wallnum = int16_t(map.wallCount);
                       }
                   }));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_map_seeds <folder>...\n");
        return 2;
    }
    for (int i = 1; i < argc; ++i)
        if (!writeSeeds(argv[i])) return 1;
    return 0;
}
