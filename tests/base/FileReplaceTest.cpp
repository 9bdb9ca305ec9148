#include "base/FileReplace.h"

#include <gtest/gtest.h>

#include "platform/NativeFileSystem.h"
#include "support/TempFolder.h"

namespace korvel {
namespace {

TEST(FileReplaceTest, PiecesArriveWholeOrNotAtAll) {
    TempFolder tmp;
    NativeFileSystem fs;
    const std::string path = tmp.write("f.bin", "old");
    {
        FileReplacement r(fs, path);
        EXPECT_TRUE(r.append("one ") && r.append("") && r.append("two"));
        EXPECT_EQ(tmp.read("f.bin"), "old");
        EXPECT_TRUE(r.commit().replaced);
        EXPECT_FALSE(r.good());
        EXPECT_FALSE(r.append("more"));
    }
    EXPECT_EQ(tmp.read("f.bin"), "one two");
    {
        FileReplacement r(fs, path);
        EXPECT_TRUE(r.append("abandoned"));
        EXPECT_EQ(fs.listEntries(tmp.path()).size(), 2u);
    }
    EXPECT_EQ(tmp.read("f.bin"), "one two");
    EXPECT_EQ(fs.listEntries(tmp.path()).size(), 1u) << "an abandoned write leaves nothing";
    {
        FileReplacement r(fs, tmp.file("empty.bin"));
        EXPECT_TRUE(r.commit().replaced);
    }
    EXPECT_EQ(tmp.read("empty.bin"), "");
    FileReplacement folder(fs, tmp.path());
    EXPECT_FALSE(folder.good());
    EXPECT_FALSE(folder.append("x"));
    EXPECT_EQ(folder.commit().failedAt, ReplaceStep::Write);
    EXPECT_FALSE(fs.appendFile(tmp.file("missing.bin"), "x")) << "appending makes no file";
    EXPECT_FALSE(tmp.exists("missing.bin"));
}

}  // namespace
}  // namespace korvel
