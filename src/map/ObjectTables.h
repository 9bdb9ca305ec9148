// The tables kept for each object of a kind (sector, wall, sprite), indexed like its records,
// each listed once with its role. Moving, clearing and reordering entries, the undo snapshot
// and the edit bracket all follow these lists, so a new table is one member and one line.
#pragma once

#include <cstdint>
#include <tuple>

#include "base/FixedArray.h"
#include "map/MapRecords.h"

namespace korvel {

constexpr int32_t kMaxSectors = 4096;
constexpr int32_t kMaxWalls = 32768;
constexpr int32_t kMaxSprites = 16384;

// What a table is for, which decides what happens to it besides following its objects wherever
// they are renumbered.
enum class TableRole : uint8_t {
    // The records: kept by the undo snapshot; what may lie above the count is the record
    // extent's business.
    Records,
    // Selection and hidden state: kept by the undo snapshot; zero for objects handed out or
    // back and for a new map.
    Flags,
    // Marks operations keep for themselves (the wall pass marks): zero for objects handed out
    // or back and for a new map.
    Working,
    // wallMoveState: one entry per wall only while movedWallCount is kAllWallsMarked; otherwise
    // a list that follows renumberings by value.
    MoveMarks,
    // Rebuilt from the records when needed (wallSector, spriteStackCount): it only follows its
    // objects.
    Derived,
};

template <typename Kind, typename Table>
struct TableEntry {
    Table Kind::*table;
    TableRole role;
    const char* name;
};

template <typename Kind, typename Table>
constexpr TableEntry<Kind, Table> tableEntry(Table Kind::*table, TableRole role, const char* name) {
    return {table, role, name};
}

struct SectorTables {
    FixedArray<SectorRecord, kMaxSectors> sectors;
    FixedArray<uint8_t, kMaxSectors> sectorSelected;  // non-zero: selected
    FixedArray<uint8_t, kMaxSectors> sectorIgnored;   // HiddenState

    static constexpr auto tables() {
        return std::tuple{
            tableEntry(&SectorTables::sectors, TableRole::Records, "sectors"),
            tableEntry(&SectorTables::sectorSelected, TableRole::Flags, "sectorSelected"),
            tableEntry(&SectorTables::sectorIgnored, TableRole::Flags, "sectorIgnored"),
        };
    }
};

struct WallTables {
    FixedArray<WallRecord, kMaxWalls> walls;
    FixedArray<uint8_t, kMaxWalls> wallSelected;  // non-zero: selected
    // A vertex is named by the wall that starts there.
    FixedArray<uint8_t, kMaxWalls> vertexSelected;
    FixedArray<uint8_t, kMaxWalls> wallIgnored;  // HiddenState
    // Marks of the passes inside one operation (walls still to relink, a wall being followed
    // through deletions); zero between operations.
    FixedArray<uint8_t, kMaxWalls> wallPassMark;
    // WallMoveState per wall while movedWallCount is kAllWallsMarked; a list of the walls at
    // one dragged vertex while it is 1 .. kAllWallsMarked - 1; nothing marked while it is 0 or
    // less.
    FixedArray<int16_t, kMaxWalls> wallMoveState;
    // The sector that owns each wall.
    FixedArray<int16_t, kMaxWalls> wallSector;

    static constexpr auto tables() {
        return std::tuple{
            tableEntry(&WallTables::walls, TableRole::Records, "walls"),
            tableEntry(&WallTables::wallSelected, TableRole::Flags, "wallSelected"),
            tableEntry(&WallTables::vertexSelected, TableRole::Flags, "vertexSelected"),
            tableEntry(&WallTables::wallIgnored, TableRole::Flags, "wallIgnored"),
            tableEntry(&WallTables::wallPassMark, TableRole::Working, "wallPassMark"),
            tableEntry(&WallTables::wallMoveState, TableRole::MoveMarks, "wallMoveState"),
            tableEntry(&WallTables::wallSector, TableRole::Derived, "wallSector"),
        };
    }
};

struct SpriteTables {
    FixedArray<SpriteRecord, kMaxSprites> sprites;
    FixedArray<uint8_t, kMaxSprites> spriteSelected;  // non-zero: selected
    FixedArray<uint8_t, kMaxSprites> spriteIgnored;   // HiddenState
    // For each group of sprites at one x, y: the group's size at one member, 0 at the others.
    FixedArray<int16_t, kMaxSprites> spriteStackCount;

    static constexpr auto tables() {
        return std::tuple{
            tableEntry(&SpriteTables::sprites, TableRole::Records, "sprites"),
            tableEntry(&SpriteTables::spriteSelected, TableRole::Flags, "spriteSelected"),
            tableEntry(&SpriteTables::spriteIgnored, TableRole::Flags, "spriteIgnored"),
            tableEntry(&SpriteTables::spriteStackCount, TableRole::Derived, "spriteStackCount"),
        };
    }
};

// A table added to a kind but not to its list would be left behind by every move: refuse it.
template <typename Kind>
constexpr bool listsEveryTable = sizeof(Kind) == std::tuple_size_v<decltype(Kind::tables())> *
                                                     sizeof(FixedArray<uint8_t, 1>);
static_assert(listsEveryTable<SectorTables>);
static_assert(listsEveryTable<WallTables>);
static_assert(listsEveryTable<SpriteTables>);

// Calls f(table, role, name) for every table of one kind, `table` being a pointer to the member
// (use it as `store.*table` on anything holding the kind's tables).
template <typename Kind, typename F>
void forEachTable(F&& f) {
    std::apply([&](const auto&... e) { (f(e.table, e.role, e.name), ...); }, Kind::tables());
}

// The same over the tables of every kind.
template <typename F>
void forEachObjectTable(F&& f) {
    forEachTable<SectorTables>(f);
    forEachTable<WallTables>(f);
    forEachTable<SpriteTables>(f);
}

}  // namespace korvel
