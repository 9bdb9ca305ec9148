// Replacing a file's bytes so that nothing is ever lost: the new bytes go whole to a temporary
// file beside the old one and reach the disk, the old file gets a second name in the trash,
// and one rename puts the new file in its place, so the path holds the old or the new bytes
// whole at every moment. Every file the program writes goes through here.
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

}  // namespace korvel
