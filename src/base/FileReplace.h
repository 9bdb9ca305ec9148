// Replacing a file's bytes so that nothing is ever lost: the new bytes go whole to a temporary
// file beside the old one and reach the disk, the old file gets a second name in the trash,
// and one rename puts the new file in its place, so the path holds the old or the new bytes
// whole at every moment. Every file the program writes goes through here, at once or in pieces
// (a file too large to build in memory).
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

class FileSystem;

// Beside the file it is to replace, so that the final rename stays within one folder.
constexpr const char* kNewFileSuffix = ".korvel-new";

enum class ReplaceStep : uint8_t {
    None,
    Write,       // the new bytes into their temporary file
    Sync,        // that file to the disk
    TrashCopy,   // the old file's second name in the trash (a link, or a copy where there are none)
    Rename,      // the new file over the old path
    FolderSync,  // the renamed names to the disk
};

struct ReplaceOptions {
    // Where the old file is kept before it is replaced, replacing an earlier copy there; "" for
    // no copy. When an old file exists and no copy can be made, nothing is replaced.
    std::string trashCopy;
    // After a failure, leave the new bytes in the file that holds them and name it, rather than
    // removing it.
    bool keepNewOnFailure = false;
};

struct ReplaceResult {
    bool replaced = false;
    ReplaceStep failedAt = ReplaceStep::None;
    // After a failure with keepNewOnFailure: the file that holds the new bytes whole, "" when
    // they never reached one.
    std::string keptFile;
};

// Replaces the file at path with bytes (or makes it). A path that is a symbolic link is followed:
// the file it leads to gets the new bytes and the link stays. The new file takes the old one's
// permissions. On any failure the old file is at its path as it was.
ReplaceResult replaceFile(FileSystem& fs, const std::string& path, const std::string& bytes,
                          const ReplaceOptions& options = {});

// replaceFile with the new bytes handed over in pieces: the first append makes the temporary
// file beside the target, later ones add to its end, and commit puts it in place as replaceFile
// does. Once an append has failed the others do nothing and commit fails. A replacement left
// without a commit, or whose commit failed before the file was whole, removes its temporary
// file; the target stays as it was.
class FileReplacement {
public:
    FileReplacement(FileSystem& fs, const std::string& path, const ReplaceOptions& options = {});
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Whether the replacement can still succeed: false for a path that names a folder, links
    // that go round, or after a failed append.
    bool good() const { return failedAt_ == ReplaceStep::None && !committed_; }
    bool append(const std::string& bytes);
    ReplaceResult commit();

private:
    ReplaceResult finish();

    FileSystem& fs_;
    ReplaceOptions options_;
    std::string target_, temp_;
    bool hadOld_ = false, tempMade_ = false, committed_ = false;
    ReplaceStep failedAt_ = ReplaceStep::None;
};

}  // namespace korvel
