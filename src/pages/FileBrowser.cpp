#include "pages/FileBrowser.h"

#include <algorithm>
#include <cmath>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "base/Mainm.h"
#include "base/Random.h"
#include "pages/ListScrollBar.h"
#include "ui/Text.h"
#include "base/Cp1251.h"
#include "base/FileSystem.h"
#include "ui/TypedText.h"

namespace korvel {

namespace {

void followCursor(int32_t cursor, int32_t& top) {
    if (top < cursor - (kBrowserVisibleRows - 1)) top = cursor - (kBrowserVisibleRows - 1);
    if (cursor < top) top = cursor;
}

// The folder above: the trailing separator dropped, then the folder part kept.
std::string parentFolder(const std::string& folder) {
    std::string f = folder;
    if (!f.empty() && isPathSeparator(f.back())) f.pop_back();
    return getPathFolder(f);
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
    if (!root) b.browserFolders[0] = b.browserFolderNames[0] = "..";
    for (int32_t i = int32_t(first); i < b.browserFolderCount; ++i) {
        b.browserFolderNames[size_t(i)] = folders[size_t(i) - first];
        b.browserFolders[size_t(i)] = shownPathText(folders[size_t(i) - first]);
    }

    b.browserFileCount = cappedCount(files.size());
    for (int32_t i = 0; i < b.browserFileCount; ++i) {
        b.browserFileNames[size_t(i)] = files[size_t(i)];
        b.browserFiles[size_t(i)] = shownPathText(files[size_t(i)]);
    }
}

std::string browserFilePath(const FileBrowserState& b) {
    const int32_t c = b.browserFileCursor;
    if (c < 0 || c >= b.browserFileCount || c >= int32_t(b.browserFileNames.size())) return {};
    return joinPath(b.browserFolder, b.browserFileNames[size_t(c)]);
}

std::string browserFolderTarget(const FileBrowserState& b) {
    const int32_t c = b.browserFolderCursor;
    if (c < 0 || c >= b.browserFolderCount || c >= int32_t(b.browserFolderNames.size()))
        return {};
    const std::string& entry = b.browserFolderNames[size_t(c)];
    if (entry == "..") return parentFolder(b.browserFolder);
    return b.browserFolder + entry + pathSeparator();
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

namespace {

constexpr int32_t kMsgFolderCount = 341;
constexpr int32_t kMsgFileCount = 342;

std::string cutText(const std::string& text, size_t cutFrom, size_t keep) {
    return text.size() >= cutFrom ? text.substr(0, keep) + "..." : text;
}

void drawDriveList(Editor& ed) {
    const FileBrowserState& b = ed.pages.fileBrowser;
    const SurfaceView screen = screenView(ed.frameBuffer);
    const Canvas cv = canvasOf(ed);
    for (int32_t l = 0; l < 26; ++l) {
        const int32_t x = 193 + 16 * l;
        for (int32_t i = 0; i < 14; ++i) {
            screen.at(x + i, 320) = screen.at(x + i, 333) = 0;
            screen.at(x, 320 + i) = screen.at(x + 13, 320 + i) = 0;
        }
        uint8_t fill = 78;
        if (l == b.driveCursor) fill = 93;
        else if (b.driveAvailable[size_t(l)] == 1) fill = 176;
        else if (b.driveAvailable[size_t(l)] == 2) fill = 173;
        for (int32_t y = 321; y <= 332; ++y)
            for (int32_t i = 1; i <= 12; ++i) screen.at(x + i, y) = fill;
        drawText(cv, ed.fonts, std::string(1, char('A' + l)), x + 3, 321, 0);
    }
}

// The shimmering band under the cursor row whose bottom line is r: 12 random numbers a column.
void drawCursorBand(Editor& ed, int32_t firstColumn, int32_t r) {
    const SurfaceView screen = screenView(ed.frameBuffer);
    const double t = ed.input.frameTime / 450.0;
    for (int32_t x = firstColumn; x <= firstColumn + 376; ++x) {
        const double s = 29 - 3 * std::sin(t + x / 64.0);
        for (int32_t y = r; y <= r + 11; ++y)
            screen.at(x, y) = uint8_t(safeFloor(randomSingle(ed.random) + s));
    }
}

struct BrowserList {
    const std::vector<std::string>& names;
    int32_t count, top, cursor;
    bool focused;
    int32_t x, bandColumn, colour;
};

void drawBrowserList(Editor& ed, const BrowserList& list) {
    const Canvas cv = canvasOf(ed);
    if (list.top < 0) return;
    const int32_t count = std::min<int32_t>(list.count, int32_t(list.names.size()));
    for (int32_t m = 0; m < kBrowserVisibleRows && int64_t(list.top) + m < count; ++m) {
        const int32_t n = list.top + m;
        const int32_t r = 507 - 12 * m;
        if (n == list.cursor && list.focused) drawCursorBand(ed, list.bandColumn, r);
        const std::string name = cutText(list.names[size_t(n)], 46, 42);
        drawText(cv, ed.fonts, name, list.x, r, 0);
        drawText(cv, ed.fonts, name, list.x - 1, r + 1, list.colour);
    }
}

void drawFileBrowser(Editor& ed) {
    const FileBrowserState& b = ed.pages.fileBrowser;
    const Canvas cv = canvasOf(ed);
    const std::string folder = cutText(shownPathText(b.browserFolder), 94, 90);
    drawText(cv, ed.fonts, folder, 49, 555, 0);
    drawText(cv, ed.fonts, folder, 48, 556, 68);

    const std::string folders =
        getMessage(kMsgFolderCount, ed.langs, std::to_string(b.browserFolderCount));
    drawText(cv, ed.fonts, folders, 25, 531, 0);
    drawText(cv, ed.fonts, folders, 24, 532, 20);
    drawBrowserList(ed, {b.browserFolders, b.browserFolderCount, b.browserFolderTop,
                         b.browserFolderCursor, b.browserFocus == 0, 25, 8, 20});

    const std::string files =
        getMessage(kMsgFileCount, ed.langs, std::to_string(b.browserFileCount));
    drawText(cv, ed.fonts, files, 425, 531, 0);
    drawText(cv, ed.fonts, files, 424, 532, 83);
    drawBrowserList(ed, {b.browserFiles, b.browserFileCount, b.browserFileTop,
                         b.browserFileCursor, b.browserFocus == 1, 425, 408, 83});

    drawListScrollBar(cv, ed.skin, kBrowserFilesBar, b.browserFileCount, b.browserFileTop,
                      ed.app.hoveredWidget);
    drawListScrollBar(cv, ed.skin, kBrowserFoldersBar, b.browserFolderCount, b.browserFolderTop,
                      ed.app.hoveredWidget);
}

}  // namespace

void drawBrowserPage(Editor& ed) {
    if (ed.app.currentPage == Page::DrivePicker) drawDriveList(ed);
    else if (ed.app.currentPage == Page::FileBrowser) drawFileBrowser(ed);
}

void typeAheadText(FileBrowserState& b, const std::string& typed) {
    if (!typed.empty()) fileDlgTypeAhead(b, uint8_t(upperCp1251(typed[0])));
}

void fileBrowserKeys(Editor& ed) {
    std::string typed;
    readTypedText(ed.input, typed);
    typeAheadText(ed.pages.fileBrowser, typed);
}

}  // namespace korvel
