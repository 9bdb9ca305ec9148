#include "base/FileSystem.h"

#include <algorithm>

#include "base/FileReplace.h"

namespace korvel {

namespace {

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}

}  // namespace

bool FileSystem::writeAtomic(const std::string& path, const std::string& bytes) {
    return replaceFile(*this, path, bytes).replaced;
}

std::string FileSystem::driveFolder(int) { return {}; }

int FileSystem::driveState(int) { return 0; }

char pathSeparator() {
    return '/';
}

std::string nativePath(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', pathSeparator());
    return out;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    if (last == '/' || last == '\\') return folder + name;
    return folder + pathSeparator() + name;
}

bool isAbsolutePath(const std::string& path) {
    return !path.empty() && (path[0] == '/' || path[0] == '\\');
}

bool wildcardMatch(const std::string& pattern, const std::string& name) {
    // Iterative matcher with one backtrack point for the last '*': linear in practice and
    // never recursive, so hostile patterns cannot exhaust the stack.
    size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || upperAscii(pattern[p]) == upperAscii(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::string findNoCase(FileSystem& fs, const std::string& folder, const std::string& name) {
    const std::string direct = joinPath(folder, name);
    if (fs.fileExists(direct) || fs.folderExists(direct)) return direct;
    for (const auto& e : fs.listEntries(folder)) {
        if (e.name.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < name.size() && same; ++i)
            same = upperAscii(e.name[i]) == upperAscii(name[i]);
        if (same) return joinPath(folder, e.name);
    }
    return direct;
}

}  // namespace korvel
