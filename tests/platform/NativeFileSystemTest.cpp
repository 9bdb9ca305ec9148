#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace korvel {
namespace {

class NativeFileSystemTest : public testing::Test {
protected:
    TempFolder tmp;
    NativeFileSystem fs;
};

TEST_F(NativeFileSystemTest, ExistenceOfFilesAndFolders) {
    tmp.write("sub/a.txt", "x");
    struct Case {
        std::string path;
        bool file, folder;
    } cases[] = {
        {tmp.file("sub/a.txt"), true, false},
        {tmp.path() + "\\sub\\a.txt", true, false},  // paths typed with backslashes
        {tmp.file("sub"), false, true},
        {tmp.file("sub/"), false, true},
        {tmp.file("missing"), false, false},
        {tmp.file("sub/a.txt/below"), false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fs.fileExists(c.path), c.file) << c.path;
        EXPECT_EQ(fs.folderExists(c.path), c.folder) << c.path;
    }
}

TEST_F(NativeFileSystemTest, LengthAndModifiedTime) {
    tmp.write("a.bin", std::string(1234, 'q'));
    EXPECT_EQ(fs.fileLength(tmp.file("a.bin")), 1234);
    EXPECT_EQ(fs.fileLength(tmp.file("missing")), std::nullopt);
    EXPECT_EQ(fs.fileLength(tmp.path()), std::nullopt);

    const utimbuf times{1000000000, 1234567890};
    ASSERT_EQ(::utime(tmp.file("a.bin").c_str(), &times), 0);
    EXPECT_EQ(fs.modifiedTime(tmp.file("a.bin")), 1234567890);
    EXPECT_EQ(fs.modifiedTime(tmp.file("missing")), std::nullopt);
}

TEST_F(NativeFileSystemTest, ListingSkipsHiddenEntriesAndMatchesPatternsWithoutCase) {
    for (const char* name : {"AUTO0000.MAP", "b.map", "c.txt", ".hidden.map", "x.mapx"})
        tmp.write(name, "");
    tmp.makeFolder("sub");
    tmp.makeFolder(".git");
    tmp.makeFolder("folder.map");

    EXPECT_EQ(fs.listFiles(tmp.path(), "*.map"),
              (std::vector<std::string>{"AUTO0000.MAP", "b.map"}));
    EXPECT_EQ(fs.listFiles(tmp.path(), "auto????.map"), (std::vector<std::string>{"AUTO0000.MAP"}));
    EXPECT_EQ(fs.listFolders(tmp.path()), (std::vector<std::string>{"folder.map", "sub"}));

    const auto entries = fs.listEntries(tmp.path() + "/");
    std::vector<std::string> names;
    for (const auto& e : entries) {
        names.push_back(e.name);
        EXPECT_EQ(e.isFolder, e.name == "sub" || e.name == "folder.map") << e.name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"AUTO0000.MAP", "b.map", "c.txt", "folder.map",
                                               "sub", "x.mapx"}));
    EXPECT_TRUE(fs.listEntries(tmp.file("missing")).empty());
    EXPECT_TRUE(fs.listEntries(tmp.file("c.txt")).empty());
}

TEST_F(NativeFileSystemTest, ReadsWholeFilesAndRanges) {
    tmp.write("d.bin", "0123456789");
    tmp.makeFolder("folder");
    const std::string f = tmp.file("d.bin");
    EXPECT_EQ(fs.readAll(f), "0123456789");
    EXPECT_EQ(fs.readAll(f, 4), "0123");
    EXPECT_EQ(fs.readRange(f, 3, 4), "3456");
    EXPECT_EQ(fs.readRange(f, 8, 10), "89");  // past the end: the bytes that exist
    EXPECT_EQ(fs.readRange(f, 10, 5), "");
    EXPECT_EQ(fs.readRange(f, 1000, 5), "");
    EXPECT_EQ(fs.readRange(f, 0, 0), "");
    EXPECT_EQ(fs.readRange(f, -1, 4), std::nullopt);
    EXPECT_EQ(fs.readRange(f, 0, -1), std::nullopt);
    EXPECT_EQ(fs.readAll(tmp.file("missing")), std::nullopt);
    EXPECT_EQ(fs.readAll(tmp.file("folder")), std::nullopt);
    EXPECT_EQ(fs.readRange(tmp.file("folder"), 0, 10), std::nullopt);
}

