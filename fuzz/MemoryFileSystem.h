// A file system held in memory, so that fuzz targets can hand their input to the loaders as a
// file without touching the disk.
#pragma once

#include <algorithm>
#include <map>
#include <string>

#include "base/FileSystem.h"

namespace korvel::fuzz {

class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;  // full path -> bytes

    bool fileExists(const std::string& path) override { return files.count(path) != 0; }
    bool folderExists(const std::string& path) override {
        const std::string prefix = path + "/";
        return std::any_of(files.begin(), files.end(),
                           [&](const auto& f) { return f.first.rfind(prefix, 0) == 0; });
    }
    std::optional<int64_t> fileLength(const std::string& path) override {
        const auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return int64_t(it->second.size());
    }
    std::optional<int64_t> modifiedTime(const std::string&) override { return std::nullopt; }
    std::vector<FolderEntry> listEntries(const std::string& folder) override {
        std::vector<FolderEntry> out;
        const std::string prefix = folder + "/";
        for (const auto& [path, bytes] : files)
            if (path.rfind(prefix, 0) == 0 && path.find('/', prefix.size()) == std::string::npos)
                out.push_back({path.substr(prefix.size()), false});
        return out;
    }
    std::vector<std::string> listFolders(const std::string&) override { return {}; }
    std::vector<std::string> listFiles(const std::string& folder,
                                       const std::string& pattern) override {
        std::vector<std::string> out;
        for (const auto& e : listEntries(folder))
            if (wildcardMatch(pattern, e.name)) out.push_back(e.name);
        return out;
    }
    std::optional<std::string> readAll(const std::string& path, int64_t maxBytes) override {
        return readRange(path, 0, maxBytes);
    }
    std::optional<std::string> readRange(const std::string& path, int64_t offset,
                                         int64_t length) override {
        const auto it = files.find(path);
        if (it == files.end() || offset < 0 || length < 0) return std::nullopt;
        if (offset >= int64_t(it->second.size())) return std::string();
        return it->second.substr(size_t(offset), size_t(length));
    }
    bool moveFile(const std::string& from, const std::string& to) override {
        const auto it = files.find(from);
        if (it == files.end()) return false;
        std::string bytes = std::move(it->second);
        files.erase(it);
        files[to] = std::move(bytes);
        return true;
    }
    bool deleteFile(const std::string& path) override { return files.erase(path) != 0; }
    bool makeFolder(const std::string&) override { return true; }

    // No links, no permissions: every path names itself, and files are replaced only whole,
    // so a second name may as well hold a copy.
    std::optional<std::string> resolveLinks(const std::string& path) override {
        if (path.empty()) return std::nullopt;
        return path;
    }
    std::optional<uint32_t> permissions(const std::string& path) override {
        if (!fileExists(path)) return std::nullopt;
        return 0644;
    }
    bool createFile(const std::string& path, const std::string& bytes,
                    std::optional<uint32_t>) override {
        if (path.empty() || fileExists(path)) return false;
        files[path] = bytes;
        return true;
    }
    bool appendFile(const std::string& path, const std::string& bytes) override {
        const auto it = files.find(path);
        if (it == files.end()) return false;
        it->second += bytes;
        return true;
    }
    bool syncFile(const std::string& path) override { return fileExists(path); }
    bool linkFile(const std::string& existing, const std::string& newName) override {
        if (!fileExists(existing) || fileExists(newName)) return false;
        files[newName] = files[existing];
        return true;
    }
    bool syncFolder(const std::string&) override { return true; }
};

}  // namespace korvel::fuzz
