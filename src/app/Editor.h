// The editor object: the one owner of all program state, an aggregate of component structs,
// each owning one area. Procedures take the components they need by reference.
#pragma once

namespace korvel {

struct Editor {
};

}  // namespace korvel
