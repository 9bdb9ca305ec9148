#include "script/ScriptFiles.h"

#include <algorithm>
#include <cctype>

#include "app/DataFolder.h"
#include "app/Editor.h"
#include "app/Sound.h"
#include "base/FileSystem.h"
#include "base/MessageNumbers.h"
#include "base/TextFile.h"
#include "pages/MessageBox.h"
#include "script/ScriptLayout.h"
#include "ui/Languages.h"
#include "ui/Toolbar.h"

namespace korvel {

namespace {

constexpr const char* kScriptExtension = ".kvs";
constexpr const char* kDemoScriptStem = "~demotmp";

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
        s.scriptText = s.scriptName.empty()
                           ? std::string()
                           : withCrLfLineEnds(fsoReadFile(
                                 fs, findNoCase(fs, dataFolder, s.scriptName + kScriptExtension)));
        s.scriptEdited = 0;
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

bool isValidScriptName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || equalNoCase(name, kDemoScriptStem))
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32;
    });
}

namespace {

FileSystem& files(Editor& ed) {
    return ed.app.platform->fileSystem();
}

// The path of a script's file: an existing one whatever its case, else the name as given.
std::string scriptPath(Editor& ed, const std::string& name) {
    return findNoCase(files(ed), dataFolder(*ed.app.platform), name + kScriptExtension);
}

bool scriptFileExists(Editor& ed, const std::string& name) {
    return isValidScriptName(name) && files(ed).fileExists(scriptPath(ed, name));
}

void report(Editor& ed, int32_t message, const std::string& name) {
    ed.app.statusText = getMessage(message, ed.langs, name);
    playSound(ed, "beep2");
}

bool inDemo(const Editor& ed) {
    return ed.demo.demoFrameIndex >= 0;
}

void findCurrentEntry(ScriptState& s) {
    const auto it =
        std::find_if(s.scriptNames.begin(), s.scriptNames.end(),
                     [&](const std::string& n) { return equalNoCase(n, s.scriptName); });
    if (it != s.scriptNames.end()) s.scriptIndex = int32_t(it - s.scriptNames.begin());
}

void resetEditorView(ScriptState& s) {
    s.scriptTopLine = 0;
    s.scriptCursor = 0;
    s.scriptAnchor = 0;
    s.scriptUndoAvailable = 0;
}

// Loads entry scriptIndex without saving the current script first.
bool loadEntry(Editor& ed) {
    ScriptState& s = ed.pages.scriptEditor;
    if (inDemo(ed)) {
        s.scriptText = withCrLfLineEnds(fsoReadFile(files(ed), scriptPath(ed, kDemoScriptStem)));
    } else {
        if (s.scriptIndex < 0 || s.scriptIndex >= int32_t(s.scriptNames.size())) return false;
        const std::string& name = s.scriptNames[size_t(s.scriptIndex)];
        if (!isValidScriptName(name)) {
            report(ed, kMsgScriptNameRefused, name);
            return false;
        }
        s.scriptName = name;
        s.scriptText = withCrLfLineEnds(fsoReadFile(files(ed), scriptPath(ed, name)));
    }
    s.scriptEdited = 0;
    resetEditorView(s);
    rebuildToolbar(ed);
    ed.app.redrawRequest = 1;
    drawScriptText(ed);
    return true;
}

}  // namespace

bool saveScript(Editor& ed, bool keepIndex) {
    ScriptState& s = ed.pages.scriptEditor;
    if (inDemo(ed)) {
        const std::string path =
            dataFolder(*ed.app.platform) + "/" + kDemoScriptStem + kScriptExtension;
        if (fsoRecordFile(files(ed), path, s.scriptText)) return true;
        report(ed, kMsgScriptNotSaved, kDemoScriptStem);
        return false;
    }
    if (!isValidScriptName(s.scriptName)) {
        report(ed, kMsgScriptNameRefused, s.scriptName);
        return false;
    }
    if (!fsoRecordFile(files(ed), scriptPath(ed, s.scriptName), s.scriptText)) {
        report(ed, kMsgScriptNotSaved, s.scriptName);
        return false;
    }
    s.scriptEdited = 0;
    refreshScriptList(ed, true);
    if (!keepIndex) findCurrentEntry(s);
    return true;
}


