#include "app/DemoFile.h"

#include <cstring>

#include "app/Settings.h"

namespace korvel {

namespace {

// The trailer's tag; a file without it plays with the current values of those settings.
constexpr std::string_view kExtrasTag = "KVX1";
constexpr size_t kExtrasSize = 7;

struct ByteSlot {
    size_t at;
    uint8_t Settings::*field;
};
struct WordSlot {
    size_t at;
    int32_t Settings::*field;
};

// Byte 20 ("affgmode") is a 32-bit setting kept as its low byte; byte 35 is padding.
constexpr size_t kAffineModeAt = 20;
constexpr ByteSlot kByteSlots[] = {
    {12, &Settings::twoColorBlend},   {13, &Settings::sectorsFull},
    {14, &Settings::sectorHighlight}, {15, &Settings::showGrid},
    {16, &Settings::showSprites},     {17, &Settings::showVertices},
    {18, &Settings::showWalls},       {19, &Settings::ceilingView},
    {21, &Settings::autoGrid},        {22, &Settings::autoTextureMove},
    {23, &Settings::autoWallSquare},  {24, &Settings::realtimeUpdate},
    {25, &Settings::regionSelectMode}, {26, &Settings::smallImages},
    {27, &Settings::snapToGrid},      {28, &Settings::spritesFull},
    {29, &Settings::spriteNumbers},   {30, &Settings::spriteOffsets},
    {31, &Settings::spriteOrientation}, {32, &Settings::spriteTags},
    {33, &Settings::wallVectors},     {34, &Settings::zRangeMode},
};
constexpr WordSlot kWordSlots[] = {
    {36, &Settings::zRangeLow},     {40, &Settings::zRangeHigh},
    {44, &Settings::zRangeOffset},  {48, &Settings::gridSpacing},
    {52, &Settings::affineGridXx},  {56, &Settings::affineGridXy},
    {60, &Settings::affineGridX1},  {64, &Settings::affineGridYx},
    {68, &Settings::affineGridYy},  {72, &Settings::affineGridY1},
    {76, &Settings::repeatDelay},   {80, &Settings::repeatStart},
    {84, &Settings::vertexSnapDistance},
};

int32_t int32At(std::string_view b, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= uint32_t(uint8_t(b[at + i])) << (8 * i);
    return int32_t(v);
}
int16_t int16At(std::string_view b, size_t at) {
    return int16_t(uint16_t(uint8_t(b[at]) | (uint16_t(uint8_t(b[at + 1])) << 8)));
}
void put16(std::string& out, int16_t v) {
    out.push_back(char(uint16_t(v) & 0xFF));
    out.push_back(char(uint16_t(v) >> 8));
}
void put32(std::string& out, int32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char((uint32_t(v) >> (8 * i)) & 0xFF));
}

}  // namespace

int32_t readInt32(const DemoHeader& h, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= uint32_t(h[at + i]) << (8 * i);
    return int32_t(v);
}

void writeInt32(DemoHeader& h, size_t at, int32_t v) {
    for (size_t i = 0; i < 4; ++i) h[at + i] = uint8_t((uint32_t(v) >> (8 * i)) & 0xFF);
}

std::string serializeDemoFile(const DemoFileData& data) {
    DemoHeader h = data.header;
    writeInt32(h, kDemoFrameCountAt, int32_t(data.frames.size()));
    writeInt32(h, kDemoKeyCountAt, int32_t(data.keys.size()));
    writeInt32(h, kDemoNameLengthAt, int32_t(data.languageName.size()));
    h[35] = 0;
    std::string out;
    out.reserve(kDemoHeaderSize + data.languageName.size() + 12 * data.frames.size() +
                data.keys.size() + kExtrasSize);
    out.append(reinterpret_cast<const char*>(h.data()), h.size());
    out += data.languageName;
    for (const DemoFrame& f : data.frames) {
        put16(out, f.x);
        put16(out, f.y);
        put32(out, f.time);
        put16(out, f.prevKeyCount);
        put16(out, f.keyCount);
    }
    out.append(reinterpret_cast<const char*>(data.keys.data()), data.keys.size());
    if (data.extras) {
        out += kExtrasTag;
        out.push_back(char(data.extras->showSparks));
        out.push_back(char(data.extras->sparkMode));
        out.push_back(char(data.extras->layoutSwitchKeys));
    }
    return out;
}

std::optional<DemoFileData> parseDemoFile(std::string_view b) {
    if (b.size() < kDemoHeaderSize) return std::nullopt;
    const int64_t frameCount = int32At(b, kDemoFrameCountAt);
    const int64_t keyCount = int32At(b, kDemoKeyCountAt);
    const int64_t nameLength = int32At(b, kDemoNameLengthAt);
    if (frameCount < 1 || keyCount < 0 || nameLength < 0) return std::nullopt;
    const int64_t framesAt = int64_t(kDemoHeaderSize) + nameLength;
    const int64_t keysAt = framesAt + 12 * frameCount;
    const int64_t end = keysAt + keyCount;
    if (end > int64_t(b.size())) return std::nullopt;

    DemoFileData d;
    std::memcpy(d.header.data(), b.data(), kDemoHeaderSize);
    d.languageName.assign(b.substr(kDemoHeaderSize, size_t(nameLength)));
    d.frames.resize(size_t(frameCount));
    int64_t sum = 0;
    for (int64_t i = 0; i < frameCount; ++i) {
        const size_t at = size_t(framesAt + 12 * i);
        DemoFrame& f = d.frames[size_t(i)];
        f.x = int16At(b, at);
        f.y = int16At(b, at + 2);
        f.time = int32At(b, at + 4);
        f.prevKeyCount = int16At(b, at + 8);
        f.keyCount = int16At(b, at + 10);
        const int16_t expectedPrev = i == 0 ? 0 : d.frames[size_t(i - 1)].keyCount;
        if (f.keyCount < 0 || f.prevKeyCount != expectedPrev) return std::nullopt;
        sum += f.keyCount;
    }
    if (sum != keyCount) return std::nullopt;
    const auto* keys = reinterpret_cast<const uint8_t*>(b.data() + keysAt);
    d.keys.assign(keys, keys + keyCount);
    const std::string_view rest = b.substr(size_t(end));
    if (rest.size() >= kExtrasSize && rest.substr(0, kExtrasTag.size()) == kExtrasTag)
        d.extras = DemoExtras{uint8_t(rest[4]), uint8_t(rest[5]), uint8_t(rest[6])};
    return d;
}

void storeDemoSettings(DemoHeader& h, uint32_t seed, const Settings& s) {
    writeInt32(h, kDemoSeedAt, int32_t(seed));
    for (const ByteSlot& slot : kByteSlots) h[slot.at] = s.*slot.field;
    h[kAffineModeAt] = uint8_t(uint32_t(s.affineGridMode) & 0xFF);
    h[35] = 0;
    for (const WordSlot& slot : kWordSlots) writeInt32(h, slot.at, s.*slot.field);
}

uint32_t applyDemoSettings(const DemoHeader& h, Settings& s) {
    for (const ByteSlot& slot : kByteSlots) s.*slot.field = h[slot.at];
    s.affineGridMode = int32_t(h[kAffineModeAt]);
    for (const WordSlot& slot : kWordSlots) s.*slot.field = readInt32(h, slot.at);
    return uint32_t(readInt32(h, kDemoSeedAt));
}

}  // namespace korvel
