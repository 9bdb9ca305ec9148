#include "pages/FileBrowser.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "support/TempFolder.h"

namespace korvel {
namespace {

class FileBrowserTest : public testing::Test {
protected:
    TempFolder tmp;
    NativeFileSystem fs;
    FileBrowserState b;

    std::vector<std::string> folders() const {
        return {b.browserFolders.begin(), b.browserFolders.begin() + b.browserFolderCount};
    }
    std::vector<std::string> files() const {
        return {b.browserFiles.begin(), b.browserFiles.begin() + b.browserFileCount};
    }
};

TEST_F(FileBrowserTest, ListsMatchThePurposeAndOfferTheParentFolder) {
    for (const char* name : {"AUTO0000.MAP", "b.map", "c.txt", "demo.kvd", "x.mapx"})
        tmp.write(std::string("maps/") + name, "");
    tmp.makeFolder("maps/sub1");
    tmp.makeFolder("maps/sub2");
    struct Case {
        FileBrowserPurpose purpose;
        std::vector<std::string> files;
    } const cases[] = {
        {FileBrowserPurpose::OpenMap, {"AUTO0000.MAP", "b.map"}},
        {FileBrowserPurpose::MergeMap, {"AUTO0000.MAP", "b.map"}},
        {FileBrowserPurpose::PlayDemo, {"demo.kvd"}},
    };
    for (const Case& c : cases) {
        b.browserFolder = tmp.file("maps");
        b.browserPurpose = c.purpose;
        b.browserFolderCursor = b.browserFileCursor = b.browserFolderTop = b.browserFileTop = 5;
        fillFileDialogLists(b, fs, tmp.path() + "/");
        EXPECT_EQ(files(), c.files);
        EXPECT_EQ(folders(), (std::vector<std::string>{"..", "sub1", "sub2"}));
        EXPECT_EQ(b.browserFolderCursor + b.browserFileCursor, 0);
        EXPECT_EQ(b.browserFolderTop + b.browserFileTop, 0);
    }
}

TEST_F(FileBrowserTest, TheRootHasNoParentAndAMissingFolderFallsBackToTheProgramFolder) {
    b.browserFolder = "/";
    fillFileDialogLists(b, fs, tmp.path() + "/");
    const auto rootFolders = fs.listFolders("/");
    ASSERT_FALSE(rootFolders.empty());
    EXPECT_EQ(folders(), rootFolders);

    tmp.makeFolder("only");
    b.browserFolder = tmp.file("no/such/folder");
    fillFileDialogLists(b, fs, tmp.path() + "/");
    EXPECT_EQ(b.browserFolder, tmp.path() + "/");
    EXPECT_EQ(folders(), (std::vector<std::string>{"..", "only"}));

    struct Case {
        const char* folder;
        bool root;
    } const cases[] = {{"/", true},  {"\\", true},  {"C:\\", true}, {"c:/", true},
                       {"D:", true}, {"/a", false}, {"/a/", false}, {"C:\\x", false},
                       {"", false},  {"ab", false}, {"1:\\", false}};
    for (const Case& c : cases) EXPECT_EQ(isRootFolder(c.folder), c.root) << c.folder;
}

// A folder holding more entries than a 16-bit count can hold.
class CrowdedFolder : public NativeFileSystem {
public:
    static constexpr int32_t kEntries = 65536 + 5;
    bool folderExists(const std::string&) override { return true; }
    std::vector<std::string> listFolders(const std::string&) override { return names("dir"); }
    std::vector<std::string> listFiles(const std::string&, const std::string&) override {
        return names("file");
    }
    static std::vector<std::string> names(const std::string& stem) {
        std::vector<std::string> out;
        for (int32_t i = 0; i < kEntries; ++i) out.push_back(stem + std::to_string(i) + ".map");
        return out;
    }
};

TEST_F(FileBrowserTest, ListsKeepTheirFirst1024EntriesHoweverManyThereAre) {
    CrowdedFolder crowded;
    b.browserFolder = "/crowded";
    fillFileDialogLists(b, crowded, "/");
    EXPECT_EQ(b.browserFolderCount, 1024);
    EXPECT_EQ(b.browserFileCount, 1024);
    EXPECT_EQ(b.browserFolders[0], "..");
    EXPECT_EQ(b.browserFolders[1023], "dir1022.map");
    EXPECT_EQ(b.browserFiles[1023], "file1023.map");
}

TEST_F(FileBrowserTest, NamesAreShownIn8BitTextAndOpenTheFileAgain) {
    const std::string utf8Name = "\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD0\xB0.map";  // Karta.map
    tmp.write(utf8Name, "map bytes");
    b.browserFolder = tmp.path();
    fillFileDialogLists(b, fs, tmp.path() + "/");
    ASSERT_EQ(b.browserFileCount, 1);
    const std::string shown = b.browserFiles[0];
    EXPECT_EQ(shown, "\xCA\xE0\xF0\xF2\xE0.map");
    EXPECT_EQ(fs.readAll(joinPath(b.browserFolder, shown)), "map bytes");
}

// Names Windows-1251 cannot hold are shown with '?', yet the kept names open each file, even two
// whose shown names are the same, and enter such a folder.
TEST_F(FileBrowserTest, NamesOutsideTheCodePageAreShownWithQuestionMarksAndStillOpen) {
    const std::string cjk = "\xE4\xB8\xAD";         // one CJK character
    const std::string emoji = "\xF0\x9F\x98\x80";  // one emoji
    tmp.write(cjk + ".map", "first");
    tmp.write(emoji + ".map", "second");
    tmp.write(cjk + "/" + emoji + "x.map", "inside");
    b.browserFolder = tmp.path() + "/";
    fillFileDialogLists(b, fs, tmp.path() + "/");
    EXPECT_EQ(files(), (std::vector<std::string>{"?.map", "?.map"}));
    EXPECT_EQ(folders(), (std::vector<std::string>{"..", "?"}));
    std::vector<std::string> opened;
    for (b.browserFileCursor = 0; b.browserFileCursor < 2; ++b.browserFileCursor)
        opened.push_back(fs.readAll(browserFilePath(b)).value_or("missing"));
    std::sort(opened.begin(), opened.end());
    EXPECT_EQ(opened, (std::vector<std::string>{"first", "second"}));

    b.browserFolderCursor = 1;
    b.browserFolder = browserFolderTarget(b);
    fillFileDialogLists(b, fs, "/");
    EXPECT_TRUE(fs.folderExists(b.browserFolder));
    EXPECT_EQ(files(), std::vector<std::string>{"?x.map"});
    EXPECT_EQ(fs.readAll(browserFilePath(b)), "inside");
    // ".." leads back; a cursor outside the lists names nothing.
    b.browserFolderCursor = 0;
    EXPECT_EQ(browserFolderTarget(b), tmp.path() + "/");
    b.browserFileCursor = 5;
    EXPECT_EQ(browserFilePath(b), "");
}

// A list of n names; the ones at `hits` start with the letter, the others with '-'.
std::vector<std::string> namesWith(int32_t n, std::initializer_list<int32_t> hits,
                                   const std::string& first = "k") {
    std::vector<std::string> out(kBrowserListCapacity);
    for (int32_t i = 0; i < n; ++i) out[size_t(i)] = "-" + std::to_string(i);
    for (int32_t i : hits) out[size_t(i)] = first + std::to_string(i);
    return out;
}

TEST(FileDialogTypeAhead, JumpsToTheNextEntryWithTheLetter) {
    struct Case {
        const char* what;
        int32_t count;
        std::vector<std::string> names;
        int32_t cursor, top;
        uint8_t key;
        int32_t newCursor, newTop;
    } const cases[] = {
        {"the next one after the cursor", 100, namesWith(100, {3, 9}), 5, 0, 'K', 9, 9},
        {"wrapping round", 100, namesWith(100, {3, 9}), 9, 9, 'K', 3, 3},
        {"among the last 32 the window shows the end", 40, namesWith(40, {3, 9}), 5, 0, 'K', 9, 8},
        {"a single entry never moves", 1, namesWith(1, {0}), 0, 0, 'K', 0, 0},
        {"the cursor's own entry is not tested", 10, namesWith(10, {4}), 4, 2, 'K', 4, 0},
        {"no match: the window starts at the cursor", 100, namesWith(100, {}), 5, 0, 'K', 5, 5},
        {"no match near the end", 100, namesWith(100, {}), 90, 0, 'K', 90, 68},
        {"Cyrillic letters in upper case", 20, namesWith(20, {12}, "\xEA"), 0, 0, 0xCA, 12, 0},
        {"an empty list does nothing", 0, namesWith(0, {}), 0, 7, 'K', 0, 7},
        {"a cursor past the end still ends", 10, namesWith(10, {}), 50, 0, 'K', 50, 19},
    };
    for (const Case& c : cases)
        for (uint8_t focus : {0, 1}) {
            FileBrowserState b;
            b.browserFocus = focus;
            (focus ? b.browserFiles : b.browserFolders) = c.names;
            (focus ? b.browserFileCount : b.browserFolderCount) = c.count;
            (focus ? b.browserFileCursor : b.browserFolderCursor) = c.cursor;
            (focus ? b.browserFileTop : b.browserFolderTop) = c.top;
            fileDlgTypeAhead(b, c.key);
            EXPECT_EQ(focus ? b.browserFileCursor : b.browserFolderCursor, c.newCursor) << c.what;
            EXPECT_EQ(focus ? b.browserFileTop : b.browserFolderTop, c.newTop) << c.what;
            // The other list is not touched.
            EXPECT_EQ(focus ? b.browserFolderCursor : b.browserFileCursor, 0) << c.what;
        }
}

TEST(FileDialogScroll, WindowFollowsTheCursor) {
    struct Case {
        int32_t cursor, top, newTop;
    } const cases[] = {{40, 0, 9}, {3, 10, 3}, {20, 0, 0}, {31, 0, 0}, {32, 0, 1}};
    for (const Case& c : cases) {
        FileBrowserState b;
        b.browserFolderCursor = b.browserFileCursor = c.cursor;
        b.browserFolderTop = b.browserFileTop = c.top;
        fileDlgScrollFolders(b);
        fileDlgScrollFiles(b);
        EXPECT_EQ(b.browserFolderTop, c.newTop) << c.cursor;
        EXPECT_EQ(b.browserFileTop, c.newTop) << c.cursor;
    }
}

// What the page's keys do with the text typed in a frame.
TEST(FileDialogTypeAhead, TheFirstTypedLetterCountsInUpperCase) {
    FileBrowserState b;
    b.browserFocus = 1;
    b.browserFileCount = 3;
    b.browserFiles[0] = "ALPHA.MAP";
    b.browserFiles[1] = "BETA.MAP";
    b.browserFiles[2] = "GAMMA.MAP";
    typeAheadText(b, "gb");
    EXPECT_EQ(b.browserFileCursor, 2);
    typeAheadText(b, "");
    EXPECT_EQ(b.browserFileCursor, 2) << "nothing typed, nothing moves";
}

}  // namespace
}  // namespace korvel
