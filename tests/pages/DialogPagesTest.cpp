// The per-frame items of the options, drive list, file browser, tile zoom and filter, wall
// lighting, image export and 3D pages, drawn onto a screen cleared to one colour.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "app/EditorCanvas.h"
#include "app/Startup.h"
#include "commands/AttributeCommands.h"
#include "editing/WindowChrome.h"
#include "pages/DisplayOptions.h"
#include "pages/FileBrowser.h"
#include "pages/TileFilter.h"
#include "pages/TileZoom.h"
#include "pages/View3D.h"
#include "pages/WallLighting.h"
#include "base/Cp1251.h"
#include "support/EditorRig.h"
#include "support/LanguageFixture.h"
#include "view3d/Scene3d.h"

namespace korvel {
namespace {

constexpr uint8_t kClear = 7;

struct PageRig : test::EditorRig {
    PageRig() { EXPECT_TRUE(startup(*ed)); }
    void clear() {
        std::fill(ed->frameBuffer.screen.begin(), ed->frameBuffer.screen.end(), kClear);
    }
    uint8_t at(int32_t x, int32_t y) { return screenView(ed->frameBuffer).at(x, y); }
    std::vector<uint8_t> draw(Page page, void (*painter)(Editor&)) {
        ed->app.currentPage = page;
        clear();
        painter(*ed);
        return ed->frameBuffer.screen;
    }
    // Pixels of rows y0..y1 of the last drawn screen.
    std::vector<uint8_t> rows(int32_t y0, int32_t y1) {
        const auto& s = ed->frameBuffer.screen;
        return {s.begin() + y0 * 800, s.begin() + (y1 + 1) * 800};
    }
};

// Every pixel where two screens differ lies in the 16 x 16 box at (x, y), and one does.
void expectDifferenceOnlyIn(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b,
                            int32_t x, int32_t y, const std::string& what) {
    int changed = 0;
    for (int32_t row = 0; row < 600; ++row)
        for (int32_t col = 0; col < 800; ++col) {
            if (a[size_t(row * 800 + col)] == b[size_t(row * 800 + col)]) continue;
            ++changed;
            EXPECT_TRUE(col >= x && col < x + 16 && row >= y && row < y + 16)
                << what << " changed (" << col << ", " << row << ")";
        }
    EXPECT_GT(changed, 0) << what;
}

TEST(OptionsPages, EachBoxShowsItsSetting) {
    PageRig r;
    Settings& s = r.ed->settings;
    struct Box {
        Page page;
        uint8_t Settings::*setting;
        int32_t x, y;
    } boxes[] = {
        {Page::DisplayOptions, &Settings::fullScreen, 8, 524},
        {Page::DisplayOptions, &Settings::alternatePalette, 8, 416},
        {Page::DisplayOptions, &Settings::showFps, 8, 344},
        {Page::DisplayOptions, &Settings::showTime, 408, 344},
        {Page::DisplayOptions, &Settings::showSparks, 8, 320},
        {Page::DisplayOptions, &Settings::pointerShadow, 408, 320},
        {Page::DisplayOptions, &Settings::exitEffect, 8, 296},
        {Page::DisplayOptions, &Settings::pointerInterpolation, 408, 296},
        {Page::DisplayOptions, &Settings::transparentGrid, 8, 272},
        {Page::DisplayOptions, &Settings::constantSpriteSize, 408, 272},
        {Page::DisplayOptions, &Settings::smoothLines, 8, 248},
        {Page::GeneralOptions, &Settings::autoGrid, 8, 494},
        {Page::GeneralOptions, &Settings::realtimeUpdate, 408, 494},
        {Page::GeneralOptions, &Settings::loadTilesOnInit, 8, 470},
        {Page::GeneralOptions, &Settings::showTips, 408, 470},
        {Page::GeneralOptions, &Settings::enableSounds, 8, 446},
        {Page::GeneralOptions, &Settings::alternateFps, 408, 446},
    };
    for (const Box& b : boxes) {
        for (const Box& other : boxes) s.*other.setting = 0;
        const auto off = r.draw(b.page, drawOptionsPage);
        s.*b.setting = 1;
        const auto on = r.draw(b.page, drawOptionsPage);
        expectDifferenceOnlyIn(off, on, b.x, b.y, std::to_string(b.x) + "," + std::to_string(b.y));
    }
    std::vector<uint8_t> cpu[3];
    for (uint8_t mode = 0; mode < 3; ++mode) {
        s.limitCpu = mode;
        cpu[mode] = r.draw(Page::GeneralOptions, drawOptionsPage);
    }
    // Going from mode 0 to 1 turns the first radio button off and the second on.
    int firstBox = 0, secondBox = 0, thirdBox = 0;
    for (int32_t y = 0; y < 600; ++y)
        for (int32_t x = 0; x < 800; ++x) {
            const size_t i = size_t(y * 800 + x);
            if (y < 518 || y >= 534) {
                EXPECT_EQ(cpu[0][i], cpu[1][i]);
                continue;
            }
            if (cpu[0][i] != cpu[1][i]) (x < 200 ? firstBox : x < 400 ? secondBox : thirdBox)++;
        }
    EXPECT_GT(firstBox, 0);
    EXPECT_GT(secondBox, 0);
    EXPECT_EQ(thirdBox, 0);
    EXPECT_NE(cpu[2], cpu[1]);
}

TEST(OptionsPages, GammaPreviewShowsTheFirstTileBytesDithered) {
    PageRig r;
    Editor& ed = *r.ed;
    TileStore& t = ed.tiles;
    for (int p = 0; p < 256; ++p) ed.colorTables.gamePaletteMap[size_t(p)] = ColorPair(p | (255 - p) << 8);
    t.tileWidths[0] = t.tileHeights[0] = 0;
    t.artPixels.assign(3000, 40);
    r.draw(Page::DisplayOptions, drawOptionsPage);
    EXPECT_EQ(r.at(98, 468), kClear);  // no tiles, no preview

    t.tileWidths[0] = t.tileHeights[0] = 64;
    t.tileOffsets[0] = 10;
    for (size_t i = 0; i < t.artPixels.size(); ++i) t.artPixels[i] = uint8_t(i * 7);
    for (int32_t frame : {0, 1}) {
        ed.loop.frameNumber = frame;
        r.draw(Page::DisplayOptions, drawOptionsPage);
        for (int32_t k : {0, 1, 31, 32, 33, 100, 2047}) {
            const int32_t column = k / 32, row = k % 32;
            const uint8_t p = uint8_t((11 + k) * 7);
            const bool first = (column % 2) == frame % 2 ? true : false;
            EXPECT_EQ(r.at(98 + column, 468 - row), first ? p : uint8_t(255 - p))
                << "k " << k << " frame " << frame;
        }
    }
    // A 1 x 1 tile 0 that ends the pixels: one byte shown, nothing read past the end.
    t.tileWidths[0] = t.tileHeights[0] = 1;
    t.artPixels.assign(5, 9);
    t.tileOffsets[0] = 3;
    ed.loop.frameNumber = 0;
    r.draw(Page::DisplayOptions, drawOptionsPage);
    EXPECT_EQ(r.at(98, 468), 9);
    EXPECT_EQ(r.at(98, 467), kClear);
}

TEST(OptionsPages, LanguageListRowsNamesAndChosenRow) {
    PageRig r;
    Languages& langs = r.ed->langs;
    const LanguageRecord model = langs.languages.at(0);
    auto setLanguages = [&](int32_t n) {
        langs.languages.assign(size_t(n), model);
        for (int32_t i = 0; i < n; ++i) langs.languages[size_t(i)].name = "L" + std::to_string(i);
    };
    auto inked = [&](int32_t row) {  // whether the list row m carries text
        for (int32_t x = 506; x < 530; ++x)
            for (int32_t y = 359 - 12 * row; y < 370 - 12 * row; ++y)
                if (r.at(x, y) != kClear) return true;
        return false;
    };
    langs.languageIndex = -1;
    setLanguages(17);
    const auto seventeen = r.draw(Page::GeneralOptions, drawOptionsPage);
    EXPECT_TRUE(inked(15));
    setLanguages(16);
    const auto sixteen = r.draw(Page::GeneralOptions, drawOptionsPage);
    const auto barOf = [](const std::vector<uint8_t>& s) {
        std::vector<uint8_t> bar;
        for (int32_t y = 189; y < 356; ++y)
            for (int32_t x = 767; x < 782; ++x) bar.push_back(s[size_t(y * 800 + x)]);
        return bar;
    };
    EXPECT_NE(barOf(seventeen), barOf(sixteen));  // thumb against the inactive track

    // A top past the end is brought back: only existing entries are drawn.
    setLanguages(3);
    for (int32_t top : {-5, 2, 100, std::numeric_limits<int32_t>::max()}) {
        langs.languageListTop = top;
        r.draw(Page::GeneralOptions, drawOptionsPage);
        EXPECT_EQ(langs.languageListTop, 0) << top;
        EXPECT_TRUE(inked(2)) << top;
        EXPECT_FALSE(inked(3)) << top;
    }

    // Names of 33 characters and more end in "..." after 29; 32 are shown whole.
    const std::string long33(33, 'W'), cut = std::string(29, 'W') + "...";
    for (const auto& [name, shownAs] : std::vector<std::pair<std::string, std::string>>{
             {long33, cut}, {std::string(32, 'W'), std::string(32, 'W')}}) {
        setLanguages(1);
        langs.languages[0].name = name;
        r.draw(Page::GeneralOptions, drawOptionsPage);
        const auto got = r.rows(359, 369);
        langs.languages[0].name = shownAs;
        r.draw(Page::GeneralOptions, drawOptionsPage);
        EXPECT_EQ(got, r.rows(359, 369)) << name.size();
    }
    const auto whole = r.rows(359, 369);
    langs.languages[0].name = std::string(28, 'W') + "...";
    r.draw(Page::GeneralOptions, drawOptionsPage);
    EXPECT_NE(whole, r.rows(359, 369));

    // Entry 6 chosen, shown in row 2: ramp 72, border pulsing with frameTime.
    setLanguages(20);
    langs.languageListTop = 4;
    langs.languageIndex = 6;
    const int32_t row = 359 - 24;
    for (const auto& [time, border] : {std::pair{0, 78}, std::pair{471, 72}}) {
        r.ed->input.frameTime = time;
        r.draw(Page::GeneralOptions, drawOptionsPage);
        EXPECT_EQ(r.at(502, row + 3), border) << time;
        EXPECT_EQ(r.at(600, row - 1), border) << time;
        EXPECT_EQ(r.at(700, row + 5), kClear % 12 + 72 - 4) << time;
        EXPECT_EQ(r.at(700, row + 17), kClear) << time;  // the row above is not chosen
    }
}

TEST(LanguageFiles, ListPositionIsTheFileNumber) {
    test::EditorRig rig;
    const std::string lang = rig.dir.read("KorvelD/lang000.dat");
    rig.dir.write("KorvelD/lang001.dat", lang);
    rig.dir.write("KorvelD/lang002.dat", lang);
    rig.ed->langs.languageIndex = 2;
    ASSERT_TRUE(startup(*rig.ed));
    const Languages& langs = rig.ed->langs;
    ASSERT_EQ(langs.languageCount(), 3);
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(langs.languages[size_t(i)].number, i);
}

TEST(DriveList, FillColoursByStateAndCursor) {
    PageRig r;
    FileBrowserState& b = r.ed->pages.fileBrowser;
    b.driveAvailable = {};
    b.driveAvailable[1] = 1;
    b.driveAvailable[2] = 2;
    b.driveAvailable[3] = 1;
    b.driveAvailable[4] = 2;
    b.driveCursor = 4;
    r.draw(Page::DrivePicker, drawBrowserPage);
    const uint8_t fills[] = {78, 176, 173, 176, 93, 78};
    for (int32_t l = 0; l < 6; ++l) {
        const int32_t x = 193 + 16 * l;
        EXPECT_EQ(r.at(x + 1, 322), fills[l]) << l;
        EXPECT_EQ(r.at(x + 12, 332), fills[l]) << l;
        EXPECT_EQ(r.at(x, 325), 0) << l;
        EXPECT_EQ(r.at(x + 13, 333), 0) << l;
    }
    EXPECT_EQ(r.at(193 + 16 * 25 + 14, 325), kClear);
}

struct BrowserRig : PageRig {
    FileBrowserState& b = ed->pages.fileBrowser;
    void list(int32_t folders, int32_t files) {
        b.browserFolderCount = folders;
        b.browserFileCount = files;
        for (int32_t i = 0; i < folders; ++i) b.browserFolders[size_t(i)] = "d" + std::to_string(i);
        for (int32_t i = 0; i < files; ++i) b.browserFiles[size_t(i)] = "f" + std::to_string(i);
    }
    // How many random numbers one draw of the page takes.
    int32_t draws() {
        const Random before = ed->random;
        draw(Page::FileBrowser, drawBrowserPage);
        Random probe = before;
        for (int32_t n = 0; n < 100000; ++n) {
            if (probe.randomState == ed->random.randomState) return n;
            randomSingle(probe);
        }
        return -1;
    }
};

TEST(FileBrowser, CursorBandOnlyInTheFocusedListAndInView) {
    BrowserRig r;
    r.list(40, 40);
    struct Case {
        uint8_t focus;
        int32_t folderTop, folderCursor, fileTop, fileCursor;
        int32_t draws;
        bool folderBand, fileBand;
    } cases[] = {
        {0, 0, 0, 0, 0, 4524, true, false},
        {1, 0, 0, 0, 3, 4524, false, true},
        {0, 5, 0, 0, 0, 0, false, false},    // cursor scrolled out above
        {0, 0, 32, 0, 0, 0, false, false},   // and below
        {1, 0, 0, 8, 39, 4524, false, true},
        {0, -3, 0, 0, 0, 0, false, false},   // a window outside the list draws no rows
        {1, 0, 0, 1000, 1000, 0, false, false},
    };
    for (const Case& c : cases) {
        r.b.browserFocus = c.focus;
        r.b.browserFolderTop = c.folderTop;
        r.b.browserFolderCursor = c.folderCursor;
        r.b.browserFileTop = c.fileTop;
        r.b.browserFileCursor = c.fileCursor;
        EXPECT_EQ(r.draws(), c.draws) << int(c.focus) << " " << c.folderCursor;
        const int32_t folderRow = 507 - 12 * (c.folderCursor - c.folderTop);
        const int32_t fileRow = 507 - 12 * (c.fileCursor - c.fileTop);
        if (c.folderBand) EXPECT_NEAR(r.at(8, folderRow), 29, 3);
        if (c.fileBand) EXPECT_NEAR(r.at(784, fileRow + 11), 29, 3);
        if (!c.folderBand) EXPECT_EQ(r.at(8, 507), kClear);
        if (!c.fileBand) EXPECT_EQ(r.at(408, 507), kClear);
    }
}

TEST(FileBrowser, LongFolderLineAndNamesAreCut) {
    BrowserRig r;
    r.list(1, 1);
    r.b.browserFocus = 2;  // no cursor band
    const auto shown = [&](const std::string& folder, const std::string& name) {
        r.b.browserFolder = folder;
        r.b.browserFolders[0] = name;
        r.draw(Page::FileBrowser, drawBrowserPage);
        return r.rows(500, 567);
    };
    const std::string w93(93, 'W'), w94(94, 'W'), w45(45, 'W'), w46(46, 'W');
    EXPECT_EQ(shown(w94, "a"), shown(std::string(90, 'W') + "...", "a"));
    EXPECT_NE(shown(w93, "a"), shown(std::string(90, 'W') + "...", "a"));
    EXPECT_EQ(shown("/", w46), shown("/", std::string(42, 'W') + "..."));
    EXPECT_NE(shown("/", w45), shown("/", std::string(42, 'W') + "..."));

    // 32 files fit (inactive arrows); 33 bring the thumb.
    const auto bar = [&](int32_t files) {
        r.list(1, files);
        r.draw(Page::FileBrowser, drawBrowserPage);
        std::vector<uint8_t> out;
        for (int32_t y = 150; y < 504; ++y) out.push_back(r.at(790, y));
        return out;
    };
    EXPECT_NE(bar(32), bar(33));
    EXPECT_EQ(bar(1), bar(32));
}

TEST(FileBrowser, CyrillicFileNamesListInTheirEightBitBytes) {
    TempFolder tmp;
    tmp.write("\xd0\xba\xd0\xb0\xd1\x80\xd1\x82\xd0\xb0.map", "x");  // "карта" in UTF-8
    PageRig r;
    FileBrowserState& b = r.ed->pages.fileBrowser;
    b.browserFolder = tmp.path();
    fillFileDialogLists(b, r.platform->fileSystem(), r.platform->programFolder());
    ASSERT_EQ(b.browserFileCount, 1);
    EXPECT_EQ(b.browserFiles[0], "\xea\xe0\xf0\xf2\xe0.map");
}

struct ZoomRig : PageRig {
    TileStore& t = ed->tiles;
    ZoomRig() {
        for (int p = 0; p < 256; ++p)
            ed->colorTables.gamePaletteMap[size_t(p)] = ColorPair(p | (p ^ 1) << 8);
        ed->pages.tilePicker.tilePickerShowAll = 1;
        ed->pages.tilePicker.tilePickerCursor = 5;
        ed->pages.tilePicker.tileThumbMode = 0;
        ed->loop.frameNumber = 1;
    }
    // Tile 5 of w x h whose pixel (x, y) is value(x, y).
    template <typename F>
    void tile(int32_t w, int32_t h, F value) {
        t.tileWidths[5] = int16_t(w);
        t.tileHeights[5] = int16_t(h);
        t.tileAnims[5] = 0;
        t.tileOffsets[5] = 0;
        t.artPixels.assign(size_t(w) * size_t(h) + 1, 0);
        for (int32_t x = 0; x < w; ++x)
            for (int32_t y = 0; y < h; ++y)
                t.artPixels[1 + size_t(x) * size_t(h) + size_t(y)] = uint8_t(value(x, y));
    }
    void zoom(float z) {
        ed->pages.tileZoom.tilePreviewZoom = z;
        draw(Page::TileZoom, drawTileViewPage);
    }
};

TEST(TileZoom, PlacementAndDither) {
    ZoomRig r;
    r.tile(64, 64, [](int32_t, int32_t) { return 20; });
    r.zoom(1.0f);
    struct Probe {
        int32_t x, y;
        bool drawn;
    } probes[] = {{368, 324, true}, {431, 387, true}, {367, 324, false}, {432, 387, false},
                  {368, 323, false}, {431, 388, false}};
    for (const Probe& p : probes)
        EXPECT_EQ(r.at(p.x, p.y) != kClear, p.drawn) << p.x << "," << p.y;
    // Odd frame: even columns show the first colour; the next frame swaps.
    EXPECT_EQ(r.at(368, 330), 20);
    EXPECT_EQ(r.at(369, 330), 21);
    r.ed->loop.frameNumber = 2;
    r.zoom(1.0f);
    EXPECT_EQ(r.at(368, 330), 21);
    EXPECT_EQ(r.at(369, 330), 20);

    // Transparent 255 in thumb mode only.
    r.tile(64, 64, [](int32_t, int32_t) { return 255; });
    r.zoom(1.0f);
    EXPECT_NE(r.at(400, 356), kClear);
    r.ed->pages.tilePicker.tileThumbMode = 1;
    r.zoom(1.0f);
    EXPECT_EQ(r.at(400, 356), kClear);
}

TEST(TileZoom, LargeTileIsCutToTheViewFromTheRightTexel) {
    ZoomRig r;
    r.ed->loop.frameNumber = 0;  // column 0 shows the second colour: p ^ 1
    r.tile(2000, 1000, [](int32_t x, int32_t) { return x & 0xFE; });
    r.zoom(1.0f);
    // left = 400 - 1000: the view starts at tile column 600 and ends at 1399.
    EXPECT_EQ(r.at(0, 300), (600 & 0xFE) ^ 1);
    EXPECT_EQ(r.at(799, 300), 1399 & 0xFE);
    r.tile(2000, 1000, [](int32_t, int32_t y) { return y & 0xFE; });
    r.zoom(1.0f);
    // bottom = 356 - 500: row 128 shows tile row 999 - 272, row 583 tile row 272.
    EXPECT_EQ(r.at(2, 128), (727 & 0xFE) ^ 1);
    EXPECT_EQ(r.at(2, 583), (272 & 0xFE) ^ 1);
    EXPECT_EQ(r.at(2, 127), kClear);
    EXPECT_EQ(r.at(2, 584), kClear);
}

TEST(TileZoom, NothingWithoutATileOrAPositiveFiniteZoom) {
    ZoomRig r;
    r.tile(16, 16, [](int32_t, int32_t) { return 30; });
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float z : {0.0f, -1.0f, nan, inf, -inf}) {
        r.zoom(z);
        EXPECT_EQ(r.ed->frameBuffer.screen, std::vector<uint8_t>(800 * 600, kClear)) << z;
    }
    TilePickerState& p = r.ed->pages.tilePicker;
    p.tilePickerShowAll = 0;
    r.ed->tileCatalog.tileList.assign(r.ed->tileCatalog.tileList.size(), -1);
    for (int32_t cursor : {0, -1, 1 << 30}) {  // empty list, cursor outside the list
        p.tilePickerCursor = cursor;
        r.zoom(1.0f);
        EXPECT_EQ(r.ed->frameBuffer.screen, std::vector<uint8_t>(800 * 600, kClear)) << cursor;
    }
    r.ed->tileCatalog.tileList[0] = 5;
    p.tilePickerCursor = 0;
    r.zoom(1.0f);
    EXPECT_NE(r.ed->frameBuffer.screen, std::vector<uint8_t>(800 * 600, kClear));
}

TEST(TileZoom, ZoomsReadOnlyInsideTheTile) {
    ZoomRig r;
    for (const auto& [w, h] : {std::pair{32767, 1}, std::pair{1, 32767}, std::pair{3, 5}}) {
        r.tile(w, h, [](int32_t x, int32_t y) { return (x + y) % 200; });
        for (float z = 1.0f / 64; z <= 64; z *= 2) r.zoom(z);  // the sanitizer guards the reads
        r.zoom(0.37f);
        r.zoom(63.9f);
    }
}

TEST(TileFilter, TextsAndCaret) {
    PageRig r;
    TileFilterState& f = r.ed->pages.tileFilter;
    struct Case {
        int32_t field, width, height;
        std::string name;
        int32_t caretX, caretY;  // -1: no caret
    } cases[] = {
        {0, 123, -1, "", 72 + 24, 320},
        {0, -1, 5, "", 72, 320},
        {1, 16, 4096, "", 208 + 32, 320},
        {1, 16, -1, "", 208, 320},
        {2, -1, -1, "wall", 72 + 32, 300},
        {2, -1, -1, std::string(200, 'x'), -1, 300},
        {3, 12, 12, "a", -1, 320},
        {-1, 12, 12, "a", -1, 320},
    };
    for (const Case& c : cases) {
        f.tileWidthFilter = c.width;
        f.tileHeightFilter = c.height;
        f.tileNameFilter = c.name;
        r.ed->app.focusedField = c.field;
        r.ed->input.frameTime = 400 * 7 + 10;
        r.draw(Page::TileFilter, drawTileViewPage);
        int32_t caretColumns = 0;
        for (int32_t x = 0; x < 800; ++x) {
            bool column = true;
            for (int32_t y = c.caretY; y <= c.caretY + 10; ++y) column = column && r.at(x, y) == 0;
            if (column && r.at(x, c.caretY - 1) == kClear) ++caretColumns;
        }
        if (c.caretX >= 0) {
            for (int32_t y = c.caretY; y <= c.caretY + 10; ++y) EXPECT_EQ(r.at(c.caretX, y), 0);
            EXPECT_EQ(caretColumns, 1) << c.field;
        } else {
            EXPECT_EQ(caretColumns, 0) << c.field;
        }
        r.ed->input.frameTime = 400 * 7 + 210;  // the caret's dark half
        r.draw(Page::TileFilter, drawTileViewPage);
        if (c.caretX >= 0) EXPECT_EQ(r.at(c.caretX, c.caretY + 5), kClear) << c.field;
    }
    // The width text starts at column 72.
    f.tileWidthFilter = 8;
    r.ed->app.focusedField = -1;
    r.draw(Page::TileFilter, drawTileViewPage);
    bool ink = false;
    for (int32_t x = 72; x < 80; ++x)
        for (int32_t y = 320; y < 331; ++y) ink = ink || r.at(x, y) == 0;
    EXPECT_TRUE(ink);
}

TEST(TileFilter, ConfirmingRebuildsTheListFromTheFilter) {
    for (int way = 0; way < 2; ++way) {
        PageRig r;
        Editor& ed = *r.ed;
        TileStore& t = ed.tiles;
        std::fill(t.tileWidths.begin(), t.tileWidths.end(), 0);
        std::fill(t.tileHeights.begin(), t.tileHeights.end(), 0);
        t.artPixels.assign(4000, 1);
        for (int32_t tile : {3, 7, 9}) {
            t.tileWidths[size_t(tile)] = t.tileHeights[size_t(tile)] = tile == 9 ? 8 : 16;
            t.tileOffsets[size_t(tile)] = 0;
        }
        ed.pages.tileFilter.tileWidthFilter = 16;
        ed.pages.tileFilter.tileHeightFilter = -1;
        ed.pages.tileFilter.tileNameFilter.clear();
        ed.pages.tilePicker.tilePickerShowAll = 1;
        ed.pages.tilePicker.tilePickerCursor = 40;
        ed.app.currentPage = Page::TileFilter;
        if (way == 0) {
            ed.app.hoveredWidget = 18001;
            releaseWidget(ed);
        } else {
            confirmOrPasteAttributes(ed);
        }
        EXPECT_EQ(ed.tileCatalog.tileList[0], 3) << way;
        EXPECT_EQ(ed.tileCatalog.tileList[1], 7) << way;
        EXPECT_EQ(ed.tileCatalog.tileList[2], -1) << way;
        EXPECT_EQ(ed.pages.tilePicker.tilePickerShowAll, 0);
        EXPECT_EQ(ed.pages.tilePicker.tilePickerCursor, 0);
        EXPECT_NE(ed.app.currentPage, Page::TileFilter);
    }
}

TEST(WallLighting, DialArrowAndFalloffFrame) {
    PageRig r;
    WallLightingState& l = r.ed->pages.wallLighting;
    l.lightDirectional = 1;
    l.lightFalloffMode = 0;
    for (const auto& [angle, tipX, tipY, tailX, tailY] :
         {std::tuple{0, 176, 320, 80, 320}, std::tuple{9000, 128, 272, 128, 368}}) {
        l.lightAngle = angle;
        r.draw(Page::WallLighting, drawLightingOrExportPage);
        EXPECT_EQ(r.at(tipX, tipY), 92) << angle;
        EXPECT_EQ(r.at(tailX, tailY), 92) << angle;
    }
    l.lightDirectional = 0;
    r.draw(Page::WallLighting, drawLightingOrExportPage);
    for (int32_t y = 260; y < 380; ++y)
        for (int32_t x = 70; x < 190; ++x) ASSERT_EQ(r.at(x, y), kClear) << x << "," << y;

    for (uint8_t mode : {0, 1, 2, 200}) {
        l.lightFalloffMode = mode;
        for (const auto& [time, colour] : {std::pair{0, 4}, std::pair{157, 8}}) {
            r.ed->input.frameTime = time;
            r.draw(Page::WallLighting, drawLightingOrExportPage);
            const int32_t x0 = 200 + 200 * mode;
            if (x0 > 799) continue;  // the frame is off the screen: nothing drawn, no crash
            EXPECT_EQ(r.at(x0, 486), colour);
            EXPECT_EQ(r.at(x0 + 161, 499), colour);
            EXPECT_EQ(r.at(x0 + 80, 500), colour);
            EXPECT_EQ(r.at(x0 + 80, 493), kClear);
        }
    }
}

TEST(ImageExport, SizeLine) {
    const Languages langs = test::languageWith({{1132, "&1 x &2"}, {1310, "bad"}});
    struct Case {
        int32_t left, bottom, right, top, scale;
        std::string text;
    } cases[] = {
        {0, 0, 16000, 16000, 16000, "1009 x 1009"},
        {-100, 50, 900, 1050, 1000, "1009 x 1009"},
        {5, 0, 5, 100, 100, "bad"},
        {0, 0, 100, 100, 0, "bad"},
        {0, 0, 1048577, 100, 1000, "bad"},
        {0, 0, 1048576, 100, 1000000, "1057 x 9"},
        {0, 0, 32759, 100, 1000, "bad"},
        {0, 0, 32758, 100, 1000, "32767 x 109"},
        {-2000000000, -2000000000, 2000000000, 2000000000, 1000, "bad"},
        {0, 0, 10, -10, 1000, "bad"},
    };
    for (const Case& c : cases) {
        ViewState v;
        v.exportLeft = c.left;
        v.exportBottom = c.bottom;
        v.exportRight = c.right;
        v.exportTop = c.top;
        v.exportScale = c.scale;
        int32_t colour = -1;
        EXPECT_EQ(exportSizeLine(v, langs, colour), c.text) << c.right;
        EXPECT_EQ(colour, c.text == "bad" ? 4 : 28);
    }
}

TEST(ImageExport, FileNameCaret) {
    PageRig r;
    r.ed->pages.imageExport.exportFileName = "ab.bmp";
    for (const auto& [field, caret] : {std::pair{177, true}, std::pair{176, false}}) {
        r.ed->app.focusedField = field;
        r.ed->input.frameTime = 0;
        r.draw(Page::ImageExport, drawLightingOrExportPage);
        EXPECT_EQ(r.at(132 + 48, 350) == 0, caret) << field;
    }
}

TEST(View3DPage, RendersOnlyWhenInvalidAndShowsStatusPerState) {
    PageRig r;
    Editor& ed = *r.ed;
    int renders = 0, overlays = 0;
    ed.calls.renderFrame = [&](Editor& e) {
        ++renders;
        std::fill(e.frameBuffer.preview3dImage.begin(), e.frameBuffer.preview3dImage.end(), 55);
    };
    ed.calls.draw3DHoverInfo = [&](Editor&, int32_t) { ++overlays; };
    ed.pages.view3d.view3dValid = 0;
    ed.pages.view3d.view3dState = 0;
    r.draw(Page::View3D, draw3DViewPage);
    r.draw(Page::View3D, draw3DViewPage);
    EXPECT_EQ(renders, 1);
    EXPECT_EQ(overlays, 2);
    for (int32_t y : {134, 300, 583}) EXPECT_EQ(r.at(700, y), 55) << y;
    for (int32_t y : {128, 133}) EXPECT_EQ(r.at(700, y), 0) << y;
    EXPECT_EQ(r.at(700, 584), kClear);

    ed.langs = test::languageWith({{1175, "&1/&2/&3"}, {343, "height"}, {1176, "light"}});
    Scene3d& scene = *(ed.pages.view3d.scene = std::make_shared<Scene3d>());
    scene.surfaceTriangleCount = 7;
    scene.renderTriangleCount = 5;
    scene.drawnTriangleCount = 3;
    struct Case {
        uint8_t state;
        std::string text;
        int overlays;
    } cases[] = {{0, "7/5/3", 1}, {1, "height", 0}, {2, "light", 0}, {3, "", 0}, {255, "", 0}};
    for (const Case& c : cases) {
        ed.pages.view3d.view3dState = c.state;
        EXPECT_EQ(view3dStatusLine(ed), c.text);
        overlays = 0;
        r.draw(Page::View3D, draw3DViewPage);
        EXPECT_EQ(overlays, c.overlays) << int(c.state);
    }
    EXPECT_EQ(renders, 1);
}

}  // namespace
}  // namespace korvel