bool deleteScript(Editor& ed) {
    ScriptState& s = ed.pages.scriptEditor;
    if (!isValidScriptName(s.scriptName)) {
        report(ed, kMsgScriptNameRefused, s.scriptName);
        return false;
    }
    const std::string path = scriptPath(ed, s.scriptName);
    if (!files(ed).fileExists(path)) return true;
    if (!files(ed).deleteFile(path)) {
        report(ed, kMsgScriptNotDeleted, s.scriptName);
        return false;
    }
    refreshScriptList(ed, true);
    if (s.scriptCount == 0) {
        // Nothing left to move to: an empty default script in memory.
        s.scriptName = getMessage(kMsgDefaultScriptName, ed.langs);
        s.scriptText.clear();
        s.scriptEdited = 0;
        s.scriptIndex = 0;
        resetEditorView(s);
        drawScriptText(ed);
        return true;
    }
    if (s.scriptIndex >= s.scriptCount) s.scriptIndex = s.scriptCount - 1;
    if (s.scriptIndex < 0) s.scriptIndex = 0;
    // The deleted script's text must not overwrite the neighbour it moves to.
    return loadEntry(ed);
}

static std::string freeScriptName(Editor& ed, const std::string& base) {
    if (!scriptFileExists(ed, base)) return base;
    size_t digits = base.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(base[digits - 1]))) --digits;
    const std::string stem = base.substr(0, digits);
    for (int32_t n = 1; n <= kMaxScripts + 1; ++n) {
        const std::string name = stem + std::to_string(n);
        if (!scriptFileExists(ed, name)) return name;
    }
    return base;
}

namespace {

// A script with a file is saved before it is left; one edited but never saved would be lost, so
// the user is asked (true then, and the caller stops).
bool askBeforeLeavingScript(Editor& ed, MessageBoxKind kind) {
    ScriptState& s = ed.pages.scriptEditor;
    if (inDemo(ed) || !s.scriptEdited || scriptFileExists(ed, s.scriptName)) return false;
    openMessageBox(ed, kind);
    return true;
}

bool newScriptUnasked(Editor& ed) {
    ScriptState& s = ed.pages.scriptEditor;
    if (!inDemo(ed) && scriptFileExists(ed, s.scriptName) && !saveScript(ed, false)) return false;
    s.scriptName = freeScriptName(ed, getMessage(kMsgDefaultScriptName, ed.langs));
    s.scriptText.clear();
    s.scriptEdited = 0;
    s.scriptTopLine = 0;
    s.scriptCursor = 0;
    s.scriptAnchor = 0;
    drawScriptText(ed);
    return true;
}

}  // namespace

bool loadScript(Editor& ed) {
    ScriptState& s = ed.pages.scriptEditor;
    if (!inDemo(ed) && s.scriptIndex >= 0 && s.scriptIndex < int32_t(s.scriptNames.size()) &&
        askBeforeLeavingScript(ed, MessageBoxKind::SaveScriptBeforeLoad)) {
        s.scriptPendingName = s.scriptNames[size_t(s.scriptIndex)];
        return false;
    }
    if (!inDemo(ed) && scriptFileExists(ed, s.scriptName) && !saveScript(ed, true)) return false;
    return loadEntry(ed);
}

bool newScript(Editor& ed) {
    if (askBeforeLeavingScript(ed, MessageBoxKind::SaveScriptBeforeNew)) return false;
    return newScriptUnasked(ed);
}

void answerSaveScriptFirst(Editor& ed, bool forNewScript, int32_t button) {
    ScriptState& s = ed.pages.scriptEditor;
    const std::string pending = std::move(s.scriptPendingName);
    s.scriptPendingName.clear();
    if (button == MessageBoxResult::Third) {
        findCurrentEntry(s);
        return;
    }
    if (button == MessageBoxResult::First && !saveScript(ed, true)) return;
    if (forNewScript) {
        newScriptUnasked(ed);
        return;
    }
    // Saving listed the scripts again: the chosen one is found by its name.
    const auto it = std::find(s.scriptNames.begin(), s.scriptNames.end(), pending);
    if (it == s.scriptNames.end()) return;
    s.scriptIndex = int32_t(it - s.scriptNames.begin());
    loadEntry(ed);
}

}  // namespace korvel
