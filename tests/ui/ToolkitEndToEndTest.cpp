// The controls driven as the user drives them: whole frames on the headless platform, the mouse
// and the keys only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/MessageNumbers.h"
#include "base/TextFile.h"
#include "platform/NativeFileSystem.h"
#include "support/CommandRig.h"
#include "support/PngFile.h"
#include "ui/HelpText.h"
#include "ui/Menus.h"
#include "ui/Toolbar.h"
#include "ui/Widgets.h"

namespace korvel {
namespace {

using test::CommandRig;
using test::FileOutcome;

struct Rig : CommandRig {
    // Rows counted from the bottom, as the editor counts them.
    void pointAt(int32_t x, int32_t y) {
        platform->setPointer(x, 599 - y);
        runFrame(*ed);
    }
    void click() {
        for (const bool down : {true, false}) {
            platform->setKeyDown(kLeftButton, down);
            runFrame(*ed);
        }
    }
    // The middle of the item of the open menu with the code.
    std::pair<int32_t, int32_t> itemAt(int32_t code) const {
        const MenuState& m = ed->menus;
        for (int32_t i = 0; i < m.menuItemCount; ++i)
            if (m.menuItems[size_t(i)].menu == m.openMenu && m.menuItems[size_t(i)].command == code)
                return {m.menuBoxX + 30, m.menuBoxY + m.menuItems[size_t(i)].y + 5};
        ADD_FAILURE() << "no item " << code;
        return {0, 0};
    }
    void openMenuByTitle(int32_t n) {
        pointAt(messagePosition(ed->langs, 352 + n).x + 4, 590);
        click();
    }
};

TEST(ToolkitEndToEnd, StartUpLoadsTheMenusAndTheHelpWithoutAComplaint) {
    test::EditorRig rig;
    test::Trace log;
    test::recordLog(rig.ed->calls, log, false);
    ASSERT_TRUE(startup(*rig.ed));
    const std::string noHelp = getMessage(kMsgHelpFileNotFound, rig.ed->langs, "");
    for (const std::string& line : log) {
        EXPECT_EQ(line.find(noHelp.substr(0, 9)), std::string::npos) << line;
        EXPECT_EQ(line.find("menus"), std::string::npos) << line;
    }
    EXPECT_GT(rig.ed->menus.menuItemCount, 50);
    EXPECT_FALSE(rig.ed->help.documentText.empty());
}

TEST(ToolkitEndToEnd, AMenuOpensByItsTitleAndItsItemsRunByTheMouse) {
    Rig r;
    std::fill(r.ed->frameBuffer.menuBuffer.begin(), r.ed->frameBuffer.menuBuffer.end(), 0xEE);
    r.openMenuByTitle(2);
    EXPECT_EQ(r.ed->menus.openMenu, 2);
    EXPECT_GT(
        std::count_if(r.ed->frameBuffer.menuBuffer.begin(), r.ed->frameBuffer.menuBuffer.end(),
                      [](uint8_t p) { return p != 0xEE; }),
        1000);

    // File menu: the mouse on save hovers it, a click saves; an empty recent slot never hovers.
    r.openMenuByTitle(1);
    ASSERT_EQ(r.ed->menus.openMenu, 1);
    const auto [rx, ry] = r.itemAt(776);
    r.pointAt(rx, ry);
    EXPECT_EQ(r.ed->toolbar.hoveredElement, -1);
    EXPECT_EQ(r.ed->menus.menuHighlightShown, 0);
    const auto [sx, sy] = r.itemAt(770);
    r.pointAt(sx, sy);
    EXPECT_EQ(r.ed->toolbar.hoveredElement, 770);
    EXPECT_EQ(r.ed->menus.menuHighlightShown, 1);
    r.click();
    r.expectOutcome(FileOutcome::Saved);
}

TEST(ToolkitEndToEnd, AToolbarButtonTellsItsTooltipAndRunsByAClick) {
    Rig r;
    rebuildToolbar(*r.ed);
    const ToolbarButton b = r.ed->toolbar.toolbarButtons[15];  // save
    ASSERT_EQ(b.code, 66);
    r.pointAt(b.x + 5, b.y + 5);
    EXPECT_EQ(r.ed->toolbar.hoveredElement, 15);
    EXPECT_EQ(r.ed->app.tooltipText, getMessage(toolbarTooltip(66), r.ed->langs));
    r.click();
    r.expectOutcome(FileOutcome::Saved);
}

TEST(ToolkitEndToEnd, TypedLettersReachTheFileBrowserInBothLayouts) {
    test::EditorRig setup;
    // A second language whose plural rule offers the Cyrillic layout.
    std::string lang =
        fsoReadFile(*std::make_unique<NativeFileSystem>(), setup.dataFile("lang000.dat"));
    const std::string head = "head \"English\" 0";
    ASSERT_EQ(lang.compare(0, head.size(), head), 0);
    lang.replace(0, head.size(), "head \"Second\" 1");
    setup.dir.write("KorvelD/lang001.dat", lang);
    ASSERT_TRUE(startup(*setup.ed));
    Editor& ed = *setup.ed;
    for (size_t i = 0; i < ed.langs.languages.size(); ++i)
        if (ed.langs.languages[i].number == 1) ed.langs.currentLanguage = uint8_t(i);
    ASSERT_EQ(ed.langs.languages[ed.langs.currentLanguage].pluralRule, 1);
    ed.settings.layoutSwitchKeys = 0;  // Shift with Alt

    ed.app.currentPage = ed.app.previousPage = Page::FileBrowser;
    FileBrowserState& b = ed.pages.fileBrowser;
    b.browserFiles[0] = "a.map", b.browserFiles[1] = "b.map", b.browserFiles[2] = "\xF4.map";
    b.browserFileCount = 3;
    b.browserFocus = 1;
    b.browserFileCursor = 0;
    const auto press = [&](std::initializer_list<int> keys) {
        for (int k : keys) setup.platform->setKeyDown(k, true);
        runFrame(ed);
        for (int k : keys) setup.platform->setKeyDown(k, false);
        runFrame(ed);
    };
    press({66});  // B
    EXPECT_EQ(b.browserFileCursor, 1);
    press({test::kShiftKey, test::kAltKey});
    EXPECT_EQ(ed.input.cyrillicKeyboard, 1);
    press({65});  // A in the Cyrillic layout
    EXPECT_EQ(b.browserFileCursor, 2);
}

TEST(ToolkitEndToEnd, StatusChangesFillTheHistoryNewestFirst) {
    Rig r;
    for (const char* status : {"first", "second", "second", "third"}) {
        r.ed->app.statusText = status;
        runFrame(*r.ed);
    }
    EXPECT_EQ(r.ed->messages.messageHistory[0], "third");
    EXPECT_EQ(r.ed->messages.messageHistory[1], "second");
    EXPECT_EQ(r.ed->messages.messageHistory[2], "first");
}

// With KORVEL_PICTURE_DIR set, the six menus, a help topic and three widget pages are written
// there as pictures for looking at; every picture must be written.
TEST(ToolkitEndToEnd, PicturesOfTheControls) {
    const char* dir = std::getenv("KORVEL_PICTURE_DIR");
    if (dir == nullptr) GTEST_SKIP() << "set KORVEL_PICTURE_DIR to write the pictures";
    Rig r;
    Editor& ed = *r.ed;
    ed.mapFile.recentFiles[0] = "C:\\maps\\episode one\\a long level name.map";
    for (uint8_t n = 1; n <= 6; ++n) {
        ed.menus.openMenu = n;
        drawOpenMenu(ed);
        const SurfaceView menu = menuView(ed.frameBuffer);
        const SurfaceView screen = screenView(ed.frameBuffer);
        std::fill(ed.frameBuffer.screen.begin(), ed.frameBuffer.screen.end(), 0);
        for (int32_t y = 0; y <= ed.menus.menuBoxHeight; ++y)
            for (int32_t x = 0; x <= ed.menus.menuBoxWidth; ++x) screen.at(x, y) = menu.at(x, y);
        EXPECT_TRUE(test::writeScreenPngPart(
            std::string(dir) + "/menu_" + std::to_string(n) + ".png", ed.frameBuffer,
            ed.colorTables, 0, 0, ed.menus.menuBoxWidth + 1, ed.menus.menuBoxHeight + 1, 2));
    }
    ed.menus.openMenu = 0;
    ed.help.documentPage = 1;
    ed.help.documentScroll = 0;
    renderHelpTopic(ed);
    ed.frameBuffer.screen = ed.frameBuffer.background;
    EXPECT_TRUE(
        test::writeScreenPng(std::string(dir) + "/help_1.png", ed.frameBuffer, ed.colorTables));
    for (const Page page : {Page::DisplayOptions, Page::ScriptEditor, Page::ColorSchemeEditor}) {
        ed.app.currentPage = ed.app.previousPage = page;
        layoutWidgets(ed);
        runFrame(ed);
        EXPECT_TRUE(
            test::writeScreenPng(std::string(dir) + "/page_" + std::to_string(int(page)) + ".png",
                                 ed.frameBuffer, ed.colorTables));
    }
}

}  // namespace
}  // namespace korvel
