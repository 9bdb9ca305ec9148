// The menu command dispatcher: what each pull-down menu item does.
#pragma once

namespace korvel {

struct Editor;

// Carries out the menu command in hoveredElement (768..868).
void runMenuCommand(Editor& ed);

}  // namespace korvel
