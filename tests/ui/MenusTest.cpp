#include "ui/Menus.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/EditorCanvas.h"
#include "base/PathNames.h"
#include "support/CommandRig.h"
#include "ui/Languages.h"
#include "ui/Text.h"

namespace korvel {
namespace {

// Menus show the captions and shortcut texts of the command table; codes no command has show
// message 0 and no shortcut.
TEST(Menus, ItemsShowTheCaptionAndShortcutOfTheirCommand) {
    struct Case {
        int32_t code;
        int32_t caption;
        const char* shortcut;
    } const cases[] = {
        {768, 787, "[CTRL+N]"},
        {775, 851, ""},
        {789, 865, ""},
        {830, 835, "[I]"},
        {831, 834, "[U]"},  // these two take each other's numbers
        {852, 1284, "[CTRL+ALT+SHIFT+T]"},
        {868, 1333, "[CTRL+ALT+I]"},
        {767, 0, ""},
        {869, 0, ""},
        {999, 0, ""},
        {-1, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(commandTextId(c.code), c.caption);
        EXPECT_EQ(commandShortcut(c.code), c.shortcut);
    }
}

// A started editor whose menus come from a menu file of the test's own, with the boxes of menus 1
// and 2 set to known sizes.
struct MenuRig : test::CommandRig {
    static constexpr int32_t kW = 300, kH = 200;
    explicit MenuRig(const std::string& menuFile) {
        LanguageRecord& lang = ed->langs.languages[size_t(ed->langs.currentLanguage)];
        for (int32_t n = 1; n <= 6; ++n) {
            lang.positions[size_t(775 + 2 * (n - 1))] = {20 * n, 100};
            lang.positions[size_t(776 + 2 * (n - 1))] = {kW, kH};
        }
        parseMenuFile(menuFile, ed->langs, ed->menus);
        ed->colorSettings.guiColor = 24;
    }
    void open(int32_t n) {
        ed->menus.openMenu = uint8_t(n);
        drawOpenMenu(*ed);
    }
    uint8_t at(int32_t x, int32_t y) { return menuView(ed->frameBuffer).at(x, y); }
    bool enabled(int32_t code) const {
        return ed->menus.menuItemEnabled[size_t(code - kFirstMenuItemCode)] != 0;
    }
    // Whether the menu buffer's columns x0..x1 of the text rows of an item at y show the same
    // pixels as the texts drawn by `draw` over the menu's fill.
    bool bandShows(int32_t y, int32_t x0, int32_t x1, const std::function<void()>& draw) {
        const SurfaceView menu = menuView(ed->frameBuffer);
        std::vector<uint8_t> shown, want;
        for (int32_t r = y; r <= y + 10; ++r)
            for (int32_t x = x0; x <= x1; ++x) shown.push_back(menu.at(x, r));
        const auto fill = uint8_t(ed->colorSettings.colorUiBackground + 24);
        for (int32_t r = y; r <= y + 10; ++r)
            for (int32_t x = x0; x <= x1; ++x) menu.at(x, r) = fill;
        draw();
        for (int32_t r = y; r <= y + 10; ++r)
            for (int32_t x = x0; x <= x1; ++x) want.push_back(menu.at(x, r));
        return shown == want;
    }
    void text(const std::string& s, int32_t x, int32_t y, uint8_t colour, bool bold = false) {
        if (bold)
            drawPropTextBoldMenu(canvasOf(*ed), ed->fonts, s, x, y, colour);
        else
            drawPropTextMenu(canvasOf(*ed), ed->fonts, s, x, y, colour);
    }
};

TEST(Menus, TheMenuFileGivesItemsAndSeparatorsFromTheTopOfTheBox) {
    const MenuRig r(
        "SetDestination 1\r\naddItem 768\r\nADDITEM 769\nadditem 770\nadddelimeter\r\n\r\n"
        "x\r\nadditem\nadditem 12\nadditem 1000\nadditem 76x\nsetdestination\nadditem 999\n");
    const MenuState& m = r.ed->menus;
    ASSERT_EQ(m.menuItemCount, 4);
    const int32_t H = MenuRig::kH;
    const int32_t wantY[] = {H - 14, H - 26, H - 38, H - 57};
    const int32_t wantCode[] = {768, 769, 770, 999};
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(m.menuItems[size_t(i)].menu, 1);
        EXPECT_EQ(m.menuItems[size_t(i)].y, wantY[i]);
        EXPECT_EQ(m.menuItems[size_t(i)].command, wantCode[i]);
    }
    EXPECT_EQ(m.menuItems[0].shortcut, "[CTRL+N]");
    EXPECT_EQ(m.menuItems[3].textId, 0);
    ASSERT_EQ(m.menuSeparatorCount, 1);
    EXPECT_EQ(m.menuSeparators[0].y, H - 45);
}

TEST(Menus, EntriesPastTheTablesAreIgnored) {
    std::string file = "setdestination 3\n";
    for (int i = 0; i < 300; ++i) file += "additem 800\nadddelimeter\n";
    const MenuRig r(file);
    EXPECT_EQ(r.ed->menus.menuItemCount, kMenuTableCapacity);
    EXPECT_EQ(r.ed->menus.menuSeparatorCount, kMenuTableCapacity);
}

TEST(Menus, BoxSizesFromTheLanguageAreCutToTheMenuBuffer) {
    MenuRig r("setdestination 2\nadditem 792\nadddelimeter\nadditem 796\n");
    LanguageRecord& lang = r.ed->langs.languages[size_t(r.ed->langs.currentLanguage)];
    for (const TextPosition size : {TextPosition{-5, -5}, TextPosition{1000, 1000}}) {
        lang.positions[778] = size;
        r.open(2);
        EXPECT_GE(r.ed->menus.menuBoxWidth, 0);
        EXPECT_LE(r.ed->menus.menuBoxWidth, 399);
        EXPECT_GE(r.ed->menus.menuBoxHeight, 0);
        EXPECT_LE(r.ed->menus.menuBoxHeight, 455);
    }
}

TEST(Menus, TheOpenMenuShowsCaptionsMarksShortcutsAndSeparators) {
    MenuRig r(
        "setdestination 2\nadditem 792\nadditem 796\nadddelimeter\nadditem 806\n"
        "additem 801\nadditem 866\n");
    const ColorSettings& c = r.ed->colorSettings;
    const auto black = c.colorUiText, grey = uint8_t(c.colorUiInactive + 24);
    r.ed->settings.snapToGrid = 1;
    r.open(2);  // on the plan view with nothing selected: cut is grey, select all black
    const MenuItem* items = r.ed->menus.menuItems.data();
    const int32_t W = MenuRig::kW;
    EXPECT_FALSE(r.enabled(792));
    EXPECT_TRUE(r.enabled(796));
    const auto caption = [&](int32_t i, int32_t x, uint8_t colour) {
        return r.bandShows(items[i].y, 18, 150, [&] {
            r.text(getMessage(items[i].textId, r.ed->langs), x, items[i].y, colour);
        });
    };
    EXPECT_TRUE(caption(0, 6, grey));
    EXPECT_TRUE(caption(1, 6, black));
    EXPECT_TRUE(caption(2, 22, black));  // a setting: its mark before the caption
    EXPECT_TRUE(caption(3, 22, black));  // a choice
    EXPECT_FALSE(caption(1, 22, black)) << "the probe tells the caption's place";
    // The shortcut of cut, right-aligned in the grey of its caption.
    const std::string cutKeys = "[CTRL+X]";
    const int32_t sx = W - propTextWidth(r.ed->fonts, cutKeys) - 5;
    EXPECT_TRUE(
        r.bandShows(items[0].y, sx - 8, W - 6, [&] { r.text(cutKeys, sx, items[0].y, grey); }));
    // The separator: a shadow line over a highlight line from x 4, W - 7 pixels long.
    const int32_t sy = r.ed->menus.menuSeparators[0].y;
    for (int32_t x = 4; x < 4 + W - 7; ++x) {
        ASSERT_EQ(r.at(x, sy + 3), uint8_t(c.colorUiShadow + 24)) << x;
        ASSERT_EQ(r.at(x, sy + 2), uint8_t(c.colorUiHighlight + 24)) << x;
    }
}

TEST(Menus, ItemsAreEnabledByPageAndState) {
    MenuRig r(
        "setdestination 2\nadditem 791\nadditem 792\nadditem 794\nadditem 796\n"
        "additem 797\nadditem 803\nadditem 865\n");
    struct Case {
        Page page;
        bool scriptSelection;
        std::vector<int32_t> on, off;
    } const cases[] = {
        {Page::PlanView, false, {796, 797, 798, 803, 866, 868}, {792, 793, 794, 795, 865, 867}},
        {Page::ScriptEditor, false, {796}, {792, 793, 795, 797, 798, 803, 865}},
        {Page::ScriptEditor, true, {792, 793, 795, 796}, {797, 803}},
        {Page::HelpViewer, false, {803}, {792, 793, 794, 795, 796, 797, 798, 865}},
        {Page::FileBrowser, false, {803}, {792, 796}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.page) * 10 + int(c.scriptSelection));
        r.ed->app.currentPage = c.page;
        r.ed->pages.scriptEditor.scriptAnchor = c.scriptSelection ? 1 : 0;
        r.ed->pages.scriptEditor.scriptCursor = 0;
        r.open(2);
        for (int32_t code : c.on) EXPECT_TRUE(r.enabled(code)) << code;
        for (int32_t code : c.off) EXPECT_FALSE(r.enabled(code)) << code;
    }
    // A selected sprite on the plan view enables cut and the pick of sectors to intersect.
    r.ed->app.currentPage = Page::PlanView;
    r.ed->map.selectedSpriteCount = 1;
    r.open(2);
    EXPECT_TRUE(r.enabled(792));
    EXPECT_TRUE(r.enabled(865));
    EXPECT_FALSE(r.enabled(867));
}

TEST(Menus, RecentFilesAreFittedBesideTheirCaption) {
    MenuRig r("setdestination 1\nadditem 775\nadditem 776\n");
    const std::string path = "C:\\maps\\episode one\\levels\\a rather long map name.map";
    r.ed->mapFile.recentFiles[0] = path;
    const MenuItem& item = r.ed->menus.menuItems[0];
    const int32_t w = propTextWidth(r.ed->fonts, getMessage(item.textId, r.ed->langs));
    const uint8_t black = r.ed->colorSettings.colorUiText;
    for (const uint8_t namesOnly : {1, 0}) {
        SCOPED_TRACE(namesOnly);
        r.ed->settings.recentNamesOnly = namesOnly;
        r.open(1);
        EXPECT_TRUE(r.enabled(775));
        EXPECT_FALSE(r.enabled(776)) << "an empty slot";
        EXPECT_TRUE(r.bandShows(item.y, 4, MenuRig::kW - 4, [&] {
            if (namesOnly) {
                const std::string name = elideFileName(r.ed->fonts, path, w, MenuRig::kW);
                EXPECT_LE(propTextWidth(r.ed->fonts, name.substr(0, name.size() - 3)),
                          MenuRig::kW - w - 12 - propTextWidth(r.ed->fonts, "..."));
                r.text(getMessage(item.textId, r.ed->langs, name), 6, item.y, black);
            } else {
                std::string name;
                const std::string folder = elidePathMiddle(r.ed->fonts, path, name, w, MenuRig::kW);
                EXPECT_EQ(folder.substr(0, 3), "...");
                const std::string c = getMessage(item.textId, r.ed->langs, folder);
                r.text(c, 6, item.y, black);
                r.text(name, 6 + propTextWidth(r.ed->fonts, c) + 1, item.y, black, true);
            }
        }));
    }
}

TEST(Menus, PathsAreShortenedFromTheLeftThenTheNameIsCut) {
    test::CommandRig r;
    const Fonts& f = r.ed->fonts;
    struct Case {
        const char* path;
        int32_t W;
        const char* folder;
        const char* name;  // nullptr: the whole file name
    } const cases[] = {
        {"C:\\one\\two\\x.map", 400, "C:\\one\\two\\", nullptr},
        {"C:/one/two/x.map", 400, "C:/one/two/", nullptr},
        {"C:\\one\\two\\x.map",
         12 + 40 + propTextWidth(f, "...\\two\\") + propTextWidthBold(f, "x.map") + 1 +
             propTextWidth(f, "..."),
         "...\\two\\", nullptr},
        {"C:/one/two/x.map",
         12 + 40 + propTextWidth(f, ".../two/") + propTextWidthBold(f, "x.map") + 1 +
             propTextWidth(f, "..."),
         ".../two/", nullptr},
        {"C:\\one\\two\\averyveryverylongname.map", 120, "...\\", ""},
        {"C:\\one\\two\\x.map", -500, "...\\", "..."},
        {"", -500, "...\\", "..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " " + std::to_string(c.W));
        std::string name;
        EXPECT_EQ(elidePathMiddle(f, c.path, name, 40, c.W), c.folder);
        if (c.name == nullptr)
            EXPECT_EQ(name, getPathFileName(c.path));
        else if (*c.name != 0)
            EXPECT_EQ(name, c.name);
        else
            EXPECT_EQ(name.substr(name.size() - 3), "...");
    }
    EXPECT_EQ(elideFileName(f, "C:\\x\\", 40, -500), "...");
    EXPECT_EQ(elideFileName(f, "C:\\x\\short.map", 40, 400), "short.map");
    const std::string cut = elideFileName(f, "C:\\x\\averyveryverylongname.map", 40, 150);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_LE(propTextWidth(f, cut.substr(0, cut.size() - 3)),
              150 - 40 - 12 - propTextWidth(f, "..."));
}

TEST(Menus, TheEnabledItemUnderTheMouseIsHovered) {
    MenuRig r("setdestination 2\nadditem 796\nadditem 792\nadditem 797\n");
    r.open(2);  // 792 (cut) is grey on the plan view with nothing selected
    const MenuState& m = r.ed->menus;
    const int32_t e = m.menuItems[0].y + m.menuBoxY;
    struct Case {
        int32_t x, y;
        int32_t hovered;
        int32_t highlightTop;
    } const cases[] = {
        {m.menuBoxX + 4, e, 796, e + 10},
        {m.menuBoxX + MenuRig::kW - 4, e + 11, 796, e + 10},
        {m.menuBoxX + 3, e, -1, 0},
        {m.menuBoxX + MenuRig::kW - 3, e, -1, 0},
        {m.menuBoxX + 50, e - 12, -1, 0},  // the grey item
        {m.menuBoxX + 50, e - 24, 797, e - 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y * 1000 + c.x);
        r.ed->toolbar.hoveredElement = -1;
        r.ed->input.mouseX = c.x;
        r.ed->input.mouseY = c.y;
        hitTestMenu(*r.ed);
        EXPECT_EQ(r.ed->toolbar.hoveredElement, c.hovered);
        EXPECT_EQ(m.menuHighlightShown, c.hovered >= 0 ? 1 : 0);
        if (c.hovered >= 0) EXPECT_EQ(m.menuHighlightY2, c.highlightTop);
    }
}

}  // namespace
}  // namespace korvel
