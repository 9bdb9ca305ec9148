#include "pages/FileBrowser.h"

#include <algorithm>

#include "app/Editor.h"
#include "base/FileSystem.h"
#include "ui/TypedText.h"

namespace korvel {

namespace {

void followCursor(int32_t cursor, int32_t& top) {
    if (top < cursor - (kBrowserVisibleRows - 1)) top = cursor - (kBrowserVisibleRows - 1);
    if (cursor < top) top = cursor;
}

int32_t cappedCount(size_t n) {
    return int32_t(std::min<size_t>(n, size_t(kBrowserListCapacity)));
}

}  // namespace

const char* fileDialogPattern(FileBrowserPurpose purpose) {
    return purpose == FileBrowserPurpose::PlayDemo ? "*.kvd" : "*.map";
}

bool isRootFolder(const std::string& folder) {
    if (!folder.empty() && std::all_of(folder.begin(), folder.end(), isPathSeparator)) return true;
    const bool drive =
        folder.size() >= 2 && folder[1] == ':' &&
        ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z'));
    return drive && (folder.size() == 2 || (folder.size() == 3 && isPathSeparator(folder[2])));
}

std::string driveRootFolder(int32_t letter) {
    const char sep = pathSeparator();
    if (sep != '\\') return std::string(1, sep);
    return std::string(1, char('A' + std::clamp(letter, 0, 25))) + ":" + sep;
}

void stepDriveCursor(FileBrowserState& b, int32_t direction) {
    for (int32_t i = b.driveCursor + direction; i >= 0 && i < 26; i += direction)
        if (b.driveAvailable[size_t(i)] != 0) {
            b.driveCursor = i;
            return;
        }
}

void fillFileDialogLists(FileBrowserState& b, FileSystem& fs, const std::string& programFolder) {
    b.browserFolderTop = b.browserFolderCursor = 0;
    b.browserFileTop = b.browserFileCursor = 0;
    if (!fs.folderExists(b.browserFolder)) b.browserFolder = programFolder;

    const std::vector<std::string> folders = fs.listFolders(b.browserFolder);
    const std::vector<std::string> files =
        fs.listFiles(b.browserFolder, fileDialogPattern(b.browserPurpose));

    const bool root = isRootFolder(b.browserFolder);
    const size_t first = root ? 0 : 1;
    b.browserFolderCount = cappedCount(folders.size() + first);
    if (!root) b.browserFolders[0] = "..";
    for (int32_t i = int32_t(first); i < b.browserFolderCount; ++i)
        b.browserFolders[size_t(i)] = folders[size_t(i) - first];

    b.browserFileCount = cappedCount(files.size());
    for (int32_t i = 0; i < b.browserFileCount; ++i) b.browserFiles[size_t(i)] = files[size_t(i)];
}

void fileDlgTypeAhead(FileBrowserState& b, uint8_t key) {
    const bool files = b.browserFocus != 0;
    const std::vector<std::string>& list = files ? b.browserFiles : b.browserFolders;
    const int32_t n = files ? b.browserFileCount : b.browserFolderCount;
    int32_t& cursor = files ? b.browserFileCursor : b.browserFolderCursor;
    int32_t& top = files ? b.browserFileTop : b.browserFolderTop;
    if (n <= 0) return;

    top = n;
    // At most one pass round the list: a cursor outside it never comes round again.
    for (int32_t step = 1; step < n + 1; ++step) {
        const int32_t i = int32_t((int64_t(cursor) + step) % n + n) % n;
        if (i == cursor) break;
        const std::string& entry = list[size_t(i)];
        if (!entry.empty() && uint8_t(upperCp1251(entry[0])) == key) {
            cursor = i;
            followCursor(cursor, top);
            break;
        }
    }
    top = std::max(std::min(top, n - kBrowserVisibleRows), 0);
    followCursor(cursor, top);
}

void fileDlgScrollFolders(FileBrowserState& b) {
    followCursor(b.browserFolderCursor, b.browserFolderTop);
}

void fileDlgScrollFiles(FileBrowserState& b) {
    followCursor(b.browserFileCursor, b.browserFileTop);
}

// The pages arrive with their own change; until then they show their background only.
void drawBrowserPage(Editor&) {}

void typeAheadText(FileBrowserState& b, const std::string& typed) {
    if (!typed.empty()) fileDlgTypeAhead(b, uint8_t(upperCp1251(typed[0])));
}

void fileBrowserKeys(Editor& ed) {
    std::string typed;
    readTypedText(ed.input, typed);
    typeAheadText(ed.pages.fileBrowser, typed);
}

}  // namespace korvel
