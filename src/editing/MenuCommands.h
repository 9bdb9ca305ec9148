// The menu command dispatcher: what each pull-down menu item does.
#pragma once

namespace korvel {

struct Editor;

// Carries out the menu command in hoveredElement (768..868) by its row of the command table;
// commands close the open menu, toggles leave it open.
void runMenuCommand(Editor& ed);

}  // namespace korvel
