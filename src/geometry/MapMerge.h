// Merging a map file into the map being edited.
#pragma once

#include <string>

#include "base/FileSystem.h"
#include "map/MapClipboard.h"
#include "map/MapEvents.h"
#include "map/MapFile.h"
#include "map/MapFileState.h"
#include "map/MapStore.h"
#include "map/UndoSnapshot.h"

namespace korvel {

// Appends the whole content of the file to the map at its own coordinates, through the
// clipboard (whose content it replaces) and with an undo snapshot first. Nothing changes in the
// map when the file cannot be read or does not fit. Sets mapLoadFailed (1 when nothing was
// merged).
MapLoadResult insertMapFile(MapStore& map, MapClipboard& clip, UndoSnapshot& undo,
                            MapFileState& file, FileSystem& fs, MapEvents& events,
                            const std::string& path);

}  // namespace korvel
