#include "support/SyntheticGameFiles.h"
#include "platform/NativeFileSystem.h"
#include "resources/GroupFile.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace korvel::test {

namespace stdfs = std::filesystem;

void putShort(std::string& bytes, size_t at, int16_t value) {
    if (bytes.size() < at + 2) bytes.resize(at + 2, '\0');
    const auto v = uint16_t(value);
    bytes[at] = char(v & 0xFF);
    bytes[at + 1] = char(v >> 8);
}

void putLong(std::string& bytes, size_t at, int32_t value) {
    if (bytes.size() < at + 4) bytes.resize(at + 4, '\0');
    const auto v = uint32_t(value);
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = char((v >> (8 * i)) & 0xFF);
}

uint8_t patternPixel(int32_t tile, int32_t x, int32_t y) {
    return uint8_t((tile * 7 + x * 13 + y * 3) % 255);
}

std::string makeArtFile(int32_t fileNumber, const std::vector<SyntheticTile>& tiles,
                        int32_t tileCount, std::optional<int32_t> firstTile) {
    const size_t count = size_t(tileCount);
    const int32_t first = firstTile.value_or(256 * fileNumber);
    std::string bytes(16 + 8 * count, '\0');
    putLong(bytes, 0, 1);
    putLong(bytes, 4, tileCount);
    putLong(bytes, 8, first);
    putLong(bytes, 12, first + tileCount - 1);
    for (size_t i = 0; i < tiles.size() && i < count; ++i) {
        const auto& t = tiles[i];
        putShort(bytes, 16 + 2 * i, t.width);
        putShort(bytes, 16 + 2 * count + 2 * i, t.height);
        putLong(bytes, 16 + 4 * count + 4 * i, t.anim);
        if (!t.pixels.empty()) {
            bytes += t.pixels;
            continue;
        }
        for (int32_t x = 0; x < t.width; ++x)
            for (int32_t y = 0; y < t.height; ++y)
                bytes += char(patternPixel(256 * fileNumber + int32_t(i), x, y));
    }
    return bytes;
}

std::string makeGroupFile(const std::vector<GroupFileEntry>& entries) {
    std::string bytes(kGroupSignature);
    putLong(bytes, 12, int32_t(entries.size()));
    for (const auto& e : entries) {
        std::string name = e.name.substr(0, 12);
        name.resize(12, '\0');
        bytes += name;
        putLong(bytes, bytes.size(), int32_t(e.data.size()));
    }
    for (const auto& e : entries) bytes += e.data;
    return bytes;
}

std::string makeTextPalette(const std::array<Rgb, 256>& colours) {
    std::ostringstream text;
    text << "JASC-PAL\r\n0100\r\n256\r\n";
    for (const auto& c : colours) text << int(c.r) << ' ' << int(c.g) << ' ' << int(c.b) << "\r\n";
    return text.str();
}

std::array<Rgb, 256> distinctColours() {
    std::array<Rgb, 256> colours;
    for (int k = 0; k < 256; ++k)
        colours[size_t(k)] = {uint8_t((k % 16) * 17), uint8_t((k / 16) * 17), uint8_t(255 - k)};
    return colours;
}

std::string makePaletteDat(const std::array<Rgb, 256>& sixBitColours) {
    std::string bytes;
    for (const auto& c : sixBitColours) {
        bytes += char(c.r);
        bytes += char(c.g);
        bytes += char(c.b);
    }
    return bytes;
}

bool WriteFailingFileSystem::writeAtomic(const std::string& path, const std::string& bytes) {
    const std::string name = stdfs::path(path).filename().string();
    if (failingNames_.count(name)) return false;
    return NativeFileSystem::writeAtomic(path, bytes);
}

}  // namespace korvel::test
