#include "script/ScriptFiles.h"

#include <algorithm>
#include <cctype>

#include "app/DataFolder.h"
#include "app/Editor.h"
#include "base/FileSystem.h"
#include "base/MessageNumbers.h"
#include "base/TextFile.h"
#include "ui/Languages.h"

namespace korvel {

namespace {

constexpr const char* kScriptExtension = ".kvs";

bool equalNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

void refreshScriptList(ScriptState& s, FileSystem& fs, const std::string& dataFolder,
                       const Languages& langs, bool keepText, bool demoStartPending,
                       int32_t visibleRows) {
    if (!keepText && !demoStartPending) {
        s.scriptName = getMessage(kMsgDefaultScriptName, langs);
        s.scriptText =
            s.scriptName.empty()
                ? std::string()
                : fsoReadFile(fs, findNoCase(fs, dataFolder, s.scriptName + kScriptExtension));
    }
    std::vector<std::string> files = fs.listFiles(dataFolder, std::string("*") + kScriptExtension);
    if (files.size() > size_t(kMaxScripts)) files.resize(size_t(kMaxScripts));
    s.scriptCount = int32_t(files.size());
    const int32_t rows = std::max(visibleRows, 0);
    s.scriptListTop =
        s.scriptCount <= rows ? 0 : std::clamp(s.scriptListTop, 0, s.scriptCount - rows);
    s.scriptNames.clear();
    for (const std::string& f : files)
        s.scriptNames.push_back(f.size() >= 4 ? f.substr(0, f.size() - 4) : std::string());
    if (!keepText) {
        const auto it =
            std::find_if(s.scriptNames.begin(), s.scriptNames.end(),
                         [&](const std::string& n) { return equalNoCase(n, s.scriptName); });
        if (it != s.scriptNames.end()) s.scriptIndex = int32_t(it - s.scriptNames.begin());
    }
}

void refreshScriptList(Editor& ed, bool keepText) {
    refreshScriptList(ed.pages.scriptEditor, ed.app.platform->fileSystem(),
                      dataFolder(*ed.app.platform), ed.langs, keepText,
                      ed.demo.demoStartPending != 0, kScriptListRows);
}

// Deleting a script comes with the script editor; until then nothing is deleted.
void deleteScript(Editor&) {}

}  // namespace korvel
