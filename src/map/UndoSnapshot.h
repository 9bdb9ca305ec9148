// One level of undo: a copy of the whole map store with its selection and hidden state, taken
// by a command before it changes the map. After a clipboard swap, undo swaps back instead.
#pragma once

#include <array>
#include <cstdint>

#include "map/MapClipboard.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"
#include "map/Selection.h"

namespace korvel {

// Two copies of the map's content: the snapshot that undo brings back, and a spare that an open
// edit fills and that becomes the snapshot only when the edit commits, so a refused edit never
// overwrites the snapshot the user may still want.
struct UndoSnapshot {
    std::array<MapContent, 2> slots;
    int32_t held = 0;  // the slot holding the snapshot
    bool editOpen = false;

    MapContent& snapshot() { return slots[size_t(held)]; }
    const MapContent& snapshot() const { return slots[size_t(held)]; }
    MapContent& spare() { return slots[size_t(1 - held)]; }
};

// Copies the map into the snapshot at once; undo is then offered (undoState Snapshot). Commands
// take it through their MapEdit instead, which keeps the old one until the edit commits.
void saveUndo(MapStore& map, UndoSnapshot& undo);

// Undoes the last change: swaps the clipboard back after a swap, else puts the snapshot in
// place (by exchanging storage with it, which is then spent). The map's modified state follows
// what was saved since. Nothing to undo: nothing done.
void restoreUndo(MapStore& map, UndoSnapshot& undo, MapClipboard& clip, SelectionMode selectionMode,
                 MapEvents& events);

}  // namespace korvel
