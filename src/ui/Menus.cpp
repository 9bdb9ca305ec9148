#include "ui/Menus.h"

namespace korvel {

// The menus arrive with their own change; until then menus.dat is not read.
void loadMenus(Editor&) {}

// Arrives with the menus; until then an open menu shows nothing.
void drawOpenMenu(Editor&) {}

}  // namespace korvel
