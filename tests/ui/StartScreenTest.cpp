#include "ui/StartScreen.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <functional>

#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "support/DrawFixtures.h"
#include "support/TempFolder.h"

namespace korvel {
namespace {

int appendBytes(GifFileType* gif, const GifByteType* bytes, int length) {
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
    return length;
}

// A GIF of one picture; pixel(x, y) with y counted from the top, as GIF rows are.
std::string encodeGif(int width, int height, bool interlace,
                      const std::function<uint8_t(int, int)>& pixel, int imageWidth = -1,
                      int imageHeight = -1) {
    imageWidth = imageWidth < 0 ? width : imageWidth;
    imageHeight = imageHeight < 0 ? height : imageHeight;
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendBytes, &error);
    ColorMapObject* map = GifMakeMapObject(256, nullptr);
    for (int i = 0; i < 256; ++i)
        map->Colors[i] = {GifByteType(i), GifByteType(255 - i), GifByteType(i / 2)};
    EGifPutScreenDesc(gif, width, height, 8, 0, map);
    EGifPutImageDesc(gif, 0, 0, imageWidth, imageHeight, interlace, nullptr);
    std::vector<int> order;
    if (interlace) {
        for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
            for (int y = start; y < imageHeight; y += step) order.push_back(y);
    } else {
        for (int y = 0; y < imageHeight; ++y) order.push_back(y);
    }
    std::vector<GifByteType> row(imageWidth);
    for (const int y : order) {
        for (int x = 0; x < imageWidth; ++x) row[x] = pixel(x, y);
        EGifPutLine(gif, row.data(), imageWidth);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

uint8_t pattern(int x, int y) {
    return uint8_t(x * 7 + y * 3);
}

TEST(StartScreen, PictureBecomesTheBottomUpScreenWithItsPalette) {
    for (const bool interlace : {false, true}) {
        SCOPED_TRACE(interlace);
        test::DrawRig rig;  // rows longer than 800 bytes, as a bitmap's may be
        const auto result = decodeStartScreen(*rig.fb, encodeGif(800, 600, interlace, pattern));
        ASSERT_TRUE(result.ok) << result.error;
        for (const auto& [x, y] : {std::pair{0, 0}, {799, 0}, {0, 599}, {123, 456}, {799, 599}})
            EXPECT_EQ(rig.px(x, 599 - y), pattern(x, y)) << x << "," << y;
        EXPECT_TRUE(rig.guardsIntact());
        EXPECT_EQ(rig.fb->screenPalette[10], (Rgb{10, 245, 5}));
        EXPECT_EQ(rig.fb->screenPalette[255], (Rgb{255, 0, 127}));
    }
}

TEST(StartScreen, UnusablePicturesAreRefusedAndLeaveTheScreenAlone) {
    const std::string good = encodeGif(800, 600, false, pattern);
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"not a GIF", "hello, world"},
        {"another size", encodeGif(640, 480, false, pattern)},
        {"a smaller picture on the right canvas", encodeGif(800, 600, false, pattern, 400, 300)},
        {"cut short", good.substr(0, good.size() / 2)},
        {"header only", good.substr(0, 13)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::DrawRig rig;
        rig.clear(9);
        const auto result = decodeStartScreen(*rig.fb, c.bytes);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.empty());
        EXPECT_TRUE(test::unchangedOutside(screenView(*rig.fb), 9, {}));
        EXPECT_EQ(rig.fb->screenPalette[10], Rgb{});
    }
}

TEST(StartScreen, LoadsFromAFileAndReportsAMissingOne) {
    TempFolder dir;
    NativeFileSystem fs;
    FrameBuffer fb;
    const auto missing = loadStartScreen(fb, fs, dir.file("mainscr.gif"));
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("missing"), std::string::npos);
    dir.write("mainscr.gif", encodeGif(800, 600, false, pattern));
    EXPECT_TRUE(loadStartScreen(fb, fs, dir.file("mainscr.gif")).ok);
    EXPECT_EQ(fb.screen[0], pattern(0, 599));
}

}  // namespace
}  // namespace korvel
