// The editor object: the one owner of all program state, an aggregate of component structs,
// each owning one area. Procedures take the components they need by reference.
#pragma once

#include "app/Particles.h"
#include "map/MapClipboard.h"
#include "map/MapStore.h"
#include "map/UndoSnapshot.h"
#include "map/ViewState.h"

namespace korvel {

struct Editor {
    MapStore map;
    UndoSnapshot undo;
    MapClipboard clipboard;
    ViewState view;
    Particles particles;
};

}  // namespace korvel
