#include "geometry/MapMerge.h"

#include "geometry/ClipboardPaste.h"

namespace korvel {

MapLoadResult insertMapFile(MapStore& map, MapClipboard& clip, UndoSnapshot& undo,
                            MapFileState& file, const ViewState& view, FileSystem& fs,
                            MapEvents& events, const std::string& path) {
    MapLoadResult result = readMapFileIntoClipboard(map, clip, file, fs, events, path);
    if (!result.loaded) return result;
    saveUndo(map, undo);
    pasteClipboardInPlace(map, clip, view, events);
    file.mapLoadFailed = 0;
    file.mapLoadNotice = result.noticeMessage();
    return result;
}

}  // namespace korvel
