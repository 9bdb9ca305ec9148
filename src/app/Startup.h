// The program's life: the splash hands over to the editor, whose load handler runs the start-up
// sequence, the frame loop until quitting is confirmed, and the shutdown; unloading gives the
// desktop's display mode back. Split so that tests run each part against a headless platform.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

class Platform;
struct Editor;

// Shows "Initializing Korvel..." in a small window, lets the window system draw it once and
// closes it.
void InitSplash(Platform& platform);

// What the command line asks for. "-sbs" (exact case, at the very start) logs step by step; then
// one path, without one pair of enclosing double quotes, whose last three letters in upper case
// say whether it is a game archive or a map.
struct CommandLineRequest {
    enum class Kind { None, Archive, Map };
    bool stepByStep = false;
    Kind kind = Kind::None;
    std::string path;
};
CommandLineRequest parseCommandLine(const std::string& text);

// The start-up sequence up to the state the frame loop begins in. False, after telling the user,
// when the start screen cannot be made; nothing else stops it.
bool startup(Editor& ed);
// After the loop: the exit transition (which writes the configuration) and the hook removed.
// Whether the configuration was written.
bool shutdown(Editor& ed);
// Start-up, frame loop and shutdown on the editor's platform. False when start-up failed.
bool Form_Load(Editor& ed);
// The desktop's display mode back when full screen was used; the window handlers removed.
void Form_Unload(Editor& ed);

// The steps of start-up that read the data folder and the game's files, as the editor calls them.
bool loadStartScreen(Editor& ed);
void seedRandom(Editor& ed);
void showEditorWindow(Editor& ed);
void loadFontSheets(Editor& ed);
void logLine(Editor& ed, const std::string& text, uint8_t colour);
void loadLanguages(Editor& ed);
void loadSkin(Editor& ed);
void loadGlyphWidths(Editor& ed);
bool loadDisplayPalette(Editor& ed);
bool loadGamePalette(Editor& ed);
void loadArtTiles(Editor& ed);
void loadTileSets(Editor& ed);
void loadNamesAndSounds(Editor& ed);
void loadColorTables(Editor& ed, bool gamePaletteRead);
// Carries out the command line: archive path, map load, or the untitled map's title and caption.
void interpretCommandLine(Editor& ed, const std::string& text);

}  // namespace korvel
