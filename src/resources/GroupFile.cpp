#include "resources/GroupFile.h"

#include <algorithm>

#include "base/FileSystem.h"
#include "base/ValueConv.h"

namespace korvel {

namespace {

// Directory entries are read in blocks, so that an archive of any size is read with a few
// large reads and never held whole in memory.
constexpr int64_t kEntriesPerRead = 4096;

int32_t longAt(std::string_view bytes, size_t at) {
    return bytesToLong(uint8_t(bytes[at]), uint8_t(bytes[at + 1]), uint8_t(bytes[at + 2]),
                       uint8_t(bytes[at + 3]));
}

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}

// Walks the directory entry by entry, keeping the running data offset and stopping for good at
// the first entry whose data cannot lie inside the file.
class DirectoryReader {
public:
    DirectoryReader(int64_t fileLength, int64_t count)
        : fileLength_(fileLength),
          dataOffset_(kGroupHeaderBytes + kGroupDirectoryEntryBytes * count) {}

    void add(std::string_view entry) {
        if (stopped_) return;
        const int32_t length = longAt(entry, 12);
        if (length < 0 || dataOffset_ + length > fileLength_) {
            stop();
            return;
        }
        GroupEntry e;
        for (size_t i = 0; i < 12; ++i)
            if (entry[i] != '\0') e.name.push_back(entry[i]);
        e.offset = dataOffset_;
        e.length = length;
        result_.entries.push_back(std::move(e));
        dataOffset_ += length;
    }
    void stop() {
        stopped_ = true;
        result_.damaged = true;
    }
    bool stopped() const { return stopped_; }
    GroupDirectory take() { return std::move(result_); }

private:
    int64_t fileLength_;
    int64_t dataOffset_;
    bool stopped_ = false;
    GroupDirectory result_;
};

// The entry count when the header and the whole directory fit in the file, else nothing.
std::optional<int64_t> checkedCount(std::string_view header, int64_t fileLength) {
    if (int64_t(header.size()) < kGroupHeaderBytes || fileLength < kGroupHeaderBytes)
        return std::nullopt;
    const int64_t count = longAt(header, 12);
    if (count < 0 || count > (fileLength - kGroupHeaderBytes) / kGroupDirectoryEntryBytes)
        return std::nullopt;
    return count;
}

// Reads the directory through fetch(first, n), which gives the bytes of entries first to
// first + n - 1, or fewer when they cannot be had.
template <typename Fetch>
GroupDirectory walkDirectory(std::string_view header, int64_t fileLength, Fetch fetch) {
    if (int64_t(header.size()) >= kGroupHeaderBytes && fileLength >= kGroupHeaderBytes &&
        header.substr(0, kGroupSignature.size()) != kGroupSignature) {
        GroupDirectory other;
        other.notAnArchive = true;
        return other;
    }
    const auto count = checkedCount(header, fileLength);
    if (!count) {
        GroupDirectory damaged;
        damaged.damaged = true;
        return damaged;
    }
    DirectoryReader reader(fileLength, *count);
    for (int64_t first = 0; first < *count && !reader.stopped(); first += kEntriesPerRead) {
        const int64_t n = std::min(kEntriesPerRead, *count - first);
        const std::optional<std::string_view> block = fetch(first, n);
        // A short block (a file changed since its length was taken) ends the walk.
        if (!block || int64_t(block->size()) != kGroupDirectoryEntryBytes * n) {
            reader.stop();
            break;
        }
        for (int64_t i = 0; i < n && !reader.stopped(); ++i)
            reader.add(block->substr(size_t(kGroupDirectoryEntryBytes * i),
                                     size_t(kGroupDirectoryEntryBytes)));
    }
    return reader.take();
}

int64_t directoryOffset(int64_t entry) {
    return kGroupHeaderBytes + kGroupDirectoryEntryBytes * entry;
}

}  // namespace

bool sameNameNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return upperAscii(x) == upperAscii(y);
           });
}

GroupDirectory parseGroupDirectory(std::string_view bytes, int64_t fileLength) {
    return walkDirectory(bytes, fileLength,
                         [&](int64_t first, int64_t n) -> std::optional<std::string_view> {
                             const int64_t at = directoryOffset(first);
                             if (at >= int64_t(bytes.size())) return std::string_view();
                             return bytes.substr(size_t(at), size_t(kGroupDirectoryEntryBytes * n));
                         });
}

std::optional<GroupDirectory> readGroupDirectory(FileSystem& fs, const std::string& path) {
    const auto fileLength = fs.fileLength(path);
    if (!fileLength) return std::nullopt;
    const auto header = fs.readRange(path, 0, kGroupHeaderBytes);
    if (!header) return std::nullopt;
    std::string block;
    return walkDirectory(
        *header, *fileLength, [&](int64_t first, int64_t n) -> std::optional<std::string_view> {
            auto bytes = fs.readRange(path, directoryOffset(first), kGroupDirectoryEntryBytes * n);
            if (!bytes) return std::nullopt;
            block = std::move(*bytes);
            return std::string_view(block);
        });
}

}  // namespace korvel
