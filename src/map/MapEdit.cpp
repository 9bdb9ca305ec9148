#include "map/MapEdit.h"

#include <cassert>

namespace korvel {

MapEdit::MapEdit(MapStore& map, UndoSnapshot& undo, MapEvents& events, EditUndo undoStep)
    : map_(map), undo_(undo), relay_(events), undoStep_(undoStep) {
    assert(!undo.editOpen && "one edit at a time");
    undo_.editOpen = true;
    noteRecordExtent(map_);
    undo_.spare() = map_;
}

MapEdit::~MapEdit() {
    if (open_) rollback();
}

void MapEdit::close() {
    open_ = false;
    undo_.editOpen = false;
}

void MapEdit::commit() {
    if (!open_) return;
    close();
    map_.mapModified = MapModifiedState::Modified;
    if (undoStep_ == EditUndo::Snapshot) {
        undo_.held = 1 - undo_.held;
        map_.undoState = UndoState::Snapshot;
    }
    if (relay_.renumbered) relay_.to.objectsRenumbered();
}

void MapEdit::rollback() {
    if (!open_) return;
    close();
    MapContent& kept = undo_.spare();
    forEachObjectTable([&](auto table, TableRole, const char*) { swap(map_.*table, kept.*table); });
    static_cast<MapScalars&>(map_) = kept;
}

bool MapEdit::finish(bool ok) {
    if (ok)
        commit();
    else
        rollback();
    return ok;
}

}  // namespace korvel
