// The map-file operations as the rest of the program calls them: with the whole editor, so they
// can report in the status line, the window caption and the message box.
#pragma once

#include <string>

namespace korvel {

struct Editor;

// Replaces the map by a file (silent: the recent list is left alone). mapLoadFailed tells
// whether it happened; a file that was damaged but loaded says so in the status line.
void loadMap(Editor& ed, const std::string& path, bool silent);
// Writes the map to a path (autosave mode keeps path, title and recent list); true when saved.
bool saveMap(Editor& ed, const std::string& path, bool autosaveMode);
// The status line after a failed save: the file that keeps the new version, when there is one.
void reportSaveFailure(Editor& ed);
// Adds the whole content of another map file to the map.
void insertMapFile(Editor& ed, const std::string& path);
// Saves to the map's own file, or asks for a name when it has none.
// Makes an empty new map and puts the plan view at its centre at the first zoom.
void resetMap(Editor& ed);
void saveCurrentMap(Editor& ed);
void promptSaveMapAs(Editor& ed);
// Writes the next autosave file; the frame loop calls it when one is due.
void autoSave(Editor& ed);
void loadLatestAutoSave(Editor& ed);
// Ctrl+S: saves a modified map and celebrates a saved file.
void saveMapFromKey(Editor& ed);

// The status line after an open: could not load, loaded with its version, or what damage the
// file showed.
void reportMapLoad(Editor& ed);

}  // namespace korvel
