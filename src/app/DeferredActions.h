// Deferred actions: work a command leaves for the start of the next frame, so that the frame in
// which it was given shows the busy cursor.
#pragma once

namespace korvel {

struct Editor;

// Performs and clears the pending deferredAction.
void runDeferredAction(Editor& ed);

}  // namespace korvel
