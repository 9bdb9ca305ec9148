// The map being edited: fixed-capacity arrays of sector, wall and sprite records with their
// counts and per-object tables (selection, hidden state, wall move marks, the wall-to-sector
// table), the start position and the map-level state kept with them.
#pragma once

#include <array>
#include <cstdint>

#include "base/FixedArray.h"
#include "base/MessageNumbers.h"
#include "map/MapEvents.h"
#include "map/MapRecords.h"
#include "map/ObjectTables.h"

namespace korvel {

// movedWallCount while wallMoveState holds one mark per wall; below it, 1.. is a list length.
constexpr int32_t kAllWallsMarked = 16777215;
constexpr int32_t kMaxLightSprites = 16384;

enum class WallMoveState : int16_t { None = 0, StartPoint = 1, EndPoint = 2, BothPoints = 3 };
enum class HiddenState : uint8_t { Shown = 0, Filtered = 1, Hidden = 2 };
enum class MapModifiedState : uint8_t { Unmodified = 0, Modified = 1, AutoSaved = 2 };
enum class UndoState : uint8_t { Nothing = 0, Snapshot = 1, SwapBack = 2 };

// Status messages of refusals that no older message covers.

// A wall's start point packed into one sortable number, with the wall's index.
struct WallPointKey {
    uint64_t point;
    int32_t wall;
};

// Storage the reordering operations work in. It is not map content: a copy of the store gets
// fresh, zeroed work space of its own.
struct MapWorkspace {
    MapWorkspace() = default;
    MapWorkspace(const MapWorkspace&) {}
    MapWorkspace& operator=(const MapWorkspace&) { return *this; }

    // Room for one per-wall table's entries of every wall: a block of walls is reordered one
    // table at a time through it.
    static constexpr int32_t kStashBytes = kMaxWalls * int32_t(sizeof(WallRecord));
    FixedArray<uint8_t, kStashBytes> stash;
    FixedArray<WallPointKey, kMaxWalls> startIndex;  // walls sorted by start point, for link repair
};

// How far up the record arrays may hold anything: records at and above these indices are zero.
// A load zeroes only the records between the new counts and this bound, not whole arrays.
// Removing objects hands their entries back through clearWallEntries and its sector and sprite
// twins, which widen the bound; other code that lowers a count, or writes records above a count
// without raising it, widens it itself (noteRecordExtent, or markAllRecordsUsed when it cannot
// tell).
struct RecordExtent {
    int32_t sectors = kMaxSectors;
    int32_t walls = kMaxWalls;
    int32_t sprites = kMaxSprites;
    bool operator==(const RecordExtent&) const = default;
};

// The single values of the store: counts, start position, selection counts and the state kept
// with the map.
struct MapScalars {
    int32_t sectorCount = 0;
    int32_t wallCount = 0;
    int32_t spriteCount = 0;
    RecordExtent recordExtent;  // a new store is assumed to hold anything

    int32_t startX = 0, startY = 0, startZ = 0;
    int16_t startAngle = 0;
    int16_t startSector = 0;

    int32_t selectedSectorCount = 0;
    int32_t selectedWallCount = 0;
    int32_t selectedSpriteCount = 0;
    int32_t selectedVertexCount = 0;
    int32_t selectedLoopCount = 0;

    // How wallMoveState is read (see WallTables).
    int32_t movedWallCount = 0;
    uint8_t spriteStacksValid = 0;  // spriteStackCount is up to date

    MapModifiedState mapModified = MapModifiedState::Unmodified;
    UndoState undoState = UndoState::Nothing;
    int32_t mostUsedSpriteTile = 0;
    int32_t booleanTargetSector = -2;  // -2: none
    int32_t lightSpriteCount = 0;
    // The light-source sprites, lightSpriteCount of them, in the order they were picked (a
    // script may set any count). They do not follow renumbering: readers check each entry
    // against spriteCount.
    std::array<int32_t, kMaxLightSprites> lightSprites{};
    int32_t zeroWallRemoved = 0;

    bool operator==(const MapScalars&) const = default;
};

// Everything a map edit can change: the tables of every kind of object and the single values.
// The undo snapshot and the edit bracket hold it as a value.
struct MapContent : SectorTables, WallTables, SpriteTables, MapScalars {};

// The map being edited.
struct MapStore : MapContent {
    MapWorkspace work;
};

// Index clamps: 0 when the array is empty.
int32_t clampTile(int32_t tile);
int32_t clampSector(const MapStore& map, int32_t index);
int32_t clampWall(const MapStore& map, int32_t index);

inline bool isSector(const MapStore& map, int32_t s) {
    return s >= 0 && s < map.sectorCount;
}
inline bool isWall(const MapStore& map, int32_t w) {
    return w >= 0 && w < map.wallCount;
}
inline bool isSprite(const MapStore& map, int32_t k) {
    return k >= 0 && k < map.spriteCount;
}

// Rebuilds wallSector from every sector's wall range (ends clamped). Walls that no range covers
// keep their entries, so readers check ownership with sectorOfWall.
void updateWallSectnums(MapStore& map);
// The sector whose wall range holds w according to wallSector, or -1.
int32_t sectorOfWall(const MapStore& map, int32_t w);

// Sets mostUsedSpriteTile; with no sprite it keeps its value.
void countSpriteTiles(MapStore& map);

// Widens recordExtent to take in the records below the current counts.
void noteRecordExtent(MapStore& map);
// For whole arrays brought in from elsewhere whose tails are unknown.
void markAllRecordsUsed(MapStore& map);

// Zeroes every selection, hidden-state and working table with the selection counts, and forgets
// the boolean target.
void clearObjectFlags(MapStore& map);

// Empties the store of every record and the start position, counts 0; the per-object tables are
// left to resetMapState.
void clearMapRecords(MapStore& map);
// After a load or for a new map: clears selection and hidden state, zeroes the records above
// the counts, forgets the undo snapshot and marks the map unmodified.
void resetMapState(MapStore& map);
// Makes an empty new map; where the views look is the caller's business.
void resetMap(MapStore& map, MapEvents& events);

}  // namespace korvel
