#include "ui/Fonts.h"

#include <gtest/gtest.h>

#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "support/DrawFixtures.h"
#include "support/LanguageFixture.h"
#include "support/TempFolder.h"

namespace korvel {
namespace {

const Languages kLangs = test::languageWith({{323, "missing &1"}, {1334, "short &1"}});

TEST(Fonts, SheetBitsBecomeInkBytesRowByRowFromTheBottom) {
    // 40 pixels wide: 5 bytes of pixels and 3 of padding per row.
    auto ink = [](int32_t x, int32_t y) { return (x * 7 + y * 3) % 5 == 0 || x == 39; };
    const std::string file = test::fontSheetFile(40, 3, ink);
    ASSERT_EQ(file.size(), 62u + 3 * 8);
    std::vector<uint8_t> sheet;
    EXPECT_EQ(parseMonoBitmap(file, 40, 3, sheet), LoadStatus::Loaded);
    ASSERT_EQ(sheet.size(), 120u);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 40; ++x)
            EXPECT_EQ(sheet[y * 40 + x], ink(x, y) ? 255 : 0) << x << "," << y;
}

TEST(Fonts, EmptyAndShortSheetsLeaveTheSheetAsItWas) {
    const std::string file = test::fontSheetFile(64, 84, [](int32_t, int32_t) { return true; });
    ASSERT_EQ(file.size(), 734u);
    struct Case {
        const char* name;
        std::string bytes;
        LoadStatus status;
    };
    const Case cases[] = {{"empty", "", LoadStatus::Missing},
                          {"one byte short", file.substr(0, 733), LoadStatus::Truncated},
                          {"header only", file.substr(0, 62), LoadStatus::Truncated}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> sheet(64 * 84, 7);
        EXPECT_EQ(parseMonoBitmap(c.bytes, 64, 84, sheet), c.status);
        EXPECT_EQ(sheet, std::vector<uint8_t>(64 * 84, 7));
    }
}

TEST(Fonts, StartUpSheetsAreFoundWithoutRegardToCaseAndProblemsReported) {
    TempFolder dir;
    auto full = [](int32_t w, int32_t h) {
        return test::fontSheetFile(w, h, [](int32_t x, int32_t y) { return (x + y) % 2; });
    };
    dir.write("MFNT4X6.BMP", full(64, 84));
    dir.write("vfnt5x7.bmp", full(80, 98).substr(0, 500));
    dir.write("vfnt8x11.bmp", full(128, 154));
    NativeFileSystem fs;
    Fonts fonts;
    const auto results = loadFontSheets(fonts, fs, dir.path());
    EXPECT_EQ(results, (std::array<LoadStatus, 4>{LoadStatus::Loaded, LoadStatus::Missing,
                                                  LoadStatus::Truncated, LoadStatus::Loaded}));
    EXPECT_EQ(fonts.font4x6[1], 255);
    EXPECT_EQ(fonts.font8x11[128 + 0], 255);
    EXPECT_EQ(fonts.font5x7, std::vector<uint8_t>(80 * 98, 0));

    test::RecordingLog log;
    reportFontSheets(results, kLangs, log.sink());
    EXPECT_EQ(log.lines, (std::vector<test::LogLine>{{"missing mfnt7x11.bmp", 68},
                                                     {"short vfnt5x7.bmp", 68}}));
}

TEST(Fonts, WidthFilesAreDigitsNarrowedToTheCell) {
    struct Case {
        const char* name;
        std::string text;
        int32_t cell;
        LoadStatus status;
        std::vector<uint8_t> first;  // expected leading entries
        uint8_t last;
    };
    const std::string full = std::string(223, '4') + "6";
    const Case cases[] = {
        {"all 224 digits", full, 8, LoadStatus::Loaded, {4, 4, 4}, 6},
        {"anything after the 224th character is ignored",
         full + "999x",
         8,
         LoadStatus::Loaded,
         {4},
         6},
        {"a 9 is narrowed to the 8x11 cell", "9" + full.substr(1), 8, LoadStatus::Loaded, {8}, 6},
        {"and to the 5x7 cell", "97" + full.substr(2), 5, LoadStatus::Loaded, {5, 5}, 5},
        {"characters other than digits count as 0",
         "a-3" + full.substr(3),
         8,
         LoadStatus::Loaded,
         {0, 0, 3},
         6},
        {"a short file keeps 0 for the rest", "123", 8, LoadStatus::Truncated, {1, 2, 3, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::array<uint8_t, 224> widths;
        widths.fill(9);
        EXPECT_EQ(parseGlyphWidths(c.text, c.cell, widths), c.status);
        for (size_t k = 0; k < c.first.size(); ++k) EXPECT_EQ(widths[k], c.first[k]) << k;
        EXPECT_EQ(widths[223], c.last);
    }
    std::array<uint8_t, 224> untouched;
    untouched.fill(3);
    EXPECT_EQ(parseGlyphWidths("", 8, untouched), LoadStatus::Missing);
    EXPECT_EQ(untouched[0], 3);
}

TEST(Fonts, MissingWidthFileLogsMessage323AndShortOne1334) {
    TempFolder dir;
    dir.write("VFNT5X7.WID", "12");
    NativeFileSystem fs;
    Fonts fonts;
    test::RecordingLog log;
    loadGlyphWidthFiles(fonts, fs, dir.path(), kLangs, log.sink());
    EXPECT_EQ(log.lines, (std::vector<test::LogLine>{{"short vfnt5x7.wid", 68},
                                                     {"missing vfnt8x11.wid", 68}}));
    EXPECT_EQ(fonts.font5x7Widths[0], 1);
    EXPECT_EQ(fonts.font5x7Widths[1], 2);
    EXPECT_EQ(fonts.font8x11Widths, (std::array<uint8_t, 224>{}));
}

}  // namespace
}  // namespace korvel
