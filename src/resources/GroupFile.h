// The game's group archive: a directory of named entries followed by their data, packed. Only
// the directory is read here; callers fetch the entries they want by offset and length.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

class FileSystem;

struct GroupEntry {
    std::string name;    // the non-zero bytes of the 12 name bytes
    int64_t offset = 0;  // of the entry's data in the archive
    int32_t length = 0;
};

struct GroupDirectory {
    // Entries whose data lies wholly inside the file, in directory order.
    std::vector<GroupEntry> entries;
    // The file is long enough for a header but does not start with the archive's signature: it
    // is some other file, and nothing in it is read as an entry.
    bool notAnArchive = false;
    // The file is shorter than its header or directory says, its count is negative, or an
    // entry's length is negative or runs past the end: that entry and every later one (whose
    // offsets depend on it) are left out.
    bool damaged = false;
};

constexpr int64_t kGroupHeaderBytes = 16;
// The first 12 bytes of every group archive.
constexpr std::string_view kGroupSignature = "KenSilverman";
constexpr int64_t kGroupDirectoryEntryBytes = 16;

// Reads the directory of the archive at path; nothing when it is no readable file.
std::optional<GroupDirectory> readGroupDirectory(FileSystem& fs, const std::string& path);

// The same over bytes already in memory (the whole archive, or at least its header and
// directory), checked against the archive's real length.
GroupDirectory parseGroupDirectory(std::string_view headerAndDirectory, int64_t fileLength);

// Names compare without regard to ASCII case, as the game's own tools wrote them in capitals.
bool sameNameNoCase(std::string_view a, std::string_view b);

}  // namespace korvel
