#include "resources/GroupFile.h"

#include <gtest/gtest.h>

#include "platform/NativeFileSystem.h"
#include "support/SyntheticGameFiles.h"

namespace korvel {
namespace {

using test::makeGroupFile;
using test::putLong;

TEST(GroupFile, DirectoryOfSoundAndBrokenArchives) {
    const std::string sound = makeGroupFile({{"A.DAT", "12345"}, {"B.DAT", ""}, {"C.DAT", "xy"}});
    std::string zeroInName = sound;
    zeroInName[16 + 1] = '\0';  // "A.DAT" becomes "ADAT": zero bytes are skipped anywhere
    std::string pastEnd = sound;
    putLong(pastEnd, 28 + 16 * 2, 3);  // C.DAT one byte longer than the file
    std::string negative = sound;
    putLong(negative, 28 + 16 * 1, -1);
    std::string countTooBig = sound;
    putLong(countTooBig, 12, 4);
    std::string countNegative = sound;
    putLong(countNegative, 12, -1);
    std::string countHuge = sound;
    putLong(countHuge, 12, 1000000000);
    std::string otherSignature = sound;
    otherSignature[0] = 'k';

    struct Entry {
        std::string name;
        int64_t offset;
        int32_t length;
    };
    const int64_t data = 16 + 3 * 16;
    const struct {
        const char* what;
        std::string bytes;
        std::vector<Entry> entries;
        bool damaged;
        bool notAnArchive = false;
    } cases[] = {
        {"sound",
         sound,
         {{"A.DAT", data, 5}, {"B.DAT", data + 5, 0}, {"C.DAT", data + 5, 2}},
         false},
        {"zero byte inside a name",
         zeroInName,
         {{"ADAT", data, 5}, {"B.DAT", data + 5, 0}, {"C.DAT", data + 5, 2}},
         false},
        {"last entry past the end", pastEnd, {{"A.DAT", data, 5}, {"B.DAT", data + 5, 0}}, true},
        {"negative length drops the rest", negative, {{"A.DAT", data, 5}}, true},
        {"count beyond the directory", countTooBig, {}, true},
        {"count -1", countNegative, {}, true},
        {"count 1,000,000,000", countHuge, {}, true},
        {"shorter than the header", sound.substr(0, 15), {}, true},
        {"no entries", makeGroupFile({}), {}, false},
        // A file of another kind is not read, however sound its "directory" looks.
        {"another signature", otherSignature, {}, false, true},
        {"no signature at all", std::string(12, '\0') + sound.substr(12), {}, false, true},
    };
    for (const auto& c : cases) {
        const GroupDirectory d = parseGroupDirectory(c.bytes, int64_t(c.bytes.size()));
        EXPECT_EQ(d.damaged, c.damaged) << c.what;
        EXPECT_EQ(d.notAnArchive, c.notAnArchive) << c.what;
        ASSERT_EQ(d.entries.size(), c.entries.size()) << c.what;
        for (size_t i = 0; i < d.entries.size(); ++i) {
            EXPECT_EQ(d.entries[i].name, c.entries[i].name) << c.what;
            EXPECT_EQ(d.entries[i].offset, c.entries[i].offset) << c.what;
            EXPECT_EQ(d.entries[i].length, c.entries[i].length) << c.what;
        }

        // The file reader agrees with the reader over bytes.
        TempFolder folder;
        folder.write("x.grp", c.bytes);
        NativeFileSystem fs;
        const auto fromFile = readGroupDirectory(fs, folder.file("x.grp"));
        ASSERT_TRUE(fromFile) << c.what;
        EXPECT_EQ(fromFile->damaged, c.damaged) << c.what;
        EXPECT_EQ(fromFile->notAnArchive, c.notAnArchive) << c.what;
        EXPECT_EQ(fromFile->entries.size(), c.entries.size()) << c.what;
    }
}

TEST(GroupFile, LargeDirectoryReadInBlocks) {
    std::vector<test::GroupFileEntry> entries;
    for (int i = 0; i < 5000; ++i)
        entries.push_back({"E" + std::to_string(i), i == 4999 ? "z" : ""});
    TempFolder folder;
    folder.write("big.grp", makeGroupFile(entries));
    NativeFileSystem fs;
    const auto d = readGroupDirectory(fs, folder.file("big.grp"));
    ASSERT_TRUE(d);
    EXPECT_FALSE(d->damaged);
    ASSERT_EQ(d->entries.size(), 5000u);
    EXPECT_EQ(d->entries[4999].name, "E4999");
    EXPECT_EQ(d->entries[4999].offset, 16 + 16 * 5000);
    EXPECT_EQ(d->entries[4999].length, 1);
}

TEST(GroupFile, NoArchive) {
    TempFolder folder;
    folder.makeFolder("DUKE3D.GRP");
    NativeFileSystem fs;
    EXPECT_FALSE(readGroupDirectory(fs, folder.file("missing.grp")));
    EXPECT_FALSE(readGroupDirectory(fs, folder.file("DUKE3D.GRP")));
}

TEST(GroupFile, NamesCompareWithoutCase) {
    EXPECT_TRUE(sameNameNoCase("palette.dat", "PALETTE.DAT"));
    EXPECT_FALSE(sameNameNoCase("PALETTE.DA", "PALETTE.DAT"));
    EXPECT_FALSE(sameNameNoCase("PALETTE.DAX", "PALETTE.DAT"));
}

}  // namespace
}  // namespace korvel
