// Map files of versions 7 and 8: the byte layout, reading a file into the store, writing the
// store (through a temporary file, the overwritten file kept in a trash folder), merging a file
// into the map through the clipboard, the recent-file list and the autosave schedule.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/MessageNumbers.h"
#include "map/MapClipboard.h"
#include "map/MapEvents.h"
#include "map/MapFileState.h"
#include "map/MapStore.h"
#include "map/UndoSnapshot.h"

namespace korvel {

class FileSystem;

constexpr int64_t kSectorRecordBytes = 40;
constexpr int64_t kWallRecordBytes = 32;
constexpr int64_t kSpriteRecordBytes = 44;
// Header, three counts and every record at capacity: nothing past this can be map content.
constexpr int64_t kMaxMapFileBytes = 26 + kSectorRecordBytes * kMaxSectors +
                                     kWallRecordBytes * kMaxWalls +
                                     kSpriteRecordBytes * kMaxSprites;
// Shorter files hold no usable header.
constexpr int64_t kMinMapFileBytes = 21;

// Status message about a damaged file that was loaded all the same.
// A file that counts more sectors, walls or sprites than a map holds is refused; each message
// names its list.
// A save failed, and the new version of the map is kept in the file the message names.

// Where the parts of a map file lie, with the counts as they can be used.
struct MapFileLayout {
    int32_t version = 0;  // bytes 0..3
    int32_t startX = 0, startY = 0, startZ = 0;
    int16_t startAngle = 0;
    int16_t startSector = 0;
    int32_t sectorCount = 0, wallCount = 0, spriteCount = 0;
    int64_t sectorOffset = 0, wallOffset = 0, spriteOffset = 0;
    // The file ends before the records it declares: the whole records before the end are used,
    // and every later list is taken as empty.
    bool truncated = false;
    // A count beyond what a map holds: the list's records could not all be held, and where the
    // later lists start would be a guess, so the file is no usable map. The message names the
    // list; 0 when every count fits. The counts of that list and every later one are 0.
    int32_t countTooLargeMessage = 0;
};

// The layout of a map file image; nothing when it is shorter than a header. Counts are read as
// unsigned 16-bit numbers, so a map of 32768 walls reads back whole.
std::optional<MapFileLayout> parseMapFile(std::string_view bytes);
bool isKnownMapVersion(int32_t version);

// 8 when a count passes what version 7 allows (1024 sectors, 8192 walls, 4096 sprites), else 7.
int32_t mapFileVersion(const MapStore& map);
// The file image of the map.
std::string serializeMap(const MapStore& map);

// The file's bytes as far as they can hold a map; nothing for a missing file or a read error.
std::optional<std::string> readMapFileBytes(FileSystem& fs, const std::string& path);

struct MapLoadResult {
    bool loaded = false;  // false: no file, or too short; nothing was changed
    uint8_t versionByte = 0;
    bool unknownVersion = false;  // neither 7 nor 8: the user is asked to check the map
    bool truncated = false;
    // Refused for a count beyond capacity: this message names the list (else 0).
    int32_t countTooLargeMessage = 0;
    // For merging: refused for lack of room (the status line says which).
    bool refused = false;

    // The status message about damage the file showed, 0 for none.
    int32_t noticeMessage() const {
        return countTooLargeMessage != 0 ? countTooLargeMessage : truncated ? kMsgMapCutShort : 0;
    }
};

// Replaces the map by the file: records, start position, path, title, the version's low byte
// and, unless silent, the recent list; then the map is fresh (nothing selected, nothing to undo,
// unmodified). Sets mapLoadFailed. Where the views look is the caller's business. A file whose
// count passes what a map holds changes nothing; mapLoadNotice then names the list.
MapLoadResult loadMap(MapStore& map, MapFileState& file, FileSystem& fs, const std::string& path,
                      bool silent);

// Writes the map to path (replaceFile): the new file is written whole beside it and reaches the
// disk, an existing file gets a second name in trashFolder (under its file name, replacing the
// last trash copy of that name), and one rename puts the new file in place; a path that is a
// symbolic link writes the file it leads to. False when the map was not saved; then the old file
// is at its path as it was, the map and the file state are unchanged, and keptNewFile names the
// file that holds the new version when there is one. On success a normal save makes path the
// map's file and marks it unmodified; an autosave only marks it autosaved.
bool saveMap(MapStore& map, MapFileState& file, FileSystem& fs, const std::string& path,
             bool autosaveMode, const std::string& trashFolder);

// Reads the whole content of the file into the clipboard (whose content it replaces), at the
// file's own coordinates, for a merge into the map. Room for everything in the map is checked
// first; links and ranges that point outside the file are cut, so nothing merged refers to the
// map's own objects. `loaded` when the clipboard holds the file; sets mapLoadFailed otherwise,
// and a refusal (no room, or a count beyond capacity) tells the status line why.
MapLoadResult readMapFileIntoClipboard(const MapStore& map, MapClipboard& clip, MapFileState& file,
                                       FileSystem& fs, MapEvents& events, const std::string& path);

// Puts path in slot 0 of the recent list. A slot holding it in any letter case is taken out and
// the slots before it move down; otherwise every slot moves down and the last drops out.
void updateRecentFiles(MapFileState& file, const std::string& path);

// Autosave: due when it is switched on, the delay has passed since the last one and the map has
// changed since then.
bool autoSaveDue(int32_t frameTime, int32_t lastAutoSaveTime, int32_t autosaveDelay,
                 MapModifiedState mapModified, int32_t maxAutosaves);
// "AUTO0000.MAP" for 0.
std::string autoSaveFileName(int32_t number);
// The number after `number` in a cycle of maxAutosaves files.
int32_t nextAutoSaveNumber(int32_t number, int32_t maxAutosaves);
// The newest autosave file in folder (numbers from 0 up to the first one missing; of equal
// times the lowest number); nothing when there is none.
std::optional<std::string> findLatestAutoSave(FileSystem& fs, const std::string& folder);

}  // namespace korvel
