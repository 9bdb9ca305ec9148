// The 26 drive letters on a system with one file tree. A is the root, B the user's home folder,
// C the program folder, and D to Z the local file systems that hold user data, in the order of
// their mount paths. Pseudo and system file systems get no letter; network and FUSE mounts get
// none either and are never probed, so a dead server cannot stall a frame. Everything without a
// letter stays reachable through the folders of A.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

class FileSystem;

constexpr int kDriveCount = 26;
// Letters D..Z hold at most this many mounts.
constexpr int kMountLetters = kDriveCount - 3;

// Folders per letter, A first; an empty folder means the letter has none.
using DriveFolders = std::array<std::string, kDriveCount>;

struct MountEntry {
    std::string path;  // mount path, octal escapes of the mount list decoded
    std::string type;  // file-system type
};

// The entries of a mount list in the format of /proc/self/mounts (device, mount path, type,
// options, two numbers, separated by blanks). Lines without a type or whose path is not absolute
// are left out.
std::vector<MountEntry> parseMountList(std::string_view text);

// Whether a file-system type is served over a network or through FUSE.
bool isRemoteMountType(std::string_view type);
// Whether a file-system type exists only for the kernel and the system (no user data).
bool isPseudoMountType(std::string_view type);
// Whether a mount path lies in the system's own folders (/proc, /sys, /dev, /run except
// /run/media, /boot, /snap).
bool isSystemMountPath(std::string_view path);

// The letters' folders: A "/", B home, C the program folder, D.. the mounts that pass the
// filters (without "/" and home), sorted by path, each path once; mounts past the 23rd get no
// letter. Folders are kept without a trailing separator, except "/".
DriveFolders buildDriveFolders(const std::vector<MountEntry>& mounts, const std::string& home,
                               const std::string& programFolder);

// The letter (0 = A) whose folder is the longest prefix of path in whole path components ('/' and
// '\' both separate); the first such letter when two folders are equal; -1 when none matches.
int driveOfPath(const DriveFolders& folders, const std::string& path);
// The same over the file system's letters.
int driveOfPath(FileSystem& fs, const std::string& path);

// The table of the machine the program runs on: the mount list of /proc/self/mounts, the home
// folder from HOME (or the password database) and the executable's folder. Nothing is probed.
DriveFolders machineDriveFolders();

}  // namespace korvel
