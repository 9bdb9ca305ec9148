// The keyboard dispatcher: the key commands of every page.
#pragma once

namespace korvel {

struct Editor;

// Every frame no value prompt is open: the commands whose key chords were pressed, tried in the
// order of the command table.
void processKeys(Editor& ed);

}  // namespace korvel