TEST_F(NativeFileSystemTest, WriteReplacesThroughATemporaryFileAndKeepsPermissions) {
    std::string every;
    for (int b = 0; b < 256; ++b) every += char(b);
    const std::string f = tmp.file("out.cfg");
    tmp.write("out.cfg", "old content that is longer");
    ASSERT_EQ(::chmod(f.c_str(), 0640), 0);

    EXPECT_TRUE(fs.writeAtomic(f, every));
    EXPECT_EQ(tmp.read("out.cfg"), every);
    struct stat st {};
    ASSERT_EQ(::stat(f.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // Only the target remains: the temporary file was renamed into place.
    ASSERT_EQ(fs.listEntries(tmp.path()).size(), 1u);

    EXPECT_TRUE(fs.writeAtomic(f, ""));
    EXPECT_EQ(fs.fileLength(f), 0);
}

TEST_F(NativeFileSystemTest, WriteThatCannotHappenReturnsFalseAndLeavesNothing) {
    tmp.makeFolder("folder");
    tmp.write("folder/keep.txt", "kept");
    EXPECT_FALSE(fs.writeAtomic(tmp.file("missing/out.map"), "data"));
    EXPECT_FALSE(fs.folderExists(tmp.file("missing")));
    EXPECT_FALSE(fs.writeAtomic(tmp.file("folder"), "data"));  // a folder is not replaced
    EXPECT_EQ(tmp.read("folder/keep.txt"), "kept");
    EXPECT_FALSE(fs.writeAtomic("", "data"));
    EXPECT_EQ(fs.listEntries(tmp.path()).size(), 1u);
}

// The steps a replacement is made of: new files never replace one and take exactly the bits
// asked for, second names share the bytes, and links are followed to the file they lead to.
TEST_F(NativeFileSystemTest, TheStepsOfAReplacement) {
    const std::string a = tmp.write("a.map", "first");
    EXPECT_FALSE(fs.createFile(a, "second", std::nullopt));
    EXPECT_EQ(tmp.read("a.map"), "first");
    const mode_t mask = ::umask(077);
    EXPECT_TRUE(fs.createFile(tmp.file("b.map"), "bee", 0644));
    ::umask(mask);
    EXPECT_EQ(fs.permissions(tmp.file("b.map")), 0644u);
    EXPECT_EQ(tmp.read("b.map"), "bee");
    EXPECT_EQ(fs.permissions(tmp.file("missing.map")), std::nullopt);

    EXPECT_TRUE(fs.linkFile(a, tmp.file("a2.map")));
    EXPECT_EQ(tmp.read("a2.map"), "first");
    EXPECT_FALSE(fs.linkFile(a, tmp.file("b.map")));
    EXPECT_EQ(tmp.read("b.map"), "bee");
    EXPECT_TRUE(fs.syncFile(a));
    EXPECT_FALSE(fs.syncFile(tmp.file("missing.map")));
    EXPECT_TRUE(fs.syncFolder(tmp.path()));
    EXPECT_FALSE(fs.syncFolder(tmp.file("missing")));

    tmp.makeFolder("links");
    auto link = [&](const char* to, const char* name) {
        ASSERT_EQ(::symlink(to, tmp.file(name).c_str()), 0) << name;
    };
    link("../a.map", "links/one");
    link("one", "links/two");
    link("loop2", "links/loop1");
    link("loop1", "links/loop2");
    link("../later.map", "links/dangling");
    EXPECT_EQ(fs.resolveLinks(a), a);
    EXPECT_EQ(fs.resolveLinks(tmp.file("links/two")), tmp.file("links/../a.map"));
    EXPECT_EQ(fs.resolveLinks(tmp.file("links/loop1")), std::nullopt);
    EXPECT_EQ(fs.resolveLinks(tmp.file("links/dangling")), tmp.file("links/../later.map"));

    // Written through: the link stays, the file it leads to is made or replaced.
    EXPECT_TRUE(fs.writeAtomic(tmp.file("links/dangling"), "made"));
    EXPECT_EQ(tmp.read("later.map"), "made");
    EXPECT_TRUE(fs.writeAtomic(tmp.file("links/two"), "replaced"));
    EXPECT_EQ(tmp.read("a.map"), "replaced");
    EXPECT_EQ(tmp.read("a2.map"), "first") << "a second name keeps the bytes it had";
    EXPECT_FALSE(fs.writeAtomic(tmp.file("links/loop1"), "nowhere"));
    struct stat st {};
    for (const char* name : {"links/one", "links/two", "links/dangling"}) {
        ASSERT_EQ(::lstat(tmp.file(name).c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << name;
    }
    EXPECT_EQ(fs.listEntries(tmp.path()).size(), 5u) << "no temporary file is left";
}

TEST_F(NativeFileSystemTest, MoveReplacesTheTargetAndDeleteRemoves) {
    tmp.write("a.map", "new");
    tmp.write("TrashBin/a.map", "old");
    EXPECT_TRUE(fs.moveFile(tmp.file("a.map"), tmp.file("TrashBin/a.map")));
    EXPECT_FALSE(fs.fileExists(tmp.file("a.map")));
    EXPECT_EQ(tmp.read("TrashBin/a.map"), "new");

    EXPECT_FALSE(fs.moveFile(tmp.file("missing"), tmp.file("b.map")));
    EXPECT_FALSE(fs.moveFile(tmp.file("TrashBin/a.map"), tmp.file("nofolder/a.map")));
    EXPECT_EQ(tmp.read("TrashBin/a.map"), "new");

    EXPECT_TRUE(fs.deleteFile(tmp.file("TrashBin/a.map")));
    EXPECT_FALSE(fs.deleteFile(tmp.file("TrashBin/a.map")));
    EXPECT_FALSE(fs.deleteFile(tmp.file("TrashBin")));  // folders are not deleted as files
    EXPECT_TRUE(fs.folderExists(tmp.file("TrashBin")));

    EXPECT_TRUE(fs.makeFolder(tmp.file("x/y/z")));
    EXPECT_TRUE(fs.folderExists(tmp.file("x/y/z")));
    EXPECT_TRUE(fs.makeFolder(tmp.file("x/y/z")));  // already there
    tmp.write("plain.txt", "");
    EXPECT_FALSE(fs.makeFolder(tmp.file("plain.txt/in")));  // below a file
}

TEST_F(NativeFileSystemTest, MoveToAnotherFileSystemCopiesAndRemoves) {
    struct stat a {
    }, b{};
    if (::stat("/dev/shm", &b) != 0 || ::stat(tmp.path().c_str(), &a) != 0 || a.st_dev == b.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm";
    char pattern[] = "/dev/shm/korvel-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string other = pattern;
    tmp.write("a.map", "map bytes");
    const bool moved = fs.moveFile(tmp.file("a.map"), other + "/a.map");
    const auto copied = fs.readAll(other + "/a.map");
    std::filesystem::remove_all(other);
    EXPECT_TRUE(moved);
    EXPECT_EQ(copied, "map bytes");
    EXPECT_FALSE(fs.fileExists(tmp.file("a.map")));
}

TEST_F(NativeFileSystemTest, NamesReachTheSystemAsUtf8) {
    const std::string name = "\xCA\xE0\xF0\xF2\xE0.map";  // a Cyrillic name in 8-bit text
    EXPECT_TRUE(fs.writeAtomic(joinPath(tmp.path(), name), "m"));
    EXPECT_TRUE(std::filesystem::exists(tmp.file("\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD0\xB0.map")));
    EXPECT_EQ(fs.listFiles(tmp.path(), "*.MAP"), std::vector<std::string>{name});
}

TEST_F(NativeFileSystemTest, FindNoCaseFindsTheEntryWhateverItsCase) {
    tmp.write("Tiles000.ART", "");
    tmp.makeFolder("KorvelD");
    EXPECT_EQ(findNoCase(fs, tmp.path(), "TILES000.art"), tmp.file("Tiles000.ART"));
    EXPECT_EQ(findNoCase(fs, tmp.path(), "korveld"), tmp.file("KorvelD"));
    EXPECT_EQ(findNoCase(fs, tmp.path(), "Tiles000.ART"), tmp.file("Tiles000.ART"));
    EXPECT_EQ(findNoCase(fs, tmp.path(), "tiles001.art"), tmp.file("tiles001.art"));
    EXPECT_EQ(findNoCase(fs, tmp.file("missing"), "a"), tmp.file("missing/a"));
}

TEST(PathHelpers, NativePathJoinPathAndAbsolute) {
    EXPECT_EQ(nativePath("C:\\maps\\e1l1.map"), "C:/maps/e1l1.map");
    EXPECT_EQ(nativePath("a/b\\c"), "a/b/c");
    EXPECT_EQ(joinPath("/x", "y"), "/x/y");
    EXPECT_EQ(joinPath("/x/", "y"), "/x/y");
    EXPECT_EQ(joinPath("\\x\\", "y"), "\\x\\y");
    EXPECT_EQ(joinPath("", "y"), "y");
    EXPECT_TRUE(isAbsolutePath("/a"));
    EXPECT_TRUE(isAbsolutePath("\\a"));
    EXPECT_FALSE(isAbsolutePath("a/b"));
    EXPECT_FALSE(isAbsolutePath(""));
}

TEST(PathHelpers, WildcardMatch) {
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    } cases[] = {
        {"*.map", "AUTO0000.MAP", true},
        {"*.MAP", "e1l1.map", true},
        {"*.map", "e1l1.mapx", false},
        {"*.map", ".map", true},
        {"*.map", "map", false},
        {"auto????.map", "AUTO0001.MAP", true},
        {"auto????.map", "AUTO001.MAP", false},
        {"?", "", false},
        {"*", "", true},
        {"", "", true},
        {"", "a", false},
        {"a", "", false},
        {"**a**", "a", true},
        {"*a*b", "xaybzb", true},
        {"*a*b", "xaybzc", false},
        {"a*b*c", "abbbbbbc", true},
        {"a*b*c", "acb", false},
        {"*?", "x", true},
        {"*??", "x", false},
        {"\xC0*.kvd",
         "\xC0"
         "demo.KVD",
         true},  // bytes above 127 compare as they are
        {"\xC0*.kvd",
         "\xE0"
         "demo.kvd",
         false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wildcardMatch(c.pattern, c.name), c.match) << c.pattern << " / " << c.name;
}

TEST(PathHelpers, PathologicalPatternsFinish) {
    std::string stars;
    for (int i = 0; i < 200; ++i) stars += "*a";
    const std::string manyA(5000, 'a');
    EXPECT_FALSE(wildcardMatch(stars + "b", manyA));
    EXPECT_TRUE(wildcardMatch(stars, manyA));
    EXPECT_FALSE(wildcardMatch(std::string(300, '?'), std::string(299, 'x')));
    EXPECT_TRUE(wildcardMatch(std::string(10000, '*'), manyA));
}

}  // namespace
}  // namespace korvel
