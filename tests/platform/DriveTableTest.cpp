#include "platform/DriveTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/HeadlessPlatform.h"
#include "platform/NativeFileSystem.h"
#include "support/TempFolder.h"

namespace korvel {
namespace {

TEST(MountList, ParsesPathsAndTypes) {
    struct Case {
        const char* text;
        std::vector<MountEntry> expected;
    } cases[] = {
        {"/dev/sda1 /mnt/data ext4 rw 0 0\n", {{"/mnt/data", "ext4"}}},
        {"/dev/sdb1 /media/u/My\\040Disk vfat rw 0 0", {{"/media/u/My Disk", "vfat"}}},
        {"/dev/sdb1 /a\\134b\\011c xfs rw 0 0\n", {{"/a\\b\tc", "xfs"}}},
        // Escapes that are not three octal digits, or above 255, stay as they are.
        {"d /x\\04 ext4\nd /y\\777 ext4\nd /z\\ ext4\n",
         {{"/x\\04", "ext4"}, {"/y\\777", "ext4"}, {"/z\\", "ext4"}}},
        {"d\t/t\t\text4\n", {{"/t", "ext4"}}},
        // Lines without a type, or with a relative path, are left out.
        {"\n\n/dev/sda1 /only\n   \nd rel ext4\nd /ok btrfs\n", {{"/ok", "btrfs"}}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const auto got = parseMountList(c.text);
        ASSERT_EQ(got.size(), c.expected.size()) << c.text;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].path, c.expected[i].path) << c.text;
            EXPECT_EQ(got[i].type, c.expected[i].type) << c.text;
        }
    }
}

TEST(DriveTable, LettersFromAMountList) {
    std::string text =
        "proc /proc proc rw 0 0\n"
        "sysfs /sys sysfs rw 0 0\n"
        "udev /dev devtmpfs rw 0 0\n"
        "devpts /dev/pts devpts rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "tmpfs /tmp tmpfs rw 0 0\n"
        "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
        "/dev/loop0 /snap/core/1 squashfs ro 0 0\n"
        "systemd-1 /auto autofs rw 0 0\n"
        "overlay /var/lib/docker/o overlay rw 0 0\n"
        "/dev/sda1 / ext4 rw 0 0\n"
        "/dev/sda2 /home/u ext4 rw 0 0\n"
        "/dev/sda3 /boot/efi vfat rw 0 0\n"
        "/dev/sdc1 /run/user/1000/x ext4 rw 0 0\n"
        "/dev/sdb1 /run/media/u/STICK vfat rw 0 0\n"
        "server:/export /mnt/nfs nfs4 rw 0 0\n"
        "//srv/share /mnt/smb cifs rw 0 0\n"
        "//srv/share /mnt/smb3 smb3 rw 0 0\n"
        "sshfs#u@h: /mnt/ssh fuse.sshfs rw 0 0\n"
        "/dev/sdd1 /mnt/ntfs fuseblk rw 0 0\n"
        "/dev/sda4 /mnt/data ext4 rw 0 0\n"
        "/dev/sda4 /mnt/data ext4 rw 0 0\n";  // mounted twice: one letter
    // 22 more local mounts named so that they sort after the two above: the last gets no letter.
    for (int i = 0; i < 22; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/srv/m%02d", i);
        text += std::string("/dev/x ") + name + " xfs rw 0 0\n";
    }
    const DriveFolders folders =
        buildDriveFolders(parseMountList(text), "/home/u/", "/opt/korvel/");
    EXPECT_EQ(folders[0], "/");
    EXPECT_EQ(folders[1], "/home/u");
    EXPECT_EQ(folders[2], "/opt/korvel");
    EXPECT_EQ(folders[3], "/mnt/data");
    EXPECT_EQ(folders[4], "/run/media/u/STICK");
    for (int i = 0; i < 21; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/srv/m%02d", i);
        EXPECT_EQ(folders[size_t(5 + i)], name);
    }
    for (const std::string& folder : folders) {
        for (const char* absent : {"/srv/m21", "/mnt/nfs", "/mnt/smb", "/mnt/smb3", "/mnt/ssh",
                                   "/mnt/ntfs", "/tmp", "/boot/efi", "/run/user/1000/x",
                                   "/snap/core/1", "/auto", "/var/lib/docker/o"})
            EXPECT_NE(folder, absent);
    }
}

