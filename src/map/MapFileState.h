// Which file the current map belongs to, the recently used map files and the autosave cycle.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace korvel {

constexpr int kRecentFileCount = 15;

struct MapFileState {
    std::string mapPath;   // full path of the current map file; empty for a new map
    std::string mapTitle;  // the file name part of mapPath, or message 325 for a new map
    int32_t mapLoadFailed = 0;
    // The status message about damage that the last load or merge found (a file cut short, a
    // count beyond capacity); 0 when the file was sound.
    int32_t mapLoadNotice = 0;
    // The low byte of the version of the last map file loaded (message 315 names it).
    int32_t mapVersionByte = 0;
    // After a save that failed once the new map was written whole: the file that holds it (the
    // old file is at its path as it was); "" otherwise.
    std::string keptNewFile;
    // Most recent first; an empty string is an unused slot. Kept in the configuration file.
    std::array<std::string, kRecentFileCount> recentFiles;
    int32_t nextAutoSaveNumber = 0;
    int32_t lastAutoSaveTime = 0;  // frameTime of the last autosave
    // What the last picture export left for its caller: 1 once the file was in place, else 0.
    int32_t auxResult = 0;
};

}  // namespace korvel
