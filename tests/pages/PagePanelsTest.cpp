// The static page panels: the common widget pass, what each page group paints into the
// background, the work their entry starts and the random draws they take.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>

#include "app/Editor.h"
#include "base/Random.h"
#include "pages/ListPanels.h"
#include "pages/ModePanel.h"
#include "pages/OptionPanels.h"
#include "pages/PanelKit.h"
#include "pages/RecordRows.h"
#include "pages/ToolPanels.h"
#include "support/DrawFixtures.h"
#include "ui/Skin.h"
#include "support/EditorRig.h"
#include "support/LanguageFixture.h"

namespace korvel {
namespace {

constexpr uint8_t kClear = 5;

// An editor whose fonts ink every glyph pixel, so a text shows as solid boxes, with a language of
// one-letter texts unless a test gives others.
struct PanelRig {
    std::unique_ptr<Editor> ed = std::make_unique<Editor>();
    test::Trace trace;

    explicit PanelRig(std::map<int32_t, std::string> texts = {}) {
        std::fill(ed->fonts.font7x11.begin(), ed->fonts.font7x11.end(), 255);
        for (int32_t n = 0; n < 2048; ++n)
            if (!texts.count(n)) texts[n] = "W";
        ed->langs = test::languageWith(texts);
        ed->colorSettings.colorUiPreviewLine = 200;
        ed->colorSettings.colorUiTextBoxBack = 201;
        ed->colorSettings.colorUiAls = 3;
        test::fillSyntheticBlend(ed->colorTables);
        std::fill(ed->frameBuffer.background.begin(), ed->frameBuffer.background.end(), kClear);
        ed->calls.build3dView = [this](Editor&) { trace.push_back("build3dView"); };
        ed->calls.renderHelpTopic = [this](Editor&) { trace.push_back("renderHelpTopic"); };
        ed->calls.loadHelpFile = [this](Editor&) { trace.push_back("loadHelpFile"); };
        ed->calls.drawScriptText = [this](Editor&) { trace.push_back("drawScriptText"); };
        ed->operations.initSparks = [this](Editor&) { trace.push_back("initSparks"); };
    }
    void paint(Page page) {
        ed->app.currentPage = page;
        drawModePanel(*ed);
    }
    uint8_t bg(int32_t x, int32_t y) const { return ed->frameBuffer.background[size_t(y) * 800 + x]; }
    int32_t changedIn(int32_t y0, int32_t y1) const {
        int32_t n = 0;
        for (int32_t y = y0; y <= y1; ++y)
            for (int32_t x = 0; x < 800; ++x) n += bg(x, y) != kClear;
        return n;
    }
};

const Page kAllPages[] = {
    Page::PlanView,     Page::SideView,      Page::RecordEditor,  Page::ProblemList,
    Page::Statistics,   Page::WallLighting,  Page::DrivePicker,   Page::SparksToy,
    Page::DisplayOptions, Page::FileBrowser, Page::View3D,        Page::GeneralOptions,
    Page::Search,       Page::ArrayTool,     Page::HelpViewer,    Page::About,
    Page::TilePicker,   Page::TileZoom,      Page::TileFilter,    Page::ReelSetup,
    Page::ArchSetup,    Page::SphereSetup,   Page::ProfileEditor, Page::ColorSchemeEditor,
    Page::ImageExport,  Page::TerrainSetup,  Page::ScriptEditor,  Page::MessageBox,
    Page(99)};

TEST(ModePanel, PagesWithoutAPanelPaintOnlyTheirWidgets) {
    for (const Page page : {Page::PlanView, Page::SideView, Page::TilePicker, Page::TileZoom,
                            Page::MessageBox, Page(99)}) {
        SCOPED_TRACE(int(page));
        PanelRig r;
        r.paint(page);
        EXPECT_EQ(r.changedIn(0, 599), 0);
        // One value box of the page: 95 x 15 in the text-box colour.
        WidgetState& w = r.ed->widgets;
        w.valueFields[0] = {300, 200, 7, page, 0};
        w.valueFieldCount = 1;
        r.paint(page);
        EXPECT_EQ(r.bg(300 + 47, 207), 201);
        EXPECT_EQ(r.bg(300 + 95, 207), kClear);
        EXPECT_EQ(r.bg(347, 215), kClear);
        EXPECT_NE(r.bg(300, 200), kClear);
        EXPECT_NE(r.bg(394, 214), kClear);
    }
}

TEST(ModePanel, PushButtonsAndTracksOfTheCommonPass) {
    PanelRig r;
    r.ed->colorSettings.colorUiButton = 150;
    WidgetState& w = r.ed->widgets;
    // A button that a running demo disables (the script editor's save) is painted all the same.
    w.pushButtons[0] = {200, 300, 260, 316, 26007, Page::TileZoom, 0, "S"};
    w.pushButtonCount = 1;
    w.scrollBars[0] = {700, 200, 40, 3, 1, ScrollSource::ScriptList, 26001, Page::TileZoom, 0};
    w.scrollBarCount = 1;
    r.ed->demo.demoFrameIndex = 3;
    r.paint(Page::TileZoom);
    EXPECT_EQ(r.bg(205, 310), 150);
    // A track of length L is painted L + 1 long.
    PanelRig t;
    drawSkinSlider({t.ed->frameBuffer, t.ed->colorTables}, t.ed->skin, 700, 200, 41, 1);
    for (int32_t y = 190; y < 260; ++y) EXPECT_EQ(r.bg(707, y), t.bg(707, y)) << y;
}

TEST(ModePanel, NothingOutsideTheMapRowsWhateverTheLanguage) {
    // Long texts and position pairs that are missing or off screen.
    std::map<int32_t, std::string> texts;
    for (int32_t n = 0; n < 2048; ++n) texts[n] = std::string(10000, 'M') + "||" + "x";
    for (const Page page : kAllPages) {
        SCOPED_TRACE(int(page));
        PanelRig r(texts);
        r.ed->langs.languages[0].positions.at(1002) = {-5000, 590};
        r.ed->frameBuffer.startupScreen.assign(800 * 456, 9);
        r.paint(page);
        EXPECT_EQ(r.changedIn(0, 127), 0);
        EXPECT_EQ(r.changedIn(584, 599), 0);
    }
}

TEST(RecordEditorPanel, SubjectAndHeaderFollowTheTargets) {
    struct Case {
        int32_t sprite, sector, wall;
        uint8_t subject;
        const char* header;
        uint8_t kind;  // the record kind shown (9: left alone)
    };
    const Case cases[] = {
        {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 3, "SPR 4", 2}, {-1, 0xFFFFFF, 0xFFFFFF, 4, "SEC 5", 0},
        {-1, -1, 0xFFFFFF, 5, "WAL 6", 1},            {1, 0xFFFFFF, -1, 4, "SEC 5", 0},
        {1, 2, 3, 0, "sprite 1 [LAMP]", 2},           {-1, 2, 3, 1, "sector 2", 0},
        {-1, -1, 3, 2, "wall 3", 1},                   {-1, -1, -1, 6, "none", 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        RecordPanelInput in{c.sprite, c.sector, c.wall, 4, 5, 6, "LAMP"};
        PanelRig r({{867, "SPR &1"}, {868, "SEC &1"}, {869, "WAL &1"}, {870, "sprite &1"},
                    {871, "sector &1"}, {872, "wall &1"}, {873, "none"}});
        const PanelContext pc{{r.ed->frameBuffer, r.ed->colorTables}, r.ed->fonts, r.ed->skin,
                              r.ed->langs, r.ed->colorSettings, r.ed->random};
        uint8_t kind = 9;
        EXPECT_EQ(drawRecordEditorPanel(pc, in, kind), c.subject);
        EXPECT_EQ(kind, c.kind);
        // The header is centred on x = 400 at y = 560; the first letter's box starts there.
        const int32_t len = int32_t(std::string(c.header).size());
        EXPECT_NE(r.bg(400 - 4 * len + 1, 565), kClear);
        EXPECT_EQ(r.bg(400 - 4 * len - 3, 565), kClear);
        // Rows or the explanation: the first value box, or message 929 at (8, 512).
        EXPECT_EQ(r.bg(c.kind == 2 ? 140 : c.kind == 1 ? 190 : 240, 517) == 201, c.kind != 9);
    }
}

TEST(RecordEditorPanel, SpriteWithoutTileNameHasNoBrackets) {
    PanelRig r({{870, "S&1"}});
    const PanelContext pc{{r.ed->frameBuffer, r.ed->colorTables}, r.ed->fonts, r.ed->skin,
                          r.ed->langs, r.ed->colorSettings, r.ed->random};
    uint8_t kind = 0;
    drawRecordEditorPanel(pc, {7, -1, -1, 0, 0, 0, ""}, kind);
    EXPECT_NE(r.bg(400 - 4 * 2 + 1, 565), kClear);
    EXPECT_EQ(r.bg(400 + 4 * 2 + 1, 565), kClear);  // "S7", nothing after it
}

TEST(RecordEditorPanel, TileNameOnlyForASpriteThatExists) {
    // A target past the sprites, or a sprite whose tile is out of range, reads no name.
    for (const int32_t picnum : {-5, 15360, 3}) {
        PanelRig r({{870, "S"}});
        Editor& ed = *r.ed;
        ed.map.spriteCount = 1;
        ed.map.sprites[0].picnum = int16_t(picnum);
        ed.tileCatalog.tileNames.set(3, "NAMED");
        ed.prompt.targetSprite = 0;
        r.paint(Page::RecordEditor);
        EXPECT_EQ(r.bg(400 - 4 * 9 + 1, 565) != kClear, picnum == 3) << picnum;
        ed.prompt.targetSprite = 1;  // no such sprite
        std::fill(ed.frameBuffer.background.begin(), ed.frameBuffer.background.end(), kClear);
        r.paint(Page::RecordEditor);
        EXPECT_EQ(r.bg(400 - 4 * 1 - 3, 565), kClear);
    }
}

TEST(RecordRows, TypeWordsAndCounts) {
    EXPECT_EQ(recordRows(0).size(), 23u);
    EXPECT_EQ(recordRows(1).size(), 17u);
    EXPECT_EQ(recordRows(2).size(), 23u);
    EXPECT_TRUE(recordRows(3).empty());
    EXPECT_TRUE(recordRows(-1).empty());
    const std::pair<const char*, int32_t> offsets[] = {
        {"int", 16}, {"long", 22}, {"char", 22}, {"schar", 27}};
    for (const auto& [type, k] : offsets) EXPECT_EQ(typeWordOffset(type), k) << type;
    EXPECT_STREQ(recordRows(2)[11].caption, "XOFFSET");
    EXPECT_STREQ(recordRows(2)[11].type, "schar");
    EXPECT_STREQ(recordRows(0)[3].caption, "CEILINGSTAT");
    EXPECT_STREQ(recordRows(1)[5].caption, "CSTAT");
}

TEST(SearchPanel, StripesAndRowsByKind) {
    struct Case {
        uint8_t kind;
        bool eighteenthBand;  // band 18 exists only with 12 bands
        bool rows;
    };
    for (const Case c : {Case{0, true, true}, Case{1, false, true}, Case{2, true, true},
                         Case{7, true, false}}) {
        SCOPED_TRACE(int(c.kind));
        PanelRig r;
        r.ed->pages.search.searchObjectKind = c.kind;
        r.paint(Page::Search);
        EXPECT_EQ(r.bg(120, 485 - 16 * 18 + 5) != kClear, c.eighteenthBand);
        EXPECT_EQ(r.bg(240, 493) == 201, c.rows);  // first value box of row 0
    }
}

TEST(ArrayToolPanel, EachPatternShowsItsOwnDescription) {
    // The first line of each pattern's description.
    const std::pair<int32_t, int32_t> firstLine[] = {{408, 1041}, {408, 1043}, {384, 1058},
                                                     {384, 1061}, {384, 1069}};
    for (int32_t pattern = 0; pattern < 5; ++pattern) {
        std::map<int32_t, std::string> texts;
        for (int32_t n = 1041; n <= 1071; ++n) texts[n] = "";
        texts[firstLine[pattern].second] = "D";
        PanelRig r(texts);
        r.ed->pages.arrayTool.arrayPattern = uint8_t(pattern);
        r.paint(Page::ArrayTool);
        for (int32_t q = 0; q < 5; ++q)
            EXPECT_EQ(r.bg(357, firstLine[q].first + 5) == 200,
                      firstLine[q].first == firstLine[pattern].first)
                << pattern << " " << q;
    }
}

TEST(OptionPanels, BraceFollowsTheLanguagesPair) {
    for (const TextPosition at : {TextPosition{300, 200}, TextPosition{500, 300}}) {
        PanelRig r({{1002, ""}});
        r.ed->langs.languages[0].positions.at(1002) = at;
        r.paint(Page::DisplayOptions);
        int32_t near = 0;
        for (int32_t y = at.y; y <= at.y + 76; ++y)
            for (int32_t x = at.x - 20; x <= at.x + 20; ++x) near += r.bg(x, y) == 200;
        EXPECT_GT(near, 20) << at.x;
    }
}

TEST(OptionPanels, SwatchesStripAndGrid) {
    struct Case {
        int32_t k, j, game;
    };
    for (const Case c : {Case{3, 0, 80}, Case{3, 15, 95}, Case{3, 16, 64}, Case{3, 31, 79},
                         Case{5, 16, 208}, Case{6, 31, 159}, Case{9, 0, 224}, Case{1, 31, 31},
                         Case{0, 0, -1}, Case{10, 0, -1}})
        EXPECT_EQ(swatchGameColour(c.k, c.j), c.game) << c.k << " " << c.j;
    PanelRig r;
    r.paint(Page::ColorSchemeEditor);
    for (int32_t i = 0; i <= 20; ++i) EXPECT_EQ(r.bg(418 + 12 * i, 539), 7 + 12 * i) << i;
    EXPECT_EQ(r.bg(605, 514), 0);     // top row: colours 0..11
    EXPECT_EQ(r.bg(605 + 16 * 3, 514 - 16 * 21), 255);  // row 22: 252..255
    EXPECT_EQ(r.bg(605, 514 - 16 * 22), kClear);         // no 23rd row
}

TEST(ListPanels, WaitBandAndCredits) {
    for (const auto& [y, c] : {std::pair{344, 0}, {352, 7}, {361, 0}, {327, 0}, {346, 0}})
        EXPECT_EQ(waitBandColour(y), c) << y;
    for (const std::string credits : {"ONE", "A||B||C"}) {
        PanelRig r({{1300, credits}});
        r.paint(Page::About);
        EXPECT_EQ(r.bg(9, 322), 238);
        EXPECT_EQ(r.bg(9, 322 - 12) == 238, credits.size() > 3);
        EXPECT_EQ(r.bg(9, 322 - 24) == 238, credits.size() > 3);
        EXPECT_NE(r.bg(9, 322 - 36), 238);
    }
}

TEST(ListPanels, TheInformationPageShowsTheStartPictureOnTheMapRows) {
    PanelRig r;
    // Each kept row of the picture in its own colour: row k of the map view holds k % 251.
    std::vector<uint8_t>& kept = r.ed->frameBuffer.startupScreen;
    kept.resize(size_t(800) * 456);
    for (size_t k = 0; k < 456; ++k) std::fill_n(kept.begin() + ptrdiff_t(k * 800), 800, uint8_t(k % 251));
    r.paint(Page::About);
    for (int32_t y : {128, 129, 300, 583}) EXPECT_EQ(r.bg(790, y), uint8_t((y - 128) % 251)) << y;
    EXPECT_EQ(r.changedIn(0, 127), 0);
    EXPECT_EQ(r.changedIn(584, 599), 0);
}

TEST(ListPanels, ReportPagesAskForTheirDataWithTheBusyCursor) {
    for (const Page page : {Page::ProblemList, Page::Statistics}) {
        PanelRig r;
        for (int32_t visit = 0; visit < 2; ++visit) {
            r.ed->app.deferredAction = DeferredAction::None;
            r.ed->cursor.cursorShape = CursorShape::Arrow;
            r.paint(page);
            EXPECT_EQ(r.ed->cursor.cursorShape, CursorShape::Busy);
            EXPECT_EQ(r.ed->app.deferredAction, page == Page::ProblemList
                                                    ? DeferredAction::CheckMap
                                                    : DeferredAction::ComputeStatistics);
        }
    }
}

TEST(ListPanels, DriveInventory) {
    // A: the root, B: the home folder, C: there but not ready, D..Z none.
    const DriveTable drives{
        [](int32_t l) {
            return l == 'A' ? std::string("/") : l == 'B' ? std::string("/home/u") : std::string();
        },
        [](int32_t l) { return uint8_t(l == 'A' || l == 'B' ? 1 : l == 'C' ? 2 : l == 'Z' ? 9 : 0); }};
    struct Case {
        const char* folder;
        uint8_t cursor;
    };
    for (const Case c : {Case{"/home/u/maps", 1}, Case{"/home/u", 1}, Case{"/home/user", 0},
                         Case{"", 0}, Case{"/tmp", 0}}) {
        const DriveList l = takeDriveInventory(drives, c.folder);
        EXPECT_EQ(l.driveCursor, c.cursor) << c.folder;
        EXPECT_EQ(l.driveAvailable[0], 1);
        EXPECT_EQ(l.driveAvailable[2], 2);
        EXPECT_EQ(l.driveAvailable[3], 0);
        EXPECT_EQ(l.driveAvailable[25], 0);  // a state the table cannot hold is no drive
    }
    EXPECT_EQ(takeDriveInventory({}, "/x").driveCursor, 0);
}

TEST(ListPanels, HelpReloadsOnlyAfterALanguageChange) {
    PanelRig r;
    r.paint(Page::HelpViewer);
    EXPECT_EQ(r.trace, (test::Trace{"renderHelpTopic"}));
    r.trace.clear();
    r.ed->help.modePanelDirty = 1;
    r.paint(Page::HelpViewer);
    r.paint(Page::HelpViewer);
    EXPECT_EQ(r.trace, (test::Trace{"loadHelpFile", "renderHelpTopic", "renderHelpTopic"}));
}

TEST(ToolPanels, SparkPictureAndThreeDData) {
    SparkShadeImage img{};
    buildSparkShadeImage(img);
    EXPECT_EQ(img[65 * 48 + 16], 11);
    EXPECT_EQ(img[65 * 10 + 54], 1);
    EXPECT_EQ(img[0], 255);
    EXPECT_EQ(img[65 * 32 + 0], 7);  // on the rim, 22.6 from the light
    struct Case {
        Page from;
        uint8_t state;
        bool builds;
    };
    for (const Case c : {Case{Page::PlanView, 0, true}, Case{Page::TilePicker, 0, false},
                         Case{Page::PlanView, 1, false}}) {
        PanelRig r;
        r.ed->app.previousPage = c.from;
        r.ed->pages.view3d.view3dState = c.state;
        r.ed->pages.view3d.view3dValid = 1;
        r.paint(Page::View3D);
        EXPECT_EQ(r.ed->pages.view3d.view3dValid, 0);
        EXPECT_EQ(r.trace == test::Trace{"build3dView"}, c.builds) << int(c.from);
    }
    PanelRig s;
    s.paint(Page::SparksToy);
    EXPECT_EQ(s.trace, test::Trace{"initSparks"});
    EXPECT_EQ(s.ed->pages.sparksToy.sparkShadeImage[65 * 48 + 16], 11);
}

TEST(ToolPanels, LightTypeChoosesTheLines) {
    for (const uint8_t directional : {0, 1}) {
        PanelRig r({{972, "P"}});
        r.ed->pages.wallLighting.lightDirectional = directional;
        r.paint(Page::WallLighting);
        EXPECT_EQ(r.bg(538, 515) == 200, directional == 0);
        // The falloff samples stay within their palette steps.
        for (int32_t x = 201; x <= 360; ++x) {
            EXPECT_GE(r.bg(x, 490), 72);
            EXPECT_LE(r.bg(x, 490), 83);
        }
    }
}

TEST(PanelRandom, DrawsPerPage) {
    struct Case {
        Page page;
        int32_t draws;
    };
    for (const Case c : {Case{Page::GeneralOptions, 52205}, Case{Page::ColorSchemeEditor, 197680},
                         Case{Page::ScriptEditor, 51604}, Case{Page::WallLighting, 6240},
                         Case{Page::RecordEditor, 0}, Case{Page::Statistics, 0},
                         Case{Page::About, 0}, Case{Page::ProfileEditor, 0}}) {
        PanelRig r;
        r.ed->random.randomState = 12345;
        Random expected{12345};
        for (int32_t i = 0; i < c.draws; ++i) randomSingle(expected);
        r.paint(c.page);
        EXPECT_EQ(r.ed->random.randomState, expected.randomState) << int(c.page);
    }
}

TEST(PanelRandom, DitherStaysWithinItsThreeColours) {
    const float largest = 8388607.0f / 8388608.0f;
    EXPECT_EQ(ditherColour(264, 264, largest), 81);
    EXPECT_EQ(ditherColour(0, 264, 0.0f), 79);
    EXPECT_EQ(ditherColour(132, 264, largest), 80);
    EXPECT_EQ(ditherColour(5, 0, largest), 79);
    PanelRig r;
    r.paint(Page::ColorSchemeEditor);
    for (int32_t y = 170; y <= 522; y += 7)
        for (int32_t x = 10; x <= 569; x += 3) {
            if (r.bg(x, y) == 200) continue;  // a label
            EXPECT_GE(r.bg(x, y), 79);
            EXPECT_LE(r.bg(x, y), 81);
        }
}

}  // namespace
}  // namespace korvel
