#include "pages/ImageExport.h"

#include <gtest/gtest.h>

#include <string>

#include "base/MessageNumbers.h"
#include "support/CommandRig.h"
#include "views/MapImageExport.h"

namespace korvel {
namespace {

using test::CommandRig;

constexpr int32_t kExportRun = 24003;

uint32_t u32(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | uint8_t(b[at + size_t(i)]);
    return v;
}

// The room from (0, 0) to (256, 256) with a sprite in it, and the page open.
struct ExportRig : CommandRig {
    ExportRig() {
        ed->map.sprites[0].x = 128;
        ed->map.sprites[0].y = 96;
        ed->map.spriteCount = 1;
    }
    void setBox(int32_t left, int32_t bottom, int32_t right, int32_t top, int32_t scale) {
        ViewState& v = ed->view;
        v.exportLeft = left;
        v.exportBottom = bottom;
        v.exportRight = right;
        v.exportTop = top;
        v.exportScale = scale;
        v.exportGridSpacing = 64;
        v.exportOptionA = v.exportOptionB = 1;
    }
    // The left button pressed and released over the Run button. Until the page's own mouse
    // handling and the toolbar's hit test land, the test puts the button into hoveredWidget at
    // the press and leaves no toolbar element under the mouse, as they will.
    std::vector<std::string> clickRun() {
        platform->clearPlayedSounds();
        ed->toolbar.hoveredElement = -1;
        platform->setPointer(200, 325);
        platform->setKeyDown(kLeftButton, true);
        runFrame(*ed);
        ed->app.hoveredWidget = kExportRun;
        platform->setKeyDown(kLeftButton, false);
        runFrame(*ed);
        return platform->playedSounds();
    }
};

TEST(ImageExportPage, OpensFromItsMenuItemAndToolbarAction) {
    {
        ExportRig r;
        r.click(856);
        EXPECT_EQ(r.ed->app.currentPage, Page::ImageExport);
        EXPECT_TRUE(r.played("command"));
    }
    ExportRig r;
    // The action's button is on the area and lighting layer of the toolbar.
    r.ed->tool.selectionMode = SelectionMode::AreaSettings;
    runFrame(*r.ed);
    int32_t slot = -1;
    for (int32_t i = 0; i < kToolbarSlots; ++i)
        if (r.ed->toolbar.toolbarButtons[size_t(i)].code == 123) slot = i;
    ASSERT_GE(slot, 0);
    r.clickOn(slot);
    EXPECT_EQ(r.ed->app.currentPage, Page::ImageExport);
}

TEST(ImageExportPage, RunWritesThePictureBesideTheProgramAndGoesBack) {
    ExportRig r;
    r.click(856);
    r.setBox(-16, -16, 272, 272, 1000);  // column = x + 20, row = 276 - y
    r.dir.write("1.bmp", "an older picture");
    const std::vector<std::string> cues = r.clickRun();
    EXPECT_EQ(cues, std::vector<std::string>{"command.wav"});
    EXPECT_EQ(r.ed->app.currentPage, Page::PlanView);
    EXPECT_EQ(r.ed->mapFile.auxResult, 1);

    const std::string file = r.dir.read("1.bmp");
    ASSERT_EQ(file.size(), 54u + 892u * 297u);  // 297 columns of 3 bytes, padded to 892
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(u32(file, 2), file.size());
    EXPECT_EQ(u32(file, 18), 297u);
    EXPECT_EQ(u32(file, 22), 297u);
    auto pixel = [&](size_t x, size_t y) { return file.substr(54 + y * 892 + 3 * x, 3); };
    const std::string black(3, '\0'), grey(3, char(192)), white(3, char(255));
    EXPECT_EQ(pixel(20, 150), black) << "the room's left wall, one-sided: thick";
    EXPECT_EQ(pixel(21, 150), black);
    EXPECT_EQ(pixel(84, 150), grey) << "the grid line at x = 64";
    EXPECT_EQ(pixel(85, 150), white);
    EXPECT_EQ(pixel(50, 276 - 192), grey) << "the grid line at y = 192";
    // The marks are the skin's: a filled disc at the sprite, a square ring at each vertex
    // (here the one at (256, 256), whose ring shows outside the room).
    auto marked = [&](size_t c, size_t r) {
        for (size_t y = r - 4; y <= r + 4; ++y)
            for (size_t x = c - 4; x <= c + 4; ++x)
                if (pixel(x, y) != white && pixel(x, y) != grey && pixel(x, y) != black)
                    return true;
        return false;
    };
    EXPECT_TRUE(marked(148, 180)) << "the sprite";
    EXPECT_FALSE(marked(150, 150));
    EXPECT_NE(pixel(274, 18), white);
    EXPECT_EQ(pixel(274, 18), pixel(278, 18));
    EXPECT_EQ(pixel(275, 19), white) << "inside the ring";
}

TEST(ImageExportPage, RefusedOrFailedExportsBeepAndLeaveTheFile) {
    struct Case {
        int32_t right, scale;
        std::string name;
        int32_t message;  // 0: none
    } const cases[] = {
        {256, 0, "1.bmp", 0},       // no scale
        {-16, 1000, "1.bmp", 0},    // left = right
        {40000, 1000, "1.bmp", 0},  // 40017 columns
        {256, 1000, "", kMsgPictureNotWritten},
        {256, 1000, "KorvelD", kMsgPictureNotWritten},  // a folder
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " " + std::to_string(c.right));
        ExportRig r;
        r.click(856);
        r.setBox(-16, -16, c.right, 272, c.scale);
        r.ed->pages.imageExport.exportFileName = c.name;
        r.dir.write("1.bmp", "an older picture");
        r.ed->app.statusText.clear();
        r.ed->mapFile.auxResult = 1;  // left by an earlier export
        FileSystem& fs = r.platform->fileSystem();
        const size_t before = fs.listEntries(r.dir.path()).size();
        EXPECT_EQ(r.clickRun(), std::vector<std::string>{"beep1.wav"});
        EXPECT_EQ(r.ed->mapFile.auxResult, 0);
        EXPECT_EQ(r.ed->app.currentPage, Page::PlanView);
        EXPECT_EQ(r.dir.read("1.bmp"), "an older picture");
        EXPECT_EQ(fs.listEntries(r.dir.path()).size(), before) << "no file appears";
        if (c.message != 0) {
            EXPECT_EQ(r.ed->app.statusText, getMessage(c.message, r.ed->langs, c.name));
            EXPECT_NE(r.ed->app.statusText.find("could not be written"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace korvel
