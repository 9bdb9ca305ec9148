#include "resources/TileStore.h"

#include <algorithm>

#include "base/FileSystem.h"
#include "base/MessageNumbers.h"
#include "base/ValueConv.h"
#include "map/MapEvents.h"
#include "resources/GroupFile.h"

namespace korvel {

namespace {

constexpr size_t kMaxCandidates = 256;
constexpr uint8_t kArchiveLogColour = 224;
constexpr uint8_t kLooseLogColour = 214;
constexpr uint8_t kDoneLogColour = 128;
constexpr uint8_t kDamagedLogColour = 68;
// "... is too short or damaged and was not used"; "... is damaged: the tiles it spoils are left
// empty".
constexpr int64_t kArtTablesStart = 16;  // after the version and the three tile numbers

struct Candidate {
    std::string name;
    int32_t number = 0;
    bool loose = false;
    int64_t offset = 0;  // archive entries: data offset in the archive
    int64_t length = 0;  // archive entries: entry length; loose files: length on disk
};

std::string fileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void clearTileTables(TileStore& tiles) {
    std::fill(tiles.tileWidths.begin(), tiles.tileWidths.end(), int16_t(0));
    std::fill(tiles.tileHeights.begin(), tiles.tileHeights.end(), int16_t(0));
    std::fill(tiles.tileAnims.begin(), tiles.tileAnims.end(), 0);
    std::fill(tiles.tileOffsets.begin(), tiles.tileOffsets.end(), 0);
}

// Appends the tile files of the program folder, in listing order; folders too, since a name
// alone decides (a folder then reads as nothing).
void addLooseFiles(std::vector<Candidate>& list, std::array<bool, kArtFileNumbers>& seen,
                   const std::string& programFolder, FileSystem& fs) {
    for (const auto& entry : fs.listEntries(programFolder)) {
        if (list.size() >= kMaxCandidates) return;
        if (entry.name == "." || entry.name == "..") continue;
        const auto number = artFileNumber(entry.name);
        if (!number) continue;
        const auto length = fs.fileLength(joinPath(programFolder, entry.name));
        list.push_back({entry.name, *number, true, 0, length.value_or(0)});
        seen[size_t(*number)] = true;
    }
}

void addArchiveEntries(std::vector<Candidate>& list, std::array<bool, kArtFileNumbers>& seen,
                       const std::string& grpPath, FileSystem& fs, MapEvents& events) {
    const auto directory = readGroupDirectory(fs, grpPath);
    if (!directory) return;  // no archive: the same as one without tile files
    if (directory->notAnArchive) {
        events.bootLogMessage(kMsgFileNotUsed, kDamagedLogColour, {fileNameOf(grpPath)});
        return;
    }
    if (directory->damaged)
        events.bootLogMessage(kMsgArtDamaged, kDamagedLogColour, {fileNameOf(grpPath)});
    for (const auto& entry : directory->entries) {
        if (list.size() >= kMaxCandidates) return;
        const auto number = artFileNumber(entry.name);
        if (!number || seen[size_t(*number)]) continue;
        seen[size_t(*number)] = true;
        list.push_back({entry.name, *number, false, entry.offset, entry.length});
    }
}

int32_t longAt(const std::vector<uint8_t>& b, int64_t at) {
    return bytesToLong(b[size_t(at)], b[size_t(at + 1)], b[size_t(at + 2)], b[size_t(at + 3)]);
}
int16_t shortAt(const std::vector<uint8_t>& b, int64_t at) {
    return bytesToInt(b[size_t(at)], b[size_t(at + 1)]);
}

enum class ArtTables { Read, Damaged };

// Fills the tiles of ART file n from its bytes in artPixels. The header's first and last tile
// numbers say how many tiles the file holds, and so how long each of its three tables is; the
// file's own number places them, tile i of the file being tile 256 n + i. Only the file's own
// bytes are read. A file of another version, or whose tables cannot be read from its bytes,
// gives no tiles; a tile with a negative size, or whose pixels would run past the end of the
// file, is left 0 x 0 and takes no pixels; tiles past the 256 of its number are not used.
ArtTables readArtTables(TileStore& tiles, int32_t n) {
    const int64_t base = tiles.artFileOffsets[size_t(n)];
    const int64_t length = tiles.artFileLengths[size_t(n)];
    const auto& px = tiles.artPixels;
    if (length < kArtTablesStart) return ArtTables::Damaged;
    if (px[size_t(base)] != 1 || px[size_t(base + 1)] != 0 || px[size_t(base + 2)] != 0 ||
        px[size_t(base + 3)] != 0)
        return ArtTables::Damaged;
    const int64_t firstTile = longAt(px, base + 8), lastTile = longAt(px, base + 12);
    const int64_t count = lastTile - firstTile + 1;
    if (firstTile < 0 || count < 1 || kArtTablesStart + 8 * count > length)
        return ArtTables::Damaged;
    const int64_t widths = base + kArtTablesStart, heights = widths + 2 * count,
                  anims = widths + 4 * count, pixels = kArtTablesStart + 8 * count;
    bool spoiled = count > kTilesPerArtFile;
    const int64_t placed = spoiled ? kTilesPerArtFile : count;
    int64_t used = 0;  // pixel bytes of the tiles before this one
    for (int64_t i = 0; i < placed; ++i) {
        const size_t t = size_t(kTilesPerArtFile * n + i);
        const int16_t w = shortAt(px, widths + 2 * i);
        const int16_t h = shortAt(px, heights + 2 * i);
        const int64_t size = int64_t(w) * int64_t(h);
        tiles.tileOffsets[t] = int32_t(base + pixels - 1 + used);
        if (w < 0 || h < 0 || pixels + used + size > length) {
            spoiled = true;
            tiles.tileWidths[t] = 0;
            tiles.tileHeights[t] = 0;
            tiles.tileAnims[t] = 0;
            continue;
        }
        tiles.tileWidths[t] = w;
        tiles.tileHeights[t] = h;
        tiles.tileAnims[t] = longAt(px, anims + 4 * i);
        used += size;
    }
    return spoiled ? ArtTables::Damaged : ArtTables::Read;
}

}  // namespace

std::optional<int32_t> artFileNumber(std::string_view name) {
    if (name.size() < 8 || !sameNameNoCase(name.substr(0, 5), "tiles") ||
        !sameNameNoCase(name.substr(name.size() - 3), "art"))
        return std::nullopt;
    int32_t number = 0;
    for (size_t i = 5; i < 8; ++i) {
        if (name[i] < '0' || name[i] > '9') return std::nullopt;
        number = number * 10 + (name[i] - '0');
    }
    if (number >= kArtFileNumbers) return std::nullopt;
    return number;
}

void loadArtTiles(TileStore& tiles, std::string& grpPath, const std::string& programFolder,
                  FileSystem& fs, MapEvents& events) {
    std::vector<Candidate> list;
    std::array<bool, kArtFileNumbers> seen{};
    if (grpPath.empty()) {
        addLooseFiles(list, seen, programFolder, fs);
        grpPath = findNoCase(fs, programFolder, "DUKE3D.GRP");
    }
    addArchiveEntries(list, seen, grpPath, fs, events);

    if (!list.empty()) {
        // The first candidate of each number is the one read; only those take room.
        std::array<const Candidate*, kArtFilesRead> chosen{};
        std::array<bool, kArtFilesRead> fits{};
        int64_t total = 0;
        for (const auto& c : list) {
            if (c.number >= kArtFilesRead || chosen[size_t(c.number)]) continue;
            chosen[size_t(c.number)] = &c;
            fits[size_t(c.number)] = total + c.length <= kMaxArtBytes;
            if (fits[size_t(c.number)]) total += c.length;
        }
        // Filled by appending, so that only the padding is zeroed rather than the whole buffer.
        tiles.artPixels.clear();
        tiles.artPixels.reserve(size_t(total + kArtPadding));
        tiles.artFileOffsets.fill(-1);
        tiles.artFileLengths.fill(0);
        clearTileTables(tiles);

        int64_t p = 0;
        for (int32_t n = 0; n < kArtFilesRead; ++n) {
            const Candidate* c = chosen[size_t(n)];
            if (!c) continue;
            // A loose file that grew since it was measured is cut to its room; one that is gone
            // or is a folder reads as nothing.
            std::optional<std::string> bytes;
            if (fits[size_t(n)])
                bytes = c->loose ? fs.readRange(joinPath(programFolder, c->name), 0, c->length)
                                 : fs.readRange(grpPath, c->offset, c->length);
            if (!bytes) {
                events.bootLogMessage(kMsgArtDamaged, kDamagedLogColour, {c->name});
                continue;
            }
            const int64_t got = std::min<int64_t>(int64_t(bytes->size()), c->length);
            tiles.artPixels.insert(tiles.artPixels.end(), bytes->begin(), bytes->begin() + got);
            tiles.artFileOffsets[size_t(n)] = int32_t(p);
            tiles.artFileLengths[size_t(n)] = int32_t(got);
            p += got;
            events.bootLogMessage(kMsgLoadingTileFile,
                                  c->loose ? kLooseLogColour : kArchiveLogColour, {c->name});
            if (readArtTables(tiles, n) == ArtTables::Damaged)
                events.bootLogMessage(kMsgArtDamaged, kDamagedLogColour, {c->name});
        }
        tiles.artPixels.resize(size_t(p + kArtPadding), 0);
        events.bootLogMessage(kMsgTilesLoaded, kDoneLogColour);
    }
    tiles.artLoaded = 1;
}

void ensureArtLoaded(TileStore& tiles, std::string& grpPath, const std::string& programFolder,
                     FileSystem& fs, MapEvents& events) {
    if (tiles.artLoaded != 0) return;
    loadArtTiles(tiles, grpPath, programFolder, fs, events);
    events.statusMessage(kMsgTilesLoadedTextured);
}

std::span<const uint8_t> tilePixels(const TileStore& tiles, int32_t tile) {
    if (tile < 0 || tile >= kTileCount) return {};
    const int64_t w = tiles.tileWidths[size_t(tile)];
    const int64_t h = tiles.tileHeights[size_t(tile)];
    const int64_t first = int64_t(tiles.tileOffsets[size_t(tile)]) + 1;
    if (w <= 0 || h <= 0 || first < 0 || first + w * h > int64_t(tiles.artPixels.size())) return {};
    return {tiles.artPixels.data() + first, size_t(w * h)};
}

}  // namespace korvel