TEST(DriveTable, FewMountsLeaveLaterLettersEmpty) {
    const DriveFolders folders = buildDriveFolders(
        parseMountList("/dev/sda1 / ext4 rw 0 0\n/dev/sdb /data/ xfs rw 0 0\n"), "", "/p");
    EXPECT_EQ(folders[1], "");
    EXPECT_EQ(folders[3], "/data");
    for (size_t l = 4; l < folders.size(); ++l) EXPECT_EQ(folders[l], "") << l;
}

TEST(DriveTable, LongestPrefixInWholeComponents) {
    DriveFolders folders;
    folders[0] = "/";
    folders[1] = "/home/u";
    folders[2] = "/home/u/korvel";
    folders[3] = "/mnt/data";
    folders[4] = "/mnt/data";  // equal folders: the first letter
    struct Case {
        const char* path;
        int letter;
    } cases[] = {
        {"/home/u/maps", 1},
        {"/home/u", 1},
        {"/home/u/", 1},
        {"\\home\\u\\maps\\a.map", 1},
        {"/home/user/maps", 0},
        {"/home/u/korvel/maps/x.map", 2},
        {"/home/u/korveldata", 1},
        {"/mnt/data/x", 3},
        {"/mnt/database", 0},
        {"/", 0},
        {"maps/a.map", -1},
        {"", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(driveOfPath(folders, c.path), c.letter) << c.path;
    EXPECT_EQ(driveOfPath(DriveFolders{}, "/x"), -1);
}

TEST(DriveTable, StatesOfTheLetters) {
    TempFolder tmp;
    tmp.write("sub/a.txt", "x");
    NativeFileSystem fs;
    DriveFolders folders;
    folders[0] = tmp.file("sub");
    folders[1] = tmp.file("missing");
    folders[2] = tmp.file("sub/a.txt");
    fs.setDriveFolders(folders);
    struct Case {
        int letter, state;
    } cases[] = {{0, 1}, {1, 2}, {2, 2}, {3, 0}, {25, 0}, {-1, 0}, {26, 0}, {1000, 0}};
    for (const auto& c : cases) EXPECT_EQ(fs.driveState(c.letter), c.state) << c.letter;
    EXPECT_EQ(fs.driveFolder(26), "");
    EXPECT_EQ(driveOfPath(fs, tmp.file("sub/b.map")), 0);
    EXPECT_EQ(driveOfPath(fs, tmp.file("sub/a.txt")), 2);
}

TEST(DriveTable, HeadlessPlatformHasAFixedTable) {
    TempFolder tmp;
    HeadlessPlatform platform(tmp.path());
    FileSystem& fs = platform.fileSystem();
    EXPECT_EQ(fs.driveFolder(0), "/");
    EXPECT_EQ(fs.driveState(0), 1);
    EXPECT_EQ(fs.driveState(2), 1);
    EXPECT_EQ(driveOfPath(fs, tmp.file("maps/a.map")), 2);
    for (int l = 3; l < kDriveCount; ++l) EXPECT_EQ(fs.driveState(l), 0) << l;
}

TEST(DriveTable, MachineTableHasRootAndNoPseudoMounts) {
    const DriveFolders folders = machineDriveFolders();
    EXPECT_EQ(folders[0], "/");
    for (size_t l = 3; l < folders.size(); ++l) {
        EXPECT_FALSE(isSystemMountPath(folders[l])) << folders[l];
        EXPECT_NE(folders[l], "/");
    }
}

}  // namespace
}  // namespace korvel
