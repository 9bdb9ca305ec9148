#include "geometry/MapMerge.h"

#include "geometry/ClipboardPaste.h"
#include "map/MapEdit.h"

namespace korvel {

MapLoadResult insertMapFile(MapStore& map, MapClipboard& clip, UndoSnapshot& undo,
                            MapFileState& file, FileSystem& fs, MapEvents& events,
                            const std::string& path) {
    MapLoadResult result = readMapFileIntoClipboard(map, clip, file, fs, events, path);
    if (!result.loaded) return result;
    MapEdit edit(map, undo, events, EditUndo::Snapshot);
    // The room was checked on reading, so the paste takes it all; should it refuse all the
    // same, the edit leaves the map and the earlier snapshot as they were.
    if (!edit.finish(pasteClipboardInPlace(map, clip, edit.events()))) {
        file.mapLoadFailed = 1;
        result.loaded = false;
        result.refused = true;
        return result;
    }
    file.mapLoadFailed = 0;
    file.mapLoadNotice = result.noticeMessage();
    return result;
}

}  // namespace korvel
