// F12: the presented frame written as a numbered 8-bit picture, and a failed write said so.
#include "app/Screenshot.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/FrameLoop.h"
#include "app/Startup.h"
#include "base/MessageNumbers.h"
#include "commands/FileCommands.h"
#include "platform/NativeFileSystem.h"
#include "support/EditorRig.h"

namespace korvel {
namespace {

uint32_t read32(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= uint32_t(uint8_t(b[at + i])) << (8 * i);
    return v;
}
uint16_t read16(const std::string& b, size_t at) {
    return uint16_t(uint8_t(b[at]) | (uint8_t(b[at + 1]) << 8));
}

class NoWritesFileSystem : public NativeFileSystem {
public:
    bool writeAtomic(const std::string&, const std::string&) override { return false; }
};

struct ShotRig : test::EditorRig {
    ShotRig() {
        EXPECT_TRUE(startup(*ed));
        ed->particles.screenEffectFrame = 200;
        frame();
    }
};

TEST(Screenshot, F12WritesThePresentedFrameWithItsHeaderAndPalette) {
    ShotRig r;
    Editor& ed = *r.ed;
    std::vector<uint8_t> presented(480000);
    for (int32_t y = 0; y < 600; ++y)
        for (int32_t x = 0; x < 800; ++x)
            presented[size_t(y) * 800 + size_t(x)] = r.platform->framePixel(x, y);
    r.platform->clearPlayedSounds();
    r.platform->setKeyDown(123, true);
    r.frame();
    r.platform->setKeyDown(123, false);
    EXPECT_EQ(ed.app.statusText, getMessage(83, ed.langs));  // the picture was saved
    EXPECT_EQ(r.platform->playedCues().back(), "beep2.wav");
    ASSERT_TRUE(r.dir.exists("KRVD0000.BMP"));
    const std::string b = r.dir.read("KRVD0000.BMP");
    ASSERT_EQ(b.size(), 481078u);
    const struct {
        size_t at;
        uint32_t value;
        int bytes;
    } fields[] = {{0, 0x4D42, 2},  {2, 481078, 4}, {6, 0, 4},    {10, 1078, 4},
                  {14, 40, 4},     {18, 800, 4},   {22, 600, 4}, {26, 1, 2},
                  {28, 8, 2},      {30, 0, 4},     {34, 480000, 4}, {38, 0, 4},
                  {42, 0, 4},      {46, 256, 4},   {50, 256, 4}};
    for (const auto& f : fields)
        EXPECT_EQ(f.bytes == 2 ? read16(b, f.at) : read32(b, f.at), f.value) << "offset " << f.at;
    for (size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(uint8_t(b[54 + 4 * i]), ed.colorTables.paletteBlue[i]);
        EXPECT_EQ(uint8_t(b[55 + 4 * i]), ed.colorTables.paletteGreen[i]);
        EXPECT_EQ(uint8_t(b[56 + 4 * i]), ed.colorTables.paletteRed[i]);
        EXPECT_EQ(b[57 + 4 * i], 0);
    }
    // The frame presented before F12 was handled, bottom row first.
    EXPECT_TRUE(b.compare(1078, 480000, reinterpret_cast<const char*>(presented.data()), 480000) == 0);
}

TEST(Screenshot, NumbersCountUpAndStartAgainAfter9999) {
    ShotRig r;
    Editor& ed = *r.ed;
    EXPECT_TRUE(saveScreenshot(ed));
    EXPECT_TRUE(saveScreenshot(ed));
    EXPECT_TRUE(r.dir.exists("KRVD0000.BMP"));
    EXPECT_TRUE(r.dir.exists("KRVD0001.BMP"));
    ed.app.screenshotCounter = 9999;
    EXPECT_TRUE(saveScreenshot(ed));
    EXPECT_TRUE(r.dir.exists("KRVD9999.BMP"));
    EXPECT_EQ(ed.app.screenshotCounter, 0);
}

TEST(Screenshot, AFolderThatTakesNoFileIsReportedAndTheCounterStays) {
    ShotRig r;
    Editor& ed = *r.ed;
    r.platform->setFileSystem(std::make_unique<NoWritesFileSystem>());
    r.platform->clearPlayedSounds();
    ed.app.screenshotCounter = 7;
    takeScreenshot(ed);
    EXPECT_EQ(ed.app.statusText, getMessage(kMsgScreenshotFailed, ed.langs));
    EXPECT_EQ(ed.app.screenshotCounter, 7);
    EXPECT_FALSE(r.dir.exists("KRVD0007.BMP"));
    for (const std::string& cue : r.platform->playedCues()) EXPECT_NE(cue, "beep2.wav");
}

}  // namespace
}  // namespace korvel
