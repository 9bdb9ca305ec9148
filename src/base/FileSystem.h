// File-system services. Paths are 8-bit text and may use '\' or '/'; names are converted to
// UTF-8 only where they reach the operating system. Writes go whole to a temporary file in the
// target's folder and are renamed into place (base/FileReplace.h), and every write reports
// whether it succeeded.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvel {

struct FolderEntry {
    std::string name;  // last path component, 8-bit text
    bool isFolder = false;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool fileExists(const std::string& path) = 0;
    virtual bool folderExists(const std::string& path) = 0;
    // Drive letters 0 (A) to 25 (Z): the folder a letter stands for (empty when it has none) and
    // its state: 0 no folder, 1 the folder can be listed, 2 it cannot. A file system without
    // drives has none.
    virtual std::string driveFolder(int letter);
    virtual int driveState(int letter);
    virtual std::optional<int64_t> fileLength(const std::string& path) = 0;
    // Last-modified time in seconds since the epoch.
    virtual std::optional<int64_t> modifiedTime(const std::string& path) = 0;

    // Entries of a folder without hidden ones, in name order. listFiles keeps the file names that
    // match a wildcard pattern ('*' and '?', letters compared without regard to case).
    virtual std::vector<FolderEntry> listEntries(const std::string& folder) = 0;
    virtual std::vector<std::string> listFolders(const std::string& folder) = 0;
    virtual std::vector<std::string> listFiles(const std::string& folder,
                                               const std::string& pattern) = 0;

    // Whole file (at most maxBytes) or a byte range; nothing for a missing file, a folder or
    // a read error. A range past the end returns the bytes that exist.
    virtual std::optional<std::string> readAll(const std::string& path,
                                               int64_t maxBytes = INT64_MAX) = 0;
    virtual std::optional<std::string> readRange(const std::string& path, int64_t offset,
                                                 int64_t length) = 0;

    // Replaces the file's bytes so that the path holds the old or the new bytes whole at every
    // moment (replaceFile, without a trash copy; FileReplacement for bytes handed over in
    // pieces). Test file systems override it to fail.
    virtual bool writeAtomic(const std::string& path, const std::string& bytes);
    // Renames a file, replacing an existing target.
    virtual bool moveFile(const std::string& from, const std::string& to) = 0;
    virtual bool deleteFile(const std::string& path) = 0;
    virtual bool makeFolder(const std::string& path) = 0;

    // The steps replaceFile is made of.
    // The file a path names once symbolic links are followed: the path itself when it is no
    // link (whether or not a file is there); nothing for links that go round or cannot be read.
    virtual std::optional<std::string> resolveLinks(const std::string& path) = 0;
    // Permission bits (07777) of a file; nothing when there is none.
    virtual std::optional<uint32_t> permissions(const std::string& path) = 0;
    // Makes a new file, never replacing one, with the permission bits given (the system's
    // default for new files without them) and writes the bytes into it.
    virtual bool createFile(const std::string& path, const std::string& bytes,
                            std::optional<uint32_t> mode) = 0;
    // Adds the bytes to the end of an existing file (one that a replacement is building).
    virtual bool appendFile(const std::string& path, const std::string& bytes) = 0;
    // Makes the file's bytes durable on the disk.
    virtual bool syncFile(const std::string& path) = 0;
    // A second name for an existing file, never replacing one; fails where the file system has
    // no such links.
    virtual bool linkFile(const std::string& existing, const std::string& newName) = 0;
    // Makes the folder's names durable on the disk (what renames and links changed in it).
    virtual bool syncFolder(const std::string& folder) = 0;
};

// Path helpers shared by every caller.
char pathSeparator();
// Both separators turned into the native one.
std::string nativePath(const std::string& path);
// Joins a folder and a name with one native separator.
std::string joinPath(const std::string& folder, const std::string& name);
bool isAbsolutePath(const std::string& path);
// Wildcard match of a file name, without regard to ASCII case.
bool wildcardMatch(const std::string& pattern, const std::string& name);
// The entry of a folder whose name equals name without regard to ASCII case; the plain join
// when nothing matches (so a later existence test fails naturally).
std::string findNoCase(FileSystem& fs, const std::string& folder, const std::string& name);

}  // namespace korvel
