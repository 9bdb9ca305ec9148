#include "map/MapEdit.h"

namespace korvel {

MapEdit::MapEdit(MapStore& map, UndoSnapshot& undo, MapEvents& events, EditUndo undoStep)
    : map_(map), undo_(undo), relay_(events), undoStep_(undoStep) {
    if (undo_.editOpen) {
        noteRecordExtent(map_);
        nestedCopy_ = std::make_unique<MapContent>(map_);
        return;
    }
    undo_.editOpen = true;
    noteRecordExtent(map_);
    undo_.spare() = map_;
}

MapEdit::~MapEdit() {
    if (open_) rollback();
}

void MapEdit::close() {
    open_ = false;
    if (!nestedCopy_) undo_.editOpen = false;
}

void MapEdit::commit() {
    if (!open_) return;
    close();
    map_.mapModified = MapModifiedState::Modified;
    const bool snapshot = undoStep_ != EditUndo::None;
    if (nestedCopy_) {
        // The outer edit makes its spare the snapshot when it commits.
        if (snapshot) undo_.spare() = *nestedCopy_;
        if (undoStep_ == EditUndo::SnapshotMarkedModified)
            undo_.spare().mapModified = MapModifiedState::Modified;
        if (relay_.renumbered) relay_.to.objectsRenumbered();
        return;
    }
    if (undoStep_ == EditUndo::SnapshotMarkedModified)
        undo_.spare().mapModified = MapModifiedState::Modified;
    if (snapshot) {
        undo_.held = 1 - undo_.held;
        map_.undoState = UndoState::Snapshot;
    }
    if (relay_.renumbered) relay_.to.objectsRenumbered();
}

void MapEdit::rollback() {
    if (!open_) return;
    close();
    MapContent& kept = nestedCopy_ ? *nestedCopy_ : undo_.spare();
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
