#include "platform/CommandLine.h"

#include "base/Cp1251.h"

namespace korvel {

namespace {

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) return false;
    for (size_t i = 0; i < suffix.size(); ++i) {
        char c = text[text.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z') c = char(c + 32);
        if (c != suffix[i]) return false;
    }
    return true;
}

std::string absolutePath(std::string arg, const std::string& currentFolder) {
    while (arg.size() > 2 && arg[0] == '.' && arg[1] == '/') arg.erase(0, 2);
    if (currentFolder.empty()) return arg;
    if (currentFolder.back() == '/') return currentFolder + arg;
    return currentFolder + '/' + arg;
}

}  // namespace

std::string buildCommandLine(const std::vector<std::string>& args, const std::string& currentFolder,
                             const std::function<bool(const std::string&)>& pathExists) {
    std::string line;
    for (std::string arg : args) {
        if (arg.empty()) continue;
        const bool isPath =
            endsWithNoCase(arg, ".map") || endsWithNoCase(arg, ".grp") || pathExists(arg);
        if (isPath && arg[0] != '/') arg = absolutePath(arg, currentFolder);
        if (arg.find_first_of(" \t") != std::string::npos) arg = '"' + arg + '"';
        if (!line.empty()) line += ' ';
        line += arg;
    }
    return utf8ToPathText(line);
}

}  // namespace korvel
