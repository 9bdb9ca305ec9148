// The machine's own file system behind the file-system interface.
#pragma once

#include <optional>

#include "base/FileSystem.h"
#include "platform/DriveTable.h"

namespace korvel {

// The real file system of the machine.
class NativeFileSystem : public FileSystem {
public:
    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    // Letters come from the machine's mounts the first time one is asked for, unless a table
    // was given before.
    std::string driveFolder(int letter) override;
    int driveState(int letter) override;
    void setDriveFolders(const DriveFolders& folders);
    std::optional<int64_t> fileLength(const std::string& path) override;
    std::optional<int64_t> modifiedTime(const std::string& path) override;
    std::vector<FolderEntry> listEntries(const std::string& folder) override;
    std::vector<std::string> listFolders(const std::string& folder) override;
    std::vector<std::string> listFiles(const std::string& folder,
                                       const std::string& pattern) override;
    std::optional<std::string> readAll(const std::string& path,
                                       int64_t maxBytes = INT64_MAX) override;
    std::optional<std::string> readRange(const std::string& path, int64_t offset,
                                         int64_t length) override;
    bool moveFile(const std::string& from, const std::string& to) override;
    bool deleteFile(const std::string& path) override;
    bool makeFolder(const std::string& path) override;
    std::optional<std::string> resolveLinks(const std::string& path) override;
    std::optional<uint32_t> permissions(const std::string& path) override;
    bool createFile(const std::string& path, const std::string& bytes,
                    std::optional<uint32_t> mode) override;
    bool appendFile(const std::string& path, const std::string& bytes) override;
    bool syncFile(const std::string& path) override;
    bool linkFile(const std::string& existing, const std::string& newName) override;
    bool syncFolder(const std::string& folder) override;

private:
    std::optional<DriveFolders> drives_;
};

}  // namespace korvel
