// Paths as the user sees them: split into folder and file name at the last separator ('\' and
// '/' both count, since stored and typed paths may use either) and compared without regard to
// the case of their letters.
#pragma once

#include <string>

namespace korvel {

bool isPathSeparator(char c);
// The part up to and including the last separator; "" when the path holds none.
std::string getPathFolder(const std::string& path);
// The part after the last separator; "" when the path holds none, so a bare name gives "".
std::string getPathFileName(const std::string& path);

// A Windows-1251 letter (Latin or Cyrillic) in upper case; every other byte as it is.
char upperCp1251(char c);
// Whether two texts are equal when their letters are compared without regard to case.
bool equalIgnoringCase(const std::string& a, const std::string& b);

}  // namespace korvel
