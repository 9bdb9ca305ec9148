// Small stand-ins for the game's files, made by the tests themselves: group archives, ART files
// and text palettes, and a scratch folder on disk to put them in.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "support/TempFolder.h"

namespace korvel::test {

// Writes little-endian numbers into a byte string, growing it as needed.
void putShort(std::string& bytes, size_t at, int16_t value);
void putLong(std::string& bytes, size_t at, int32_t value);

struct SyntheticTile {
    SyntheticTile(int16_t w, int16_t h, int32_t a = 0, std::string px = {})
        : width(w), height(h), anim(a), pixels(std::move(px)) {}
    int16_t width = 0;
    int16_t height = 0;
    int32_t anim = 0;
    // width x height bytes, column after column; empty gives patternPixel's pattern.
    std::string pixels;
};

// A pixel value that differs between tiles and positions, never the transparent 255.
uint8_t patternPixel(int32_t tile, int32_t x, int32_t y);

// A version-1 ART file of ART file number fileNumber holding tileCount tiles: the given tiles
// first, the rest 0 x 0. Its header names the tiles from firstTile on (256 * fileNumber unless
// given). Pixels of patterned tiles use the tile numbers 256 * fileNumber + i.
std::string makeArtFile(int32_t fileNumber, const std::vector<SyntheticTile>& tiles,
                        int32_t tileCount = 256, std::optional<int32_t> firstTile = {});

struct GroupFileEntry {
    std::string name;  // at most 12 bytes
    std::string data;
};
std::string makeGroupFile(const std::vector<GroupFileEntry>& entries);

// A text palette as the editor's data files hold it, colour k being (r(k), g(k), b(k)).
struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};
std::string makeTextPalette(const std::array<Rgb, 256>& colours);
// 256 colours that are easy to tell apart: red ramps with green and blue steps.
std::array<Rgb, 256> distinctColours();
// PALETTE.DAT: 768 bytes of 6-bit channels.
std::string makePaletteDat(const std::array<Rgb, 256>& sixBitColours);

// The real file system whose writes fail for the given file names (any folder).
class WriteFailingFileSystem : public NativeFileSystem {
public:
    explicit WriteFailingFileSystem(std::set<std::string> failingNames)
        : failingNames_(std::move(failingNames)) {}
    bool writeAtomic(const std::string& path, const std::string& bytes) override;

private:
    std::set<std::string> failingNames_;
};

}  // namespace korvel::test
