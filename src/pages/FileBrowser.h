// The file browser page, the editor's own file dialog, which shares its painter with the drive
// list page: a list of the current folder's subfolders and a list of its files that match the
// pattern of what the dialog was opened for, each with a cursor and a 32-row window, filled from
// the file system; type-ahead and scrolling of the lists.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/PathNames.h"

namespace korvel {

class FileSystem;
struct Editor;

enum class FileBrowserPurpose : uint8_t { OpenMap = 0, MergeMap = 1, PlayDemo = 2 };

constexpr int32_t kBrowserListCapacity = 1024;
constexpr int32_t kBrowserVisibleRows = 32;

struct FileBrowserState {
    std::string browserFolder;  // the folder shown
    FileBrowserPurpose browserPurpose = FileBrowserPurpose::OpenMap;
    // ".." first unless the folder is a root, then the subfolder names, as shown (a character
    // Windows-1251 lacks is a '?').
    std::vector<std::string> browserFolders = std::vector<std::string>(kBrowserListCapacity);
    int32_t browserFolderCount = 0;
    std::vector<std::string> browserFiles = std::vector<std::string>(kBrowserListCapacity);
    // Beside each shown name the name the system gave, in path text (base/Cp1251.h): what a
    // folder is entered and a file opened by.
    std::vector<std::string> browserFolderNames = std::vector<std::string>(kBrowserListCapacity);
    std::vector<std::string> browserFileNames = std::vector<std::string>(kBrowserListCapacity);
    int32_t browserFileCount = 0;
    int32_t browserFolderTop = 0, browserFileTop = 0;        // first visible rows
    int32_t browserFolderCursor = 0, browserFileCursor = 0;  // selected rows
    uint8_t browserFocus = 0;                                // 0 folders, 1 files
    // The drive list: per letter A..Z 0 no folder, 1 it can be listed, 2 it cannot; the
    // highlighted letter.
    std::array<uint8_t, 26> driveAvailable{};
    int32_t driveCursor = 2;
};

// "*.kvd" for demos, "*.map" otherwise.
const char* fileDialogPattern(FileBrowserPurpose purpose);
// Whether the folder has no parent: "/" (any run of separators) or a drive root such as "C:\".
bool isRootFolder(const std::string& folder);

// Moves the drive cursor to the next present drive in the direction (+1 towards Z, -1 towards
// A); stays when there is none.
void stepDriveCursor(FileBrowserState& browser, int32_t direction);

// Refills both lists for the folder and purpose and puts both cursors and windows at the top.
// A folder that does not exist is replaced by the program's folder first. The kept names,
// joined to the folder, open the file again; the shown ones may not. Each list keeps its first
// 1024 entries.
void fillFileDialogLists(FileBrowserState& browser, FileSystem& fs,
                         const std::string& programFolder);

// Moves the cursor of the focused list to the next entry after it (wrapping) whose first
// letter, in upper case, is `key`, and scrolls to show it at the top where the list allows.
void fileDlgTypeAhead(FileBrowserState& browser, uint8_t key);

// Make a list's window follow its cursor.
void fileDlgScrollFolders(FileBrowserState& browser);
void fileDlgScrollFiles(FileBrowserState& browser);

// The first character of the text typed this frame, in upper case, to fileDlgTypeAhead; nothing
// typed, nothing moves.
void typeAheadText(FileBrowserState& browser, const std::string& typed);

// The path of the file under the file cursor, and the folder the folder cursor enters (the
// parent for ".."); empty when the cursor is outside its list.
std::string browserFilePath(const FileBrowserState& browser);
std::string browserFolderTarget(const FileBrowserState& browser);

// Painter of the file browser and of the drive list page.
void drawBrowserPage(Editor& ed);
// The page's typed keys: the first letter typed this frame moves the focused list's cursor.
void fileBrowserKeys(Editor& ed);

}  // namespace korvel
