#include <gtest/gtest.h>

#include <filesystem>

#include "app/DeferredActions.h"
#include "app/Editor.h"
#include "pages/MessageBox.h"
#include "script/ScriptFiles.h"
#include "script/ScriptRun.h"
#include "support/EditorRig.h"
#include "support/LanguageFixture.h"
#include "support/MapBuilder.h"

namespace korvel {
namespace {

struct FilesRig : test::EditorRig {
    FilesRig() : test::EditorRig("", false) {
        dir.makeFolder("KorvelD");
        ed->langs = test::languageWith({{1278, "script1"},
                                        {1317, "finished"},
                                        {1413, "bad name &1"},
                                        {1414, "not saved &1"},
                                        {1415, "not deleted &1"},
                                        {1418, "save &1 first?"}});
    }
    ScriptState& s() { return ed->pages.scriptEditor; }
    void put(const std::string& name, const std::string& text) {
        dir.write("KorvelD/" + name + ".kvs", text);
    }
    std::string file(const std::string& name) { return dir.read("KorvelD/" + name + ".kvs"); }
    bool exists(const std::string& name) {
        return std::filesystem::exists(dir.file("KorvelD/" + name + ".kvs"));
    }
    void refresh() { refreshScriptList(*ed, false); }
    void select(const std::string& name) {
        for (size_t i = 0; i < s().scriptNames.size(); ++i)
            if (s().scriptNames[i] == name) s().scriptIndex = int32_t(i);
        loadScript(*ed);
    }
};

TEST(ScriptFileOps, SaveListsInNameOrderAndFindsTheEntryIgnoringCase) {
    FilesRig r;
    r.put("walls", "w");
    r.put("Arch", "a");
    r.put("zig", "z");
    r.refresh();
    r.s().scriptName = "WALLS";
    r.s().scriptText = "new\r\n";
    ASSERT_TRUE(saveScript(*r.ed, false));
    EXPECT_EQ(r.s().scriptNames, (std::vector<std::string>{"Arch", "walls", "zig"}));
    EXPECT_EQ(r.s().scriptIndex, 1);
    EXPECT_EQ(r.file("walls"), "new\r\n") << "the existing file, whatever its case";
}

TEST(ScriptFileOps, DeletingMovesToANeighbourWithoutWritingIt) {
    struct Case {
        std::vector<std::string> names;
        std::string deleted, now;
    };
    const std::vector<Case> cases = {
        {{"a", "b", "c"}, "a", "b"},
        {{"a", "b", "c"}, "b", "c"},
        {{"a", "b", "c"}, "c", "b"},
        {{"a"}, "a", "script1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deleted);
        FilesRig r;
        for (const std::string& n : c.names) r.put(n, "text of " + n + "\r\n");
        r.refresh();
        r.select(c.deleted);
        r.s().scriptText = "edited";
        ASSERT_TRUE(deleteScript(*r.ed));
        EXPECT_FALSE(r.exists(c.deleted));
        EXPECT_EQ(r.s().scriptName, c.now);
        for (const std::string& n : c.names)
            if (n != c.deleted) EXPECT_EQ(r.file(n), "text of " + n + "\r\n");
        EXPECT_EQ(r.s().scriptText, c.now == "script1" ? "" : "text of " + c.now + "\r\n");
        EXPECT_EQ(r.s().scriptCount, int32_t(c.names.size()) - 1);
    }
}

TEST(ScriptFileOps, TextsSurviveASaveAndLineEndsLoadAsCrLf) {
    FilesRig r;
    std::string bytes;
    for (int c = 1; c < 256; ++c)
        if (c != '\r' && c != '\n') bytes += char(c);
    bytes += "\r\nlast";
    r.s().scriptName = "bytes";
    r.s().scriptText = bytes;
    ASSERT_TRUE(saveScript(*r.ed, false));
    EXPECT_EQ(r.file("bytes"), bytes);
    r.put("lf", "a\nb\rc\r\nd");
    r.refresh();
    r.select("lf");
    EXPECT_EQ(r.s().scriptText, "a\r\nb\r\nc\r\nd");
    r.select("bytes");
    EXPECT_EQ(r.s().scriptText, bytes);
}

TEST(ScriptFileOps, NewTakesTheLowestFreeDefaultName) {
    FilesRig r;
    r.put("script1", "one");
    r.put("script3", "three");
    r.refresh();
    r.s().scriptText = "one, edited";
    ASSERT_TRUE(newScript(*r.ed));
    EXPECT_EQ(r.s().scriptName, "script2");
    EXPECT_EQ(r.s().scriptText, "");
    EXPECT_EQ(r.file("script1"), "one, edited") << "the current script was saved first";
    EXPECT_FALSE(r.exists("script2")) << "nothing written until saved";
}

TEST(ScriptFileOps, RefusedNamesAndFailedWritesAreReported) {
    for (const std::string name : {"", ".", "..", "a/b", "a\\b", "a\tb", "~demotmp", "~DemoTmp"}) {
        FilesRig r;
        r.s().scriptName = name;
        r.s().scriptText = "mov r01 1";
        EXPECT_FALSE(saveScript(*r.ed, false)) << name;
        EXPECT_EQ(r.ed->app.statusText, "bad name " + name);
        EXPECT_FALSE(deleteScript(*r.ed));
        EXPECT_TRUE(std::filesystem::is_empty(r.dir.file("KorvelD"))) << name;
        r.ed->app.deferredAction = DeferredAction::RunScript;
        runDeferredAction(*r.ed);
        EXPECT_NE(r.ed->app.statusText, "finished") << "no run after a failed save";
    }
    FilesRig r;
    r.dir.makeFolder("KorvelD/walls.kvs/inside");
    r.s().scriptName = "walls";
    r.s().scriptText = "kept";
    EXPECT_FALSE(saveScript(*r.ed, false));
    EXPECT_EQ(r.ed->app.statusText, "not saved walls");
    EXPECT_EQ(r.s().scriptText, "kept");
}

TEST(ScriptFileOps, DemosUseTheTemporaryScript) {
    FilesRig r;
    test::MapBuilder b(r.ed->map);
    b.addRoom(0, 0, 1024, 1024);
    b.addSprite(10, 10, 0, 0);
    b.link();
    r.put("walls_1", "setsprite 0 hitag 6");
    r.ed->demo.demoFrameIndex = 0;
    r.s().scriptName = "walls";
    r.s().scriptText = "setsprite 0 lotag 4\r\ninclude 1";
    r.ed->app.deferredAction = DeferredAction::RunScript;
    runDeferredAction(*r.ed);
    EXPECT_EQ(r.ed->app.statusText, "finished");
    EXPECT_EQ(r.ed->map.sprites[0].lotag, 4);
    EXPECT_EQ(r.ed->map.sprites[0].hitag, 0) << "an include in a demo compiles nothing";
    EXPECT_FALSE(r.exists("~demotmp")) << "the run deletes it";
    EXPECT_FALSE(r.exists("walls"));
}

// A script edited but never saved has no file to be saved into before another script or a new
// one replaces it: the user is asked, and each answer does what it says.
TEST(ScriptFileOps, AnEditedScriptNeverSavedIsAskedAboutBeforeItIsReplaced) {
    enum class Then { Load, New };
    struct Case {
        const char* what;
        Then then;
        std::string name;  // of the script in memory
        bool edited;
        int32_t answer;  // 0: no question expected
        std::string nowName, nowText;
        bool writtenUnderName;
    };
    using namespace MessageBoxResult;
    const Case cases[] = {
        {"load, save it first", Then::Load, "draft", true, First, "other", "o\r\n", true},
        {"load, drop it", Then::Load, "draft", true, Second, "other", "o\r\n", false},
        {"load, cancel", Then::Load, "draft", true, Third, "draft", "typed", false},
        {"load, unedited", Then::Load, "draft", false, 0, "other", "o\r\n", false},
        {"new, save it first", Then::New, "draft", true, First, "script1", "", true},
        {"new, drop it", Then::New, "draft", true, Second, "script1", "", false},
        {"new, cancel", Then::New, "draft", true, Third, "draft", "typed", false},
        {"a refused name is not saved", Then::New, "a/b", true, First, "a/b", "typed", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FilesRig r;
        r.put("other", "o\r\n");
        r.refresh();
        r.s().scriptName = c.name;
        r.s().scriptText = "typed";
        r.s().scriptEdited = c.edited;
        if (c.then == Then::Load)
            r.select("other");
        else
            newScript(*r.ed);
        if (c.answer != 0) {
            ASSERT_EQ(r.ed->app.currentPage, Page::MessageBox);
            EXPECT_EQ(r.ed->pages.messageBox.messageBoxKind,
                      c.then == Then::Load ? MessageBoxKind::SaveScriptBeforeLoad
                                           : MessageBoxKind::SaveScriptBeforeNew);
            EXPECT_EQ(r.s().scriptText, "typed") << "nothing replaced before the answer";
            answerMessageBox(*r.ed, c.answer);
        } else {
            EXPECT_NE(r.ed->app.currentPage, Page::MessageBox);
        }
        EXPECT_EQ(r.s().scriptName, c.nowName);
        EXPECT_EQ(r.s().scriptText, c.nowText);
        if (c.name == "draft") EXPECT_EQ(r.exists("draft"), c.writtenUnderName);
        if (c.writtenUnderName) EXPECT_EQ(r.file("draft"), "typed");
        EXPECT_EQ(r.file("other"), "o\r\n");
    }
}

}  // namespace
}  // namespace korvel
