#include "script/ScriptRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/DeferredActions.h"
#include "app/Editor.h"
#include "map/Selection.h"
#include "map/UndoSnapshot.h"
#include "pages/MessageBox.h"
#include "platform/VirtualKeys.h"
#include "script/ScriptFiles.h"
#include "support/EditorRig.h"
#include "support/LanguageFixture.h"
#include "support/MapBuilder.h"
#include "support/MapInvariants.h"

namespace korvel {
namespace {

std::string lines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    for (size_t at; (at = text.find(" / ", from)) != std::string::npos; from = at + 3)
        out.append(text, from, at - from).append("\r\n");
    return out.append(text, from, std::string::npos);
}

struct RunRig : test::EditorRig {
    RunRig() {
        ed->langs = test::languageWith({{1278, "script1"},
                                        {1317, "finished"},
                                        {1410, "too long"},
                                        {1411, "esc"},
                                        {1412, "too big"},
                                        {1413, "bad name &1"},
                                        {1414, "not saved &1"},
                                        {1415, "not deleted &1"}});
        ed->pages.scriptEditor.scriptName = "walls";
    }
    Editor& e() { return *ed; }
    MapStore& map() { return ed->map; }
    // Runs the text the way the run button does: save, compile, run, report.
    void run(const std::string& text) {
        ed->pages.scriptEditor.scriptText = lines(text);
        ed->app.deferredAction = DeferredAction::RunScript;
        runDeferredAction(*ed);
    }
    void writeScript(const std::string& name, const std::string& text) {
        dir.write("KorvelD/" + name + ".kvs", lines(text));
    }
    int32_t spriteField(int32_t k, int32_t code) {
        int32_t v = 0;
        EXPECT_TRUE(getScriptField(ed->map, 0, k, code, v));
        return v;
    }
};

void roomWithSprites(MapStore& map, int32_t sprites) {
    test::MapBuilder b(map);
    b.addRoom(0, 0, 1024, 1024);
    for (int32_t i = 0; i < sprites; ++i) b.addSprite(100 + 10 * i, 100, 0, 0);
    b.link();
}

TEST(ScriptRun, ArithmeticWrapsAndAnglesFloor) {
    RunRig r;
    roomWithSprites(r.map(), 1);
    r.run(
        "mov r03 2147483647 / inc r03 / setsprite 0 z r03 / rectangular r05 r06 1024 16384 / "
        "setsprite 0 xvel r05 / setsprite 0 yvel r06 / atan2 r07 1 -1 / setsprite 0 extra r07");
    EXPECT_EQ(r.map().sprites[0].z, INT32_MIN);
    EXPECT_EQ(r.map().sprites[0].xvel, 1024);
    EXPECT_EQ(r.map().sprites[0].yvel, -1);
    EXPECT_EQ(r.map().sprites[0].extra, 8191);
    EXPECT_EQ(r.e().app.statusText, "finished");
    EXPECT_EQ(r.e().app.currentPage, Page::PlanView);
    EXPECT_EQ(r.map().mapModified, MapModifiedState::Modified);
    std::ifstream file(r.dataFile("walls.kvs"), std::ios::binary);
    std::stringstream saved;
    saved << file.rdbuf();
    EXPECT_EQ(saved.str().substr(0, 16), "mov r03 21474836") << "the run saved the text first";
    EXPECT_NE(saved.str().find("\r\ninc r03\r\n"), std::string::npos);
}

TEST(ScriptRun, LoopsFiltersAndBlocks) {
    struct Case {
        const char* name;
        std::string script;
        std::function<void(MapStore&)> check;
    };
    const std::vector<Case> cases = {
        {"for each selected and every",
         "mov r01 -1 / for each selected sprite r01 / setsprite r01 shade 5 / continue / "
         "mov r02 0 / for each sprite r02 / setsprite r02 pal 3 / continue",
         [](MapStore& m) {
             EXPECT_EQ((std::vector<int>{m.sprites[0].shade, m.sprites[1].shade, m.sprites[2].shade,
                                         m.sprites[3].shade}),
                       (std::vector<int>{5, 0, 5, 0}));
             EXPECT_EQ((std::vector<int>{m.sprites[0].pal, m.sprites[1].pal, m.sprites[2].pal,
                                         m.sprites[3].pal}),
                       (std::vector<int>{0, 3, 3, 3}));
         }},
        {"while, break, if and else",
         "while r01 l 100 / inc r01 / if r01 e 10 / break / endif / add r02 r01 / continue / "
         "if r02 ge 45 / setsprite 0 lotag r02 / else / setsprite 0 lotag 1 / endif / "
         "setsprite 0 hitag r01",
         [](MapStore& m) {
             EXPECT_EQ(m.sprites[0].lotag, 45);
             EXPECT_EQ(m.sprites[0].hitag, 10);
         }},
        {"an if left open ends the program",
         "mov r01 1 / if r01 e 2 / mov r02 5 / setsprite 0 lotag r02",
         [](MapStore& m) { EXPECT_EQ(m.sprites[0].lotag, 0); }},
        {"deleting in a for-each loop",
         "mov r01 -1 / for each sprite r01 / getsprite r01 lotag r02 / if r02 e 1 / "
         "deletesprite r01 / dec r01 / endif / continue",
         [](MapStore& m) {
             ASSERT_EQ(m.spriteCount, 1);
             EXPECT_EQ(m.sprites[0].lotag, 2);
         }},
        {"deleting without stepping back skips the next one",
         "mov r01 -1 / for each sprite r01 / getsprite r01 lotag r02 / if r02 e 1 / "
         "deletesprite r01 / endif / continue",
         [](MapStore& m) {
             ASSERT_EQ(m.spriteCount, 2);
             EXPECT_EQ(m.sprites[0].lotag + m.sprites[1].lotag, 3);
         }},
        {"registers out of range do nothing",
         "mov r01 7 / ptr 150 1 / ptr 2 -1 / setsprite 0 lotag r01 / mov r01 -1 / "
         "scanline 97 1 r03 / getselectionboundingbox r98 r01 / setsprite 0 hitag 4",
         [](MapStore& m) {
             EXPECT_EQ(m.sprites[0].lotag, 7);
             EXPECT_EQ(m.sprites[0].hitag, 4);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunRig r;
        roomWithSprites(r.map(), 4);
        const int16_t lotags[4] = {1, 1, 2, 1};
        if (std::string(c.name).find("deleting") != std::string::npos)
            for (int i = 0; i < 4; ++i) r.map().sprites[i].lotag = lotags[i];
        r.run("selectsprite 0 1 / selectsprite 2 1");
        r.run(c.script);
        c.check(r.map());
        EXPECT_EQ(r.e().app.statusText, "finished");
        EXPECT_EQ(test::describeViolations(test::checkMapInvariants(r.map())), "");
    }
}

TEST(ScriptRun, WallsTakeTheirSectorsFloorTile) {
    RunRig r;
    test::MapBuilder b(r.map());
    b.addRoom(0, 0, 512, 512);
    b.addRoom(512, 0, 1024, 512);
    b.link();
    r.map().sectors[0].floorpicnum = 11;
    r.map().sectors[1].floorpicnum = 22;
    r.run(
        "mov r01 -1 / for each sector r01 / getsector r01 wallptr r02 / "
        "getsector r01 wallnum r03 / add r03 r02 / getsector r01 floorpicnum r04 / "
        "while r02 l r03 / setwall r02 picnum r04 / inc r02 / continue / continue");
    for (int32_t w = 0; w < r.map().wallCount; ++w)
        EXPECT_EQ(r.map().walls[w].picnum, w < 4 ? 11 : 22) << w;
}

TEST(ScriptRun, IncludesReadTheDataFolder) {
    const std::string body = "!!! x / mov r01 5 // five / include 2 / setsprite 0 lotag r01";
    for (bool withInclude : {true, false}) {
        RunRig r;
        roomWithSprites(r.map(), 1);
        if (withInclude) r.writeScript("walls_2", "add r01 7");
        r.run(body);
        EXPECT_EQ(r.map().sprites[0].lotag, withInclude ? 12 : 5);
    }
    RunRig r;
    roomWithSprites(r.map(), 1);
    r.writeScript("walls_1", "include 1");
    r.run("include 1 / setsprite 0 lotag 9");
    EXPECT_EQ(r.map().sprites[0].lotag, 9);
}

TEST(ScriptRun, CreatedSpriteIsSelectedOnce) {
    RunRig r;
    roomWithSprites(r.map(), 0);
    r.run(
        "createsprite 512 512 / getspritenumber r01 / dec r01 / selectsprite r01 1 / "
        "selectsprite r01 1");
    ASSERT_EQ(r.map().spriteCount, 1);
    EXPECT_EQ(r.map().sprites[0].x, 512);
    EXPECT_EQ(r.map().sprites[0].y, 512);
    EXPECT_EQ(r.map().sprites[0].ang, 1536);
    EXPECT_EQ(r.map().sprites[0].xrepeat, 32);
    EXPECT_EQ(r.map().selectedSpriteCount, 1);
}

TEST(ScriptRun, EndlessLoopStopsAtTheBudgetAndUndoRestores) {
    RunRig r;
    roomWithSprites(r.map(), 1);
    r.map().mapModified = MapModifiedState::Unmodified;
    const MapStore before = r.map();
    r.e().pages.scriptEditor.scriptStepBudget = 100000;
    r.run("setsprite 0 lotag 3 / mov r01 1 / while r01 e 1 / continue");
    EXPECT_EQ(r.e().app.statusText, "too long");
    EXPECT_EQ(r.map().sprites[0].lotag, 3);
    restoreUndo(r.map(), r.e().undo, r.e().clipboard, r.e().tool.selectionMode, r.e().events);
    EXPECT_EQ(test::contentDifference(before, r.map()), "");
}

TEST(ScriptRun, EscAbortsOutsideDemos) {
    RunRig r;
    roomWithSprites(r.map(), 1);
    r.platform->setKeyDown(vk::Escape, true);
    r.run("mov r01 1 / while r01 e 1 / continue");
    EXPECT_EQ(r.e().app.statusText, "esc");
}

TEST(ScriptRun, ProgramTooLargeLeavesTheMap) {
    RunRig r;
    roomWithSprites(r.map(), 1);
    std::string text = "setsprite 0 lotag 3";
    for (int i = 0; i < kScriptCodeCapacity; ++i) text += " / inc r01";
    const MapStore before = r.map();
    r.run(text);
    EXPECT_EQ(r.e().app.statusText, "too big");
    EXPECT_EQ(test::contentDifference(before, r.map()), "");
}

}  // namespace
}  // namespace korvel

namespace korvel {
namespace {

TEST(ScriptRun, EmptyingAModifiedMapAsksFirst) {
    struct Case {
        int32_t answer;
        int32_t sectorsAfter;
    };
    for (const Case c : {Case{MessageBoxResult::Third, 1}, Case{MessageBoxResult::Second, 0}}) {
        RunRig r;
        roomWithSprites(r.map(), 1);
        r.map().mapModified = MapModifiedState::Modified;
        r.run("resetmap");
        EXPECT_EQ(r.e().app.currentPage, Page::MessageBox);
        EXPECT_EQ(r.map().sectorCount, 1) << "nothing runs before the answer";
        answerMessageBox(r.e(), c.answer);
        runDeferredAction(r.e());
        EXPECT_EQ(r.map().sectorCount, c.sectorsAfter);
        EXPECT_EQ(r.e().app.statusText, c.sectorsAfter == 0 ? "finished" : "");
    }
    // An unmodified map is emptied without a question, and the run leaves it modified.
    RunRig r;
    roomWithSprites(r.map(), 1);
    r.map().mapModified = MapModifiedState::Unmodified;
    r.run("resetmap");
    EXPECT_EQ(r.map().sectorCount, 0);
    EXPECT_EQ(r.map().mapModified, MapModifiedState::Modified);
}

}  // namespace
}  // namespace korvel
