// The demo file: a 92-byte header (counts, seed, the settings that shape how input is read,
// the language name's length), the language name, 12-byte frame records, the key bytes, and a
// trailer of our own with three more settings. Reading and writing are pure functions on bytes;
// the reader checks the whole file before anything uses it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

struct Settings;

constexpr size_t kDemoHeaderSize = 92;
using DemoHeader = std::array<uint8_t, kDemoHeaderSize>;

// Field offsets of the header.
constexpr size_t kDemoFrameCountAt = 0, kDemoKeyCountAt = 4, kDemoSeedAt = 8;
constexpr size_t kDemoNameLengthAt = 88;

struct DemoFrame {
    int16_t x = 0;  // mouseX
    int16_t y = 0;  // mouseY, rows from the bottom
    int32_t time = 0;
    int16_t prevKeyCount = 0;  // keyCount of the frame before (0 in frame 0)
    int16_t keyCount = 0;      // key bytes of this frame
};
static_assert(sizeof(DemoFrame) == 12);

// Settings a demo needs that the header has no room for: "shsparks", "sparkmod", "kbswmode".
struct DemoExtras {
    uint8_t showSparks = 0;
    uint8_t sparkMode = 0;
    uint8_t layoutSwitchKeys = 0;
};

struct DemoFileData {
    DemoHeader header{};  // the counts and the name length are set by the writer
    std::string languageName;
    std::vector<DemoFrame> frames;
    std::vector<uint8_t> keys;
    std::optional<DemoExtras> extras;  // absent in files without the trailer
};

int32_t readInt32(const DemoHeader& h, size_t at);
void writeInt32(DemoHeader& h, size_t at, int32_t v);

// The file's bytes: the header's counts and name length are taken from the data.
std::string serializeDemoFile(const DemoFileData& data);
// Nothing when the file is short, a count is negative, a size runs past the end, or the frames'
// key counts do not chain and add up to the header's key count.
std::optional<DemoFileData> parseDemoFile(std::string_view bytes);

// Bytes 8..87: the seed and the 36 settings.
void storeDemoSettings(DemoHeader& h, uint32_t seed, const Settings& s);
// The inverse; the seed is returned rather than applied.
uint32_t applyDemoSettings(const DemoHeader& h, Settings& s);

}  // namespace korvel
