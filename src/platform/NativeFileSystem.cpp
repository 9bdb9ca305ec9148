#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/Cp1251.h"
#include "platform/NativeFileSystem.h"

namespace korvel {
namespace stdfs = std::filesystem;

namespace {

stdfs::path osPath(const std::string& path) {
    return stdfs::path(pathTextToUtf8(nativePath(path)));
}

std::string fromOs(const stdfs::path& p) {
    return utf8ToPathText(p.string());
}

constexpr int kMaxLinkHops = 40;

bool isHiddenName(const std::string& name) {
    return !name.empty() && name[0] == '.';
}

// Writes all bytes to an open descriptor; false on any short or failed write.
bool writeAllTo(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

}  // namespace

bool NativeFileSystem::fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && stdfs::is_regular_file(osPath(path), ec);
}

bool NativeFileSystem::folderExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && stdfs::is_directory(osPath(path), ec);
}

std::string NativeFileSystem::driveFolder(int letter) {
    if (letter < 0 || letter >= kDriveCount) return {};
    if (!drives_) {
        drives_ = machineDriveFolders();
        for (std::string& folder : *drives_) folder = utf8ToPathText(folder);
    }
    return (*drives_)[size_t(letter)];
}

int NativeFileSystem::driveState(int letter) {
    const std::string folder = driveFolder(letter);
    if (folder.empty()) return 0;
    DIR* dir = ::opendir(osPath(folder).c_str());
    if (!dir) return 2;
    ::closedir(dir);
    return 1;
}

void NativeFileSystem::setDriveFolders(const DriveFolders& folders) { drives_ = folders; }

std::optional<int64_t> NativeFileSystem::fileLength(const std::string& path) {
    std::error_code ec;
    const auto p = osPath(path);
    if (!stdfs::is_regular_file(p, ec)) return std::nullopt;
    const auto size = stdfs::file_size(p, ec);
    if (ec) return std::nullopt;
    return int64_t(size);
}

std::optional<int64_t> NativeFileSystem::modifiedTime(const std::string& path) {
    struct stat st {};
    if (::stat(osPath(path).c_str(), &st) != 0) return std::nullopt;
    return int64_t(st.st_mtime);
}

std::vector<FolderEntry> NativeFileSystem::listEntries(const std::string& folder) {
    std::vector<FolderEntry> out;
    std::error_code ec;
    stdfs::directory_iterator it(osPath(folder), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = fromOs(it->path().filename());
        if (isHiddenName(name)) continue;
        std::error_code ec2;
        out.push_back({name, it->is_directory(ec2)});
    }
    std::sort(out.begin(), out.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return out;
}

std::vector<std::string> NativeFileSystem::listFolders(const std::string& folder) {
    std::vector<std::string> out;
    for (auto& e : listEntries(folder))
        if (e.isFolder) out.push_back(e.name);
    return out;
}

std::vector<std::string> NativeFileSystem::listFiles(const std::string& folder,
                                                     const std::string& pattern) {
    std::vector<std::string> out;
    for (auto& e : listEntries(folder))
        if (!e.isFolder && wildcardMatch(pattern, e.name)) out.push_back(e.name);
    return out;
}

std::optional<std::string> NativeFileSystem::readAll(const std::string& path, int64_t maxBytes) {
    if (!fileExists(path)) return std::nullopt;
    return readRange(path, 0, maxBytes);
}

std::optional<std::string> NativeFileSystem::readRange(const std::string& path, int64_t offset,
                                                       int64_t length) {
    if (offset < 0 || length < 0 || !fileExists(path)) return std::nullopt;
    std::ifstream in(osPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const int64_t size = in.tellg();
    if (size < 0) return std::nullopt;
    if (offset >= size) return std::string();
    const int64_t count = std::min<int64_t>(length, size - offset);
    std::string out(size_t(count), '\0');
    in.seekg(offset);
    in.read(out.data(), count);
    if (in.gcount() != count) return std::nullopt;
    return out;
}

bool NativeFileSystem::moveFile(const std::string& from, const std::string& to) {
    if (!fileExists(from)) return false;
    std::error_code ec;
    stdfs::rename(osPath(from), osPath(to), ec);
    if (!ec) return true;
    if (ec != std::errc::cross_device_link) return false;
    // The target lies on another file system: copy it whole, then remove the original. When
    // the original cannot be removed the move has failed, but both copies stay: nothing is lost.
    const auto bytes = readAll(from, INT64_MAX);
    if (!bytes || !writeAtomic(to, *bytes)) return false;
    return deleteFile(from);
}

bool NativeFileSystem::deleteFile(const std::string& path) {
    if (!fileExists(path)) return false;
    std::error_code ec;
    return stdfs::remove(osPath(path), ec) && !ec;
}

bool NativeFileSystem::makeFolder(const std::string& path) {
    std::error_code ec;
    stdfs::create_directories(osPath(path), ec);
    return folderExists(path);
}

std::optional<std::string> NativeFileSystem::resolveLinks(const std::string& path) {
    if (path.empty()) return std::nullopt;
    stdfs::path p = osPath(path);
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code ec;
        if (!stdfs::is_symlink(stdfs::symlink_status(p, ec))) {
            // The path as given when it is no link, so that callers see their own spelling.
            return hop == 0 ? path : fromOs(p);
        }
        const stdfs::path to = stdfs::read_symlink(p, ec);
        if (ec) return std::nullopt;
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return std::nullopt;
}

std::optional<uint32_t> NativeFileSystem::permissions(const std::string& path) {
    struct stat st {};
    if (::stat(osPath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return uint32_t(st.st_mode & 07777);
}

bool NativeFileSystem::createFile(const std::string& path, const std::string& bytes,
                                  std::optional<uint32_t> mode) {
    if (path.empty()) return false;
    const stdfs::path p = osPath(path);
    const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          mode ? mode_t(*mode) : mode_t(0666));
    if (fd < 0) return false;
    // The mask for new files would take bits away from the ones being kept.
    bool ok = !mode || ::fchmod(fd, mode_t(*mode)) == 0;
    ok = ok && writeAllTo(fd, bytes);
    ok = (::close(fd) == 0) && ok;
    if (!ok) ::unlink(p.c_str());
    return ok;
}

bool NativeFileSystem::appendFile(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    const int fd = ::open(osPath(path).c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = writeAllTo(fd, bytes);
    return (::close(fd) == 0) && ok;
}

bool NativeFileSystem::syncFile(const std::string& path) {
    const int fd = ::open(osPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    return (::close(fd) == 0) && ok;
}

bool NativeFileSystem::linkFile(const std::string& existing, const std::string& newName) {
    return ::link(osPath(existing).c_str(), osPath(newName).c_str()) == 0;
}

bool NativeFileSystem::syncFolder(const std::string& folder) {
    const int fd = ::open(osPath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    // Some file systems keep no folder state to flush and say so; nothing is lost there.
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    return (::close(fd) == 0) && ok;
}

}  // namespace korvel
