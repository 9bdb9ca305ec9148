#include "map/MapFile.h"

#include <cstring>

#include "base/FileReplace.h"
#include "base/FileSystem.h"
#include "base/Mainm.h"
#include "base/PathNames.h"
#include "base/Cp1251.h"

namespace korvel {

namespace {

constexpr int32_t kMaxAutoSaveNumbers = 10000;  // four digits

template <typename T>
T readAt(std::string_view bytes, int64_t at) {
    T v;
    std::memcpy(&v, bytes.data() + at, sizeof(T));
    return v;
}

template <typename T>
void writeAt(std::string& bytes, int64_t at, T v) {
    std::memcpy(bytes.data() + at, &v, sizeof(T));
}

// One count and its records: the count field at `at`, the records after it. Once the file was
// found cut short, nothing after the cut can be trusted, so every later list is empty; once a
// count passed capacity, nothing more is read at all, since the file is refused.
struct ListReader {
    std::string_view bytes;
    MapFileLayout& layout;

    int64_t read(int64_t at, int32_t capacity, int64_t recordBytes, int32_t tooManyMessage,
                 int32_t& count) {
        const int64_t length = int64_t(bytes.size());
        count = 0;
        if (layout.truncated || layout.countTooLargeMessage != 0) return at + 2;
        if (length < at + 2) {
            layout.truncated = true;
            return at + 2;
        }
        int32_t declared = readAt<uint16_t>(bytes, at);
        if (declared > capacity) {
            layout.countTooLargeMessage = tooManyMessage;
            return at + 2;
        }
        const int64_t fit = (length - at - 2) / recordBytes;
        if (declared > fit) {
            layout.truncated = true;
            declared = int32_t(fit);
        }
        count = declared;
        return at + 2;
    }
};

void copyRecords(void* to, std::string_view bytes, int64_t at, int64_t n, int64_t size) {
    if (n > 0) std::memcpy(to, bytes.data() + at, size_t(n * size));
}

// The name the trash copy takes: the file name, or the whole path when it is a bare name.
std::string trashName(const std::string& path) {
    if (path.find_first_of("\\/") == std::string::npos) return path;
    return getPathFileName(path);
}

int32_t clampCount(int32_t n, int32_t capacity) {
    return n < 0 ? 0 : n > capacity ? capacity : n;
}

// Indices of the merged records that would reach outside the merged file, and so, once the
// file is appended, into the map's own objects, are cut.
void cutOutsideIndices(MapClipboard& clip) {
    const int32_t sectors = clip.clipSectorCount, walls = clip.clipWallCount;
    for (int32_t s = 0; s < sectors; ++s) {
        SectorRecord& sec = clip.clipSectors[s];
        if (sec.wallptr < 0 || sec.wallptr > walls) {
            sec.wallptr = int16_t(walls);
            sec.wallnum = 0;
        }
        if (sec.wallnum < 0) sec.wallnum = 0;
        if (int32_t(sec.wallptr) + sec.wallnum > walls) sec.wallnum = int16_t(walls - sec.wallptr);
    }
    for (int32_t w = 0; w < walls; ++w) {
        WallRecord& wall = clip.clipWalls[w];
        if (wall.point2 < 0 || wall.point2 >= walls) wall.point2 = int16_t(w);
        const bool wallOutside =
            wall.nextwall != -1 && (wall.nextwall < 0 || wall.nextwall >= walls);
        const bool sectorOutside =
            wall.nextsector != -1 && (wall.nextsector < 0 || wall.nextsector >= sectors);
        if (wallOutside || sectorOutside) wall.nextwall = wall.nextsector = -1;
    }
    for (int32_t k = 0; k < clip.clipSpriteCount; ++k) {
        SpriteRecord& sp = clip.clipSprites[k];
        if (sp.sectnum < -1 || sp.sectnum >= sectors) sp.sectnum = -1;
    }
}

MapLoadResult describe(const MapFileLayout& layout) {
    MapLoadResult r;
    r.versionByte = uint8_t(layout.version & 0xFF);
    r.unknownVersion = !isKnownMapVersion(layout.version);
    r.truncated = layout.truncated;
    r.countTooLargeMessage = layout.countTooLargeMessage;
    return r;
}

}  // namespace

std::optional<MapFileLayout> parseMapFile(std::string_view bytes) {
    if (int64_t(bytes.size()) < kMinMapFileBytes) return std::nullopt;
    MapFileLayout m;
    m.version = readAt<int32_t>(bytes, 0);
    m.startX = readAt<int32_t>(bytes, 4);
    m.startY = readAt<int32_t>(bytes, 8);
    m.startZ = readAt<int32_t>(bytes, 12);
    m.startAngle = readAt<int16_t>(bytes, 16);
    m.startSector = readAt<int16_t>(bytes, 18);
    ListReader reader{bytes, m};
    m.sectorOffset =
        reader.read(20, kMaxSectors, kSectorRecordBytes, kMsgTooManySectors, m.sectorCount);
    m.wallOffset = reader.read(m.sectorOffset + kSectorRecordBytes * m.sectorCount, kMaxWalls,
                               kWallRecordBytes, kMsgTooManyWalls, m.wallCount);
    m.spriteOffset = reader.read(m.wallOffset + kWallRecordBytes * m.wallCount, kMaxSprites,
                                 kSpriteRecordBytes, kMsgTooManySprites, m.spriteCount);
    return m;
}

bool isKnownMapVersion(int32_t version) {
    return version == 7 || version == 8;
}

int32_t mapFileVersion(const MapStore& map) {
    return map.sectorCount > 1024 || map.wallCount > 8192 || map.spriteCount > 4096 ? 8 : 7;
}

std::string serializeMap(const MapStore& map) {
    const int32_t sectors = clampCount(map.sectorCount, kMaxSectors);
    const int32_t walls = clampCount(map.wallCount, kMaxWalls);
    const int32_t sprites = clampCount(map.spriteCount, kMaxSprites);
    std::string out(size_t(26 + kSectorRecordBytes * sectors + kWallRecordBytes * walls +
                           kSpriteRecordBytes * sprites),
                    '\0');
    writeAt<int32_t>(out, 0, mapFileVersion(map));
    writeAt<int32_t>(out, 4, map.startX);
    writeAt<int32_t>(out, 8, map.startY);
    writeAt<int32_t>(out, 12, map.startZ);
    writeAt<int16_t>(out, 16, map.startAngle);
    writeAt<int16_t>(out, 18, map.startSector);
    int64_t at = 20;
    writeAt<uint16_t>(out, at, uint16_t(sectors));
    std::memcpy(out.data() + at + 2, map.sectors.data(), size_t(kSectorRecordBytes * sectors));
    at += 2 + kSectorRecordBytes * sectors;
    writeAt<uint16_t>(out, at, uint16_t(walls));
    std::memcpy(out.data() + at + 2, map.walls.data(), size_t(kWallRecordBytes * walls));
    at += 2 + kWallRecordBytes * walls;
    writeAt<uint16_t>(out, at, uint16_t(sprites));
    std::memcpy(out.data() + at + 2, map.sprites.data(), size_t(kSpriteRecordBytes * sprites));
    return out;
}

std::optional<std::string> readMapFileBytes(FileSystem& fs, const std::string& path) {
    if (path.empty()) return std::nullopt;
    return fs.readAll(path, kMaxMapFileBytes);
}

MapLoadResult loadMap(MapStore& map, MapFileState& file, FileSystem& fs, const std::string& path,
                      bool silent) {
    const auto bytes = readMapFileBytes(fs, path);
    const auto layout = bytes ? parseMapFile(*bytes) : std::nullopt;
    if (!layout) {
        file.mapLoadFailed = 1;
        file.mapLoadNotice = 0;
        return {};
    }
    MapLoadResult result = describe(*layout);
    if (result.countTooLargeMessage != 0) {
        file.mapLoadFailed = 1;
        file.mapLoadNotice = result.countTooLargeMessage;
        return result;
    }
    file.mapLoadFailed = 0;
    result.loaded = true;
    file.mapLoadNotice = result.noticeMessage();
    file.mapVersionByte = result.versionByte;
    noteRecordExtent(map);  // the old contents, for resetMapState to clear above the new counts

    map.startX = layout->startX;
    map.startY = layout->startY;
    map.startZ = layout->startZ;
    map.startAngle = layout->startAngle;
    map.startSector = layout->startSector;

    copyRecords(map.sectors.data(), *bytes, layout->sectorOffset, layout->sectorCount,
                kSectorRecordBytes);
    copyRecords(map.walls.data(), *bytes, layout->wallOffset, layout->wallCount, kWallRecordBytes);
    copyRecords(map.sprites.data(), *bytes, layout->spriteOffset, layout->spriteCount,
                kSpriteRecordBytes);
    map.sectorCount = layout->sectorCount;
    map.wallCount = layout->wallCount;
    map.spriteCount = layout->spriteCount;

    file.mapPath = path;
    file.mapTitle = shownPathText(getPathFileName(path));
    if (!silent) updateRecentFiles(file, path);
    resetMapState(map);
    return result;
}

bool saveMap(MapStore& map, MapFileState& file, FileSystem& fs, const std::string& path,
             bool autosaveMode, const std::string& trashFolder) {
    file.keptNewFile.clear();
    if (path.empty()) return false;
    ReplaceOptions options;
    const std::string name = trashName(path);
    if (!name.empty()) options.trashCopy = joinPath(trashFolder, name);
    options.keepNewOnFailure = true;
    const ReplaceResult written = replaceFile(fs, path, serializeMap(map), options);
    if (!written.replaced) {
        file.keptNewFile = written.keptFile;
        return false;
    }

    if (autosaveMode) {
        map.mapModified = MapModifiedState::AutoSaved;
    } else {
        file.mapPath = path;
        file.mapTitle = shownPathText(getPathFileName(path));
        map.mapModified = MapModifiedState::Unmodified;
        updateRecentFiles(file, path);
    }
    return true;
}

MapLoadResult readMapFileIntoClipboard(const MapStore& map, MapClipboard& clip, MapFileState& file,
                                       FileSystem& fs, MapEvents& events, const std::string& path) {
    const auto bytes = readMapFileBytes(fs, path);
    const auto layout = bytes ? parseMapFile(*bytes) : std::nullopt;
    if (!layout) {
        file.mapLoadFailed = 1;
        return {};
    }
    MapLoadResult result = describe(*layout);
    if (result.countTooLargeMessage != 0) {
        events.statusMessage(result.countTooLargeMessage, {shownPathText(getPathFileName(path))});
        file.mapLoadFailed = 1;
        return result;
    }
    const int32_t refusal =
        map.sectorCount + layout->sectorCount > kMaxSectors   ? kMsgNoRoomForSectors
        : map.wallCount + layout->wallCount > kMaxWalls       ? kMsgNoRoomForWalls
        : map.spriteCount + layout->spriteCount > kMaxSprites ? kMsgNoRoomForSprites
                                                              : 0;
    if (refusal != 0) {
        events.statusMessage(refusal);
        file.mapLoadFailed = 1;
        result.refused = true;
        return result;
    }

    clip.clipSectorCount = layout->sectorCount;
    clip.clipWallCount = layout->wallCount;
    clip.clipSpriteCount = layout->spriteCount;
    copyRecords(clip.clipSectors.data(), *bytes, layout->sectorOffset, layout->sectorCount,
                kSectorRecordBytes);
    copyRecords(clip.clipWalls.data(), *bytes, layout->wallOffset, layout->wallCount,
                kWallRecordBytes);
    copyRecords(clip.clipSprites.data(), *bytes, layout->spriteOffset, layout->spriteCount,
                kSpriteRecordBytes);
    cutOutsideIndices(clip);
    // The records keep the file's own coordinates.
    clip.clipOriginX = clip.clipOriginY = 0;
    rebuildClipWallSector(clip);
    result.loaded = true;
    return result;
}

void updateRecentFiles(MapFileState& file, const std::string& path) {
    auto& slots = file.recentFiles;
    int32_t hit = kRecentFileCount - 1;
    for (int32_t i = 0; i < kRecentFileCount; ++i)
        if (equalIgnoringCase(slots[size_t(i)], path)) {
            hit = i;
            break;
        }
    for (int32_t i = hit; i > 0; --i) slots[size_t(i)] = std::move(slots[size_t(i - 1)]);
    slots[0] = path;
}

bool autoSaveDue(int32_t frameTime, int32_t lastAutoSaveTime, int32_t autosaveDelay,
                 MapModifiedState mapModified, int32_t maxAutosaves) {
    return autosaveDelay != 0 &&
           int64_t(frameTime) - lastAutoSaveTime > int64_t(autosaveDelay) * 1000 &&
           mapModified == MapModifiedState::Modified && maxAutosaves >= 1;
}

std::string autoSaveFileName(int32_t number) {
    return "AUTO" + zeroPad(number, 4) + ".MAP";
}

int32_t nextAutoSaveNumber(int32_t number, int32_t maxAutosaves) {
    if (maxAutosaves < 1 || number < 0) return 0;
    return int32_t((int64_t(number) + 1) % maxAutosaves);
}

std::optional<std::string> findLatestAutoSave(FileSystem& fs, const std::string& folder) {
    std::optional<std::string> best;
    int64_t bestTime = 0;
    for (int32_t n = 0; n < kMaxAutoSaveNumbers; ++n) {
        const std::string path = joinPath(folder, autoSaveFileName(n));
        if (!fs.fileExists(path)) break;
        const int64_t time = fs.modifiedTime(path).value_or(INT64_MIN);
        if (!best || time > bestTime) {
            best = path;
            bestTime = time;
        }
    }
    return best;
}

}  // namespace korvel
