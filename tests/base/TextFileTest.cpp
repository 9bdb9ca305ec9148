#include "base/TextFile.h"

#include <gtest/gtest.h>

#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "support/TempFolder.h"

namespace korvel {
namespace {

// A file system whose writes fail, as a full disk or a read-only folder would.
class FailingWrites : public NativeFileSystem {
public:
    bool writeAtomic(const std::string&, const std::string&) override { return false; }
};

TEST(TextFile, EveryByteValueRoundTrips) {
    TempFolder dir;
    NativeFileSystem fs;
    std::string all;
    for (int b = 0; b < 256; ++b) all += char(b);
    all += "\r\n\n\r";  // line ends stay as they are
    ASSERT_TRUE(fsoRecordFile(fs, dir.file("all.txt"), all));
    EXPECT_EQ(fsoReadFile(fs, dir.file("all.txt")), all);
}

TEST(TextFile, MissingEmptyAndFolderReadAsEmpty) {
    TempFolder dir;
    NativeFileSystem fs;
    dir.write("empty.txt", "");
    dir.makeFolder("sub");
    EXPECT_EQ(fsoReadFile(fs, dir.file("missing.txt")), "");
    EXPECT_EQ(fsoReadFile(fs, dir.file("empty.txt")), "");
    EXPECT_EQ(fsoReadFile(fs, dir.file("sub")), "");
}

TEST(TextFile, ReadsAtMostSixteenMebibytes) {
    TempFolder dir;
    NativeFileSystem fs;
    dir.write("big.txt", std::string(20000000, 'x'));
    EXPECT_EQ(fsoReadFile(fs, dir.file("big.txt")).size(), 16777216u);
}

TEST(TextFile, WriteReplacesAndReportsFailure) {
    TempFolder dir;
    NativeFileSystem fs;
    dir.write("a.txt", "old");
    ASSERT_TRUE(fsoRecordFile(fs, dir.file("a.txt"), ""));
    EXPECT_EQ(dir.read("a.txt"), "");  // an empty text makes an empty file
    EXPECT_FALSE(fsoRecordFile(fs, dir.file("no/such/folder/a.txt"), "x"));

    dir.write("b.txt", "keep");
    FailingWrites failing;
    EXPECT_FALSE(fsoRecordFile(failing, dir.file("b.txt"), "new"));
    EXPECT_EQ(dir.read("b.txt"), "keep");
}

TEST(TextFile, WriteLeavesNoTemporaryFileBehind) {
    TempFolder dir;
    NativeFileSystem fs;
    ASSERT_TRUE(fsoRecordFile(fs, dir.file("c.txt"), "text"));
    const auto entries = fs.listEntries(dir.path());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "c.txt");
}

}  // namespace
}  // namespace korvel
