// The keyboard dispatcher: the key commands of every page.
#pragma once

namespace korvel {

struct Editor;

// Every frame no value prompt is open: the commands of the keys pressed.
void processKeys(Editor& ed);

}  // namespace korvel
