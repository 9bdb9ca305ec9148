#include "platform/DriveTable.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include <pwd.h>
#include <unistd.h>

#include "base/FileSystem.h"

namespace korvel {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Mount paths write blank, tab, newline and backslash as a backslash and three octal digits.
std::string decodeMountField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            int value = 0;
            bool octal = true;
            for (size_t k = 1; k <= 3; ++k) {
                const char d = field[i + k];
                if (d < '0' || d > '7') { octal = false; break; }
                value = value * 8 + (d - '0');
            }
            if (octal && value <= 255) {
                out += char(value);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

// Both separators as '/', without trailing separators (the root stays "/").
std::string unifiedFolder(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

bool startsWithFolder(std::string_view path, std::string_view folder) {
    if (folder.empty() || path.size() < folder.size()) return false;
    if (path.compare(0, folder.size(), folder) != 0) return false;
    return path.size() == folder.size() || folder.back() == '/' || path[folder.size()] == '/';
}

}  // namespace

std::vector<MountEntry> parseMountList(std::string_view text) {
    std::vector<MountEntry> out;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        std::string_view fields[3];
        int count = 0;
        size_t i = 0;
        while (count < 3 && i < line.size()) {
            while (i < line.size() && isBlank(line[i])) ++i;
            const size_t start = i;
            while (i < line.size() && !isBlank(line[i])) ++i;
            if (i > start) fields[count++] = line.substr(start, i - start);
        }
        if (count < 3) continue;
        MountEntry entry{decodeMountField(fields[1]), std::string(fields[2])};
        if (entry.path.empty() || entry.path[0] != '/') continue;
        out.push_back(std::move(entry));
    }
    return out;
}

bool isRemoteMountType(std::string_view type) {
    static constexpr std::string_view kRemote[] = {
        "nfs",  "nfs4",  "cifs",      "smb3", "smbfs",  "ncpfs", "9p",   "afs",
        "ceph", "coda",  "glusterfs", "lustre", "gfs2", "ocfs2", "davfs", "sshfs",
        "fuse", "fuseblk"};
    if (type.substr(0, 5) == "fuse.") return true;
    return std::find(std::begin(kRemote), std::end(kRemote), type) != std::end(kRemote);
}

bool isPseudoMountType(std::string_view type) {
    static constexpr std::string_view kPseudo[] = {
        "proc",      "sysfs",      "devtmpfs",  "devpts",     "tmpfs",    "cgroup",
        "cgroup2",   "squashfs",   "autofs",    "overlay",    "securityfs", "debugfs",
        "tracefs",   "configfs",   "fusectl",   "mqueue",     "hugetlbfs", "pstore",
        "bpf",       "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs",     "ramfs",
        "selinuxfs", "rootfs",     "devfs",     "usbfs",      "aufs",     "nfsd",
        "pipefs",    "sockfs",     "anon_inodefs"};
    return std::find(std::begin(kPseudo), std::end(kPseudo), type) != std::end(kPseudo);
}

bool isSystemMountPath(std::string_view path) {
    for (std::string_view folder : {"/proc", "/sys", "/dev", "/boot", "/snap"})
        if (startsWithFolder(path, folder)) return true;
    return startsWithFolder(path, "/run") && !startsWithFolder(path, "/run/media");
}

DriveFolders buildDriveFolders(const std::vector<MountEntry>& mounts, const std::string& home,
                               const std::string& programFolder) {
    DriveFolders folders;
    folders[0].assign(1, '/');  // GCC 12 misreads a literal assigned here as overlapping
    folders[1] = home.empty() ? std::string() : unifiedFolder(home);
    folders[2] = programFolder.empty() ? std::string() : unifiedFolder(programFolder);
    std::vector<std::string> paths;
    for (const MountEntry& m : mounts) {
        if (isRemoteMountType(m.type) || isPseudoMountType(m.type)) continue;
        const std::string path = unifiedFolder(m.path);
        if (path == "/" || path == folders[1] || isSystemMountPath(path)) continue;
        paths.push_back(path);
    }
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    for (size_t i = 0; i < paths.size() && i < size_t(kMountLetters); ++i)
        folders[3 + i] = paths[i];
    return folders;
}

int driveOfPath(const DriveFolders& folders, const std::string& path) {
    const std::string unified = unifiedFolder(path);
    int best = -1;
    size_t bestLength = 0;
    for (int letter = 0; letter < kDriveCount; ++letter) {
        const std::string& folder = folders[size_t(letter)];
        if (!startsWithFolder(unified, folder)) continue;
        if (best < 0 || folder.size() > bestLength) {
            best = letter;
            bestLength = folder.size();
        }
    }
    return best;
}

int driveOfPath(FileSystem& fs, const std::string& path) {
    DriveFolders folders;
    for (int letter = 0; letter < kDriveCount; ++letter)
        folders[size_t(letter)] = unifiedFolder(fs.driveFolder(letter));
    return driveOfPath(folders, path);
}

DriveFolders machineDriveFolders() {
    std::string mounts;
    {
        std::ifstream in("/proc/self/mounts", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        mounts = text.str();
    }
    std::string home;
    if (const char* env = std::getenv("HOME"); env && env[0] == '/') {
        home = env;
    } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
        home = pw->pw_dir;
    }
    std::string program;
    {
        char buffer[4096];
        const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        if (n > 0) {
            program.assign(buffer, size_t(n));
            const size_t slash = program.find_last_of('/');
            program = slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
        }
    }
    return buildDriveFolders(parseMountList(mounts), home, program);
}

}  // namespace korvel
