#include "SourceText.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/Cp1251.h"

namespace korvel::textgen {

std::optional<std::string> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

bool writeWholeFile(const std::string& path, const std::string& bytes) {
    // Written beside the target and renamed, so a build that stops half-way leaves no torn file.
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    // A final line end does not start another line.
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

std::optional<std::string> toCp1251(const std::string& utf8) {
    const std::string converted = utf8ToCp1251(utf8);
    const auto marks = [](const std::string& s) { return std::count(s.begin(), s.end(), '?'); };
    if (marks(converted) != marks(utf8)) return std::nullopt;
    return converted;
}

std::string trim(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

std::optional<long> parseInteger(const std::string& s) {
    if (s.empty() || s.size() > 9) return std::nullopt;
    size_t i = s[0] == '-' ? 1 : 0;
    if (i == s.size()) return std::nullopt;
    long value = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        value = value * 10 + (s[i] - '0');
    }
    return s[0] == '-' ? -value : value;
}

}  // namespace korvel::textgen
