#include "editing/DragCommit.h"

namespace korvel {

// Arrives with the drag commit; until then a release commits nothing.
void commitDrag(Editor&) {}

}  // namespace korvel
