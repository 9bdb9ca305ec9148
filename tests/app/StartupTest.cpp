#include "app/Startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "pages/MessageBox.h"
#include "resources/GamePalette.h"
#include "support/EditorRig.h"
#include "support/LanguageFixture.h"
#include "support/SyntheticGameFiles.h"
#include "support/TempFolder.h"

namespace korvel {
namespace {

using test::EditorRig;
using test::recordOnly;
using test::Trace;

// Every step replaced by a recorder that does no work, so the trace holds exactly what start-up
// itself calls; the languages step installs a language whose message n reads "m<n>".
void fakeEverything(Editor& ed, Trace& t) {
    EditorCalls& c = ed.calls;
    recordOnly(c.loadStartScreen, t, "loadStartScreen", {[](Editor&) { return true; }});
    recordOnly(c.seedRandom, t, "seedRandom");
    recordOnly(c.loadConfigAndInit, t, "loadConfigAndInit");
    recordOnly(c.getDisplayMode, t, "getDisplayMode");
    recordOnly(c.tryFullScreen, t, "tryFullScreen", {[](Editor&) { return true; }});
    recordOnly(c.showWindow, t, "showWindow");
    recordOnly(c.hookWindow, t, "hookWindow");
    recordOnly(c.loadFontSheets, t, "loadFontSheets");
    test::recordLog(c, t, false);
    recordOnly(c.loadLanguages, t, "loadLanguages", {[](Editor& e) {
                   std::map<int32_t, std::string> texts;
                   for (int32_t n : {321, 322, 324, 325, 326, 327, 328, 329, 330, 331, 332, 1308})
                       texts[n] = "m" + std::to_string(n);
                   e.langs = test::languageWith(texts);
               }});
    recordOnly(c.rebuildToolbar, t, "rebuildToolbar");
    recordOnly(c.layoutWidgets, t, "layoutWidgets");
    recordOnly(c.loadMenus, t, "loadMenus");
    recordOnly(c.loadSkin, t, "loadSkin");
    recordOnly(c.loadGlyphWidths, t, "loadGlyphWidths");
    recordOnly(c.loadDisplayPalette, t, "loadDisplayPalette", {[](Editor&) { return true; }});
    recordOnly(c.loadGamePalette, t, "loadGamePalette", {[](Editor&) { return true; }});
    c.refreshScriptList = [&t](Editor&, bool keep) {
        t.push_back(std::string("refreshScriptList ") + (keep ? "1" : "0"));
    };
    c.loadMap = [&t](Editor&, const std::string& path, bool silent) {
        t.push_back("loadMap " + path + (silent ? " silent" : ""));
    };
    recordOnly(c.loadArtTiles, t, "loadArtTiles");
    recordOnly(c.loadTileSets, t, "loadTileSets");
    recordOnly(c.loadNamesAndSounds, t, "loadNamesAndSounds");
    recordOnly(c.loadHelpFile, t, "loadHelpFile");
    c.loadColorTables = [&t](Editor&, bool read) {
        t.push_back(std::string("loadColorTables ") + (read ? "1" : "0"));
    };
    c.playSound = [&t](Editor&, const std::string& cue, int32_t flags) {
        t.push_back("playSound " + cue + " " + std::to_string(flags));
    };
}

const Trace kHead = {"loadStartScreen", "seedRandom", "loadConfigAndInit", "getDisplayMode"};
const Trace kWindowToScripts = {
    "showWindow",         "hookWindow",      "loadFontSheets",     "log:Loading languages...@83",
    "loadLanguages",      "rebuildToolbar",  "layoutWidgets",      "loadMenus",
    "log:Test@106",       "log:m321@83",     "log:m324@83",        "loadSkin",
    "log:m322@83",        "loadGlyphWidths", "loadDisplayPalette", "loadGamePalette",
    "refreshScriptList 0"};
const Trace kTiles = {"log:m327@83", "loadArtTiles"};
const Trace kTail = {"log:m328@83", "loadTileSets",     "log:m329@83", "loadNamesAndSounds",
                     "log:m330@83", "loadHelpFile",     "log:m331@83", "loadColorTables 1",
                     "log:m332@44", "playSound beep2 3"};

Trace join(std::initializer_list<Trace> parts) {
    Trace out;
    for (const Trace& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(Startup, StepsRunInTheirOrderWithTheirLogLines) {
    struct Case {
        const char* name;
        std::string commandLine;
        bool fullScreen, tilesOnInit;
        Trace expected;
    };
    const Case cases[] = {
        {"plain", "", false, true, join({kHead, kWindowToScripts, kTiles, kTail})},
        {"full screen, no tiles", "", true, false,
         join({kHead, {"tryFullScreen"}, kWindowToScripts, kTail})},
        {"a map", "/maps/e1l1.map", false, true,
         join({kHead, kWindowToScripts, {"log:m326@83", "loadMap /maps/e1l1.map"}, kTiles, kTail})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditorRig rig(c.commandLine, false);
        Trace trace;
        fakeEverything(*rig.ed, trace);
        rig.ed->settings.fullScreen = c.fullScreen;
        rig.ed->settings.loadTilesOnInit = c.tilesOnInit;
        rig.ed->calls.loadConfigAndInit = [&](Editor& ed) {
            trace.push_back("loadConfigAndInit");
            ed.settings.fullScreen = c.fullScreen;
            ed.settings.loadTilesOnInit = c.tilesOnInit;
        };
        ASSERT_TRUE(startup(*rig.ed));
        EXPECT_EQ(trace, c.expected);
    }
}

TEST(Startup, GeneratedDataFolderStartsTheEditor) {
    EditorRig rig;
    Trace log;
    test::recordLog(rig.ed->calls, log, true);
    ASSERT_TRUE(startup(*rig.ed));
    EXPECT_EQ(log.front(), "log:Loading languages...@83");
    EXPECT_EQ(log.back(), "log:Ready.@44");
    EXPECT_NE(std::find(log.begin(), log.end(), "log:English@106"), log.end());
    // The start screen stays under the log: its colours are the ones shown. Lines that come
    // within one frame interval share a present; the last one is always shown.
    EXPECT_GE(rig.platform->presentCount(), 2);
    const SurfaceView screen = screenView(rig.ed->frameBuffer);
    const int32_t lastLineY = 586 - 12 * (int32_t(log.size()) - 1);
    int differing = 0;
    for (int32_t y = lastLineY; y < lastLineY + 12; ++y)
        for (int32_t x = 0; x < 300; ++x) differing += rig.platform->framePixel(x, y) != screen.at(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_NE(rig.platform->lastPalette(), Palette256{});
    EXPECT_EQ(rig.platform->playedSounds(), std::vector<std::string>{"beep2.wav"});
    EXPECT_EQ(rig.platform->caption(), "Korvel - untitled");
    EXPECT_EQ(rig.ed->mapFile.mapTitle, "untitled");
    EXPECT_TRUE(rig.platform->shown());
    EXPECT_EQ(rig.ed->pages.scriptEditor.scriptName, "script1");
    EXPECT_EQ(rig.ed->settings.frameDelay, 10);  // from default.cfg
    EXPECT_FALSE(rig.ed->app.pendingMessageBox);
}

TEST(Startup, MissingPaletteIsLoggedAndStartUpGoesOn) {
    EditorRig rig;
    rig.removeDataFile("Palette.pal");
    Trace log;
    test::recordLog(rig.ed->calls, log, true);
    ASSERT_TRUE(startup(*rig.ed));
    EXPECT_NE(std::find(log.begin(), log.end(), "log:Missing or empty file: palette.pal@68"),
              log.end());
    EXPECT_EQ(log.back(), "log:Ready.@44");
}

TEST(Startup, MissingOrBrokenStartScreenEndsWithAMessage) {
    for (const char* bytes : {"", "GIF89a\x20\x03\x58\x02 broken"}) {
        EditorRig rig;
        if (*bytes)
            rig.dir.write("KorvelD/mainscr.gif", bytes);
        else
            rig.removeDataFile("mainscr.gif");
        EXPECT_FALSE(Form_Load(*rig.ed));
        Form_Unload(*rig.ed);
        ASSERT_EQ(rig.platform->errors().size(), 1u);
        EXPECT_NE(rig.platform->errors()[0].find("mainscr.gif"), std::string::npos);
        EXPECT_EQ(rig.platform->presentCount(), 0);
        EXPECT_FALSE(rig.dir.exists("KorvelD/korvel.cfg"));
    }
}

TEST(Startup, CommandLineRules) {
    using Kind = CommandLineRequest::Kind;
    struct Case {
        std::string text;
        bool stepByStep;
        Kind kind;
        std::string path;
    };
    const Case cases[] = {
        {"", false, Kind::None, ""},
        {"-sbs", true, Kind::None, ""},
        {"-SBS /m/a.map", false, Kind::Map, "-SBS /m/a.map"},
        {"-sbs /m/a.map", true, Kind::Map, "/m/a.map"},
        {"\"/my maps/big room.map\"", false, Kind::Map, "/my maps/big room.map"},
        {"/m/A.Map", false, Kind::Map, "/m/A.Map"},
        {"/games/duke3d.grp", false, Kind::Archive, "/games/duke3d.grp"},
        {"/games/DUKE3D.GrP", false, Kind::Archive, "/games/DUKE3D.GrP"},
        {"ap", false, Kind::None, ""},
        {"/m/a.map /m/b.map", false, Kind::Map, "/m/a.map /m/b.map"},
        {"/m/notes.txt", false, Kind::None, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CommandLineRequest r = parseCommandLine(c.text);
        EXPECT_EQ(r.stepByStep, c.stepByStep);
        EXPECT_EQ(r.kind, c.kind);
        EXPECT_EQ(r.path, c.path);
    }
}

TEST(Startup, ArchiveOnTheCommandLineLeavesTheCaptionAlone) {
    EditorRig rig("/games/duke3d.GRP");
    rig.ed->langs = test::languageWith({{325, "untitled"}, {1308, "K - &1"}});
    interpretCommandLine(*rig.ed, rig.platform->commandLine());
    EXPECT_EQ(rig.ed->app.grpPath, "/games/duke3d.GRP");
    EXPECT_EQ(rig.platform->caption(), "");
    interpretCommandLine(*rig.ed, "xy");
    EXPECT_EQ(rig.platform->caption(), "K - untitled");
}

// Without dukepal.pal, the colour tables take the game palette from the archive the command line
// names, which is known only once the command line has been read.
TEST(Startup, GamePaletteComesFromTheArchiveOnTheCommandLine) {
    std::array<test::Rgb, 256> sixBit;
    for (size_t k = 0; k < 256; ++k)
        sixBit[k] = {uint8_t(k % 64), uint8_t((k * 5) % 64), uint8_t(63 - k % 64)};
    const std::string dat = test::makePaletteDat(sixBit);
    TempFolder game;
    const std::string grp =
        game.write("my game/MYGAME.GRP", test::makeGroupFile({{"PALETTE.DAT", dat}}));
    EditorRig rig("\"" + grp + "\"");
    ASSERT_FALSE(rig.dir.exists("KorvelD/dukepal.pal"));
    ASSERT_TRUE(startup(*rig.ed));

    EXPECT_EQ(rig.ed->app.grpPath, grp);
    PaletteChannel r{}, g{}, b{};
    ASSERT_TRUE(decodePaletteDat(dat, r, g, b));
    EXPECT_EQ(rig.ed->colorTables.gamePaletteRed, r);
    EXPECT_EQ(rig.ed->colorTables.gamePaletteGreen, g);
    EXPECT_EQ(rig.ed->colorTables.gamePaletteBlue, b);
    EXPECT_TRUE(rig.dir.exists("KorvelD/dukepal.pal"));
    EXPECT_TRUE(rig.dir.exists("KorvelD/colortab.dat"));

    // Without the game's files, the stand-in palette is used and nothing is stored.
    EditorRig bare;
    ASSERT_TRUE(startup(*bare.ed));
    EXPECT_FALSE(bare.dir.exists("KorvelD/dukepal.pal"));
    EXPECT_FALSE(bare.dir.exists("KorvelD/colortab.dat"));
}

// Space is never pressed; the window is closed after a number of event passes.
class ClosingPlatform : public HeadlessPlatform {
public:
    using HeadlessPlatform::HeadlessPlatform;
    void processEvents() override {
        if (eventPasses() + 1 == closeAtPass) queueClose();
        HeadlessPlatform::processEvents();
    }
    int closeAtPass = 0;
};

// Space goes down and up on alternate event passes.
class TappingPlatform : public HeadlessPlatform {
public:
    using HeadlessPlatform::HeadlessPlatform;
    void processEvents() override {
        HeadlessPlatform::processEvents();
        setKeyDown(32, (eventPasses() & 1) != 0);
    }
};

TEST(Startup, BootLogLinesReachTheScreen) {
    // The clock stands still, so without -sbs every line after the first comes within one frame
    // interval of the last present.
    const struct {
        const char* commandLine;
        bool everyLinePresented;
    } cases[] = {{"-sbs", true}, {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        EditorRig rig(c.commandLine);
        auto platform = std::make_unique<TappingPlatform>(rig.dir.path(), c.commandLine);
        platform->setSleepAdvancesClock(false);
        rig.ed->app.platform = platform.get();
        int lines = 0, presented = 0;
        auto real = rig.ed->calls.bootLog;
        rig.ed->calls.bootLog = [&](Editor& ed, const std::string& text, uint8_t colour) {
            const int before = platform->presentCount();
            real(ed, text, colour);
            ++lines;
            presented += platform->presentCount() > before;
        };
        ASSERT_TRUE(startup(*rig.ed));
        EXPECT_GE(lines, 15);
        if (c.everyLinePresented) {
            EXPECT_EQ(presented, lines);
        } else {
            EXPECT_EQ(presented, 1);
            // The lines held back are shown together once start-up is done.
            EXPECT_EQ(platform->lastFrame(), rig.ed->frameBuffer.screen);
        }
    }
}

TEST(Startup, StepByStepWaitsUntilTheWindowIsClosed) {
    EditorRig rig("-sbs");
    auto platform = std::make_unique<ClosingPlatform>(rig.dir.path(), "-sbs");
    platform->closeAtPass = 40;
    rig.ed->app.platform = platform.get();
    EXPECT_TRUE(Form_Load(*rig.ed));
    Form_Unload(*rig.ed);
    EXPECT_EQ(rig.ed->bootLogState.stepByStepBoot, 1);
    // The first log line waited from its first pass on until the close.
    EXPECT_GE(platform->eventPasses(), 40);
    EXPECT_GT(platform->totalSlept(), 0u);
    EXPECT_EQ(rig.ed->app.quitRequested, 1);
    EXPECT_TRUE(rig.dir.exists("KorvelD/korvel.cfg"));
}

}  // namespace
}  // namespace korvel
