#include "base/PathNames.h"

#include <cstdint>

namespace korvel {

namespace {

size_t lastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}

}  // namespace

bool isPathSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string getPathFolder(const std::string& path) {
    const size_t at = lastSeparator(path);
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string getPathFileName(const std::string& path) {
    const size_t at = lastSeparator(path);
    return at == std::string::npos ? std::string() : path.substr(at + 1);
}

char upperCp1251(char c) {
    const uint8_t b = uint8_t(c);
    if ((b >= 'a' && b <= 'z') || b >= 0xE0) return char(b - 32);
    // The Cyrillic letters outside the two main runs, lower case then upper case.
    static constexpr uint8_t kPairs[][2] = {{0xB8, 0xA8}, {0xB3, 0xB2}, {0xBF, 0xAF}, {0xBA, 0xAA},
                                            {0xB4, 0xA5}, {0xA2, 0xA1}, {0xBC, 0xA3}, {0xBE, 0xBD},
                                            {0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A}, {0x9C, 0x8C},
                                            {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F}};
    for (const auto& pair : kPairs)
        if (pair[0] == b) return char(pair[1]);
    return c;
}

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upperCp1251(a[i]) != upperCp1251(b[i])) return false;
    return true;
}

}  // namespace korvel
