#include "script/ScriptFiles.h"

#include <gtest/gtest.h>

#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "support/LanguageFixture.h"
#include "support/TempFolder.h"

namespace korvel {
namespace {

struct ScriptRig {
    TempFolder dir;
    NativeFileSystem fs;
    Languages langs = test::languageWith({{1278, "Script1"}});
    ScriptState s;

    void refresh(bool keepText, bool demoPending = false, int32_t rows = 2) {
        refreshScriptList(s, fs, dir.path(), langs, keepText, demoPending, rows);
    }
};

TEST(ScriptFiles, StartUpListsTheScriptsAndLoadsTheDefaultOne) {
    ScriptRig r;
    r.dir.write("walls.kvs", "w");
    r.dir.write("script1.KVS", "default text");
    r.dir.write("arch.kvs", "a");
    r.dir.write("notes.txt", "n");
    r.refresh(false);
    EXPECT_EQ(r.s.scriptNames, (std::vector<std::string>{"arch", "script1", "walls"}));
    EXPECT_EQ(r.s.scriptCount, 3);
    EXPECT_EQ(r.s.scriptName, "Script1");
    EXPECT_EQ(r.s.scriptText, "default text") << "its file found without regard to case";
    EXPECT_EQ(r.s.scriptIndex, 1);
}

TEST(ScriptFiles, DefaultScriptWithoutAFileIsEmpty) {
    ScriptRig r;
    r.s.scriptText = "old";
    r.s.scriptIndex = 4;
    r.refresh(false);
    EXPECT_EQ(r.s.scriptName, "Script1");
    EXPECT_EQ(r.s.scriptText, "");
    EXPECT_EQ(r.s.scriptCount, 0);
    EXPECT_EQ(r.s.scriptIndex, 4) << "no entry: the index stays";
}

TEST(ScriptFiles, KeepingTheTextOrAPendingDemoLeavesTheCurrentScript) {
    for (const auto& [keep, demo] : {std::pair{true, false}, std::pair{false, true}}) {
        ScriptRig r;
        r.dir.write("script1.kvs", "file text");
        r.s.scriptName = "mine";
        r.s.scriptText = "edited";
        r.refresh(keep, demo);
        EXPECT_EQ(r.s.scriptName, "mine");
        EXPECT_EQ(r.s.scriptText, "edited");
        EXPECT_EQ(r.s.scriptCount, 1);
    }
}

TEST(ScriptFiles, ListTopStaysInRange) {
    ScriptRig r;
    for (const char* n : {"a", "b", "c", "d", "e"}) r.dir.write(std::string(n) + ".kvs", "");
    r.s.scriptListTop = 9;
    r.refresh(true, false, 2);
    EXPECT_EQ(r.s.scriptListTop, 3);
    r.refresh(true, false, 5);
    EXPECT_EQ(r.s.scriptListTop, 0);
    r.s.scriptListTop = -4;
    r.refresh(true, false, 2);
    EXPECT_EQ(r.s.scriptListTop, 0);
}

}  // namespace
}  // namespace korvel
