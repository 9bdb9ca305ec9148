// Whole-file text: every text file of the program is read whole into one string of 8-bit text
// and parsed in memory, and written whole from one. Line ends are left as they are.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

class FileSystem;

constexpr int64_t kMaxTextFileBytes = 16777216;

// fsoReadFile and fsoRecordFile: read and write a whole file through the file-system object.
// The file's first 16 MiB; "" for a missing or empty file, a folder or a read error.
std::string fsoReadFile(FileSystem& fs, const std::string& fileName);
// Replaces the file with text (through a temporary file and a rename); whether it succeeded.
bool fsoRecordFile(FileSystem& fs, const std::string& fileName, const std::string& text);

}  // namespace korvel
