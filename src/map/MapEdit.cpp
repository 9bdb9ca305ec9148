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
    if (relay_.renumbered) relay_.to_.objectsRenumbered();
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

void MapEdit::Relay::statusMessage(int32_t number, std::vector<std::string> args,
                                   int32_t count) {
    to_.statusMessage(number, std::move(args), count);
}

void MapEdit::Relay::bootLogMessage(int32_t number, uint8_t colour,
                                    std::vector<std::string> args, int32_t count) {
    to_.bootLogMessage(number, colour, std::move(args), count);
}

void MapEdit::Relay::playCue(const std::string& cue) {
    to_.playCue(cue);
}

void MapEdit::Relay::sparksAtPoint(int32_t x, int32_t y) {
    to_.sparksAtPoint(x, y);
}

void MapEdit::Relay::sparksAtSprite(int32_t x, int32_t y, int32_t z) {
    to_.sparksAtSprite(x, y, z);
}

void MapEdit::Relay::sparksAlongWall(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    to_.sparksAlongWall(x1, y1, x2, y2);
}

void MapEdit::Relay::progressBegin(int32_t total) {
    to_.progressBegin(total);
}

void MapEdit::Relay::progressStep() {
    to_.progressStep();
}

void MapEdit::Relay::progressEnd() {
    to_.progressEnd();
}

void MapEdit::Relay::undoRestored() {
    to_.undoRestored();
}

void MapEdit::Relay::newMapStarted() {
    to_.newMapStarted();
}

}  // namespace korvel
