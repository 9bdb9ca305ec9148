#include "base/TextFile.h"

#include "base/FileSystem.h"

namespace korvel {

std::string fsoReadFile(FileSystem& fs, const std::string& fileName) {
    auto text = fs.readAll(fileName, kMaxTextFileBytes);
    return text ? std::move(*text) : std::string();
}

bool fsoRecordFile(FileSystem& fs, const std::string& fileName, const std::string& text) {
    return fs.writeAtomic(fileName, text);
}

}  // namespace korvel
