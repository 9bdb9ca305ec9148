#include "ui/Menus.h"

namespace korvel {

// The menus arrive with their own change; until then menus.dat is not read.
void loadMenus(Editor&) {}

}  // namespace korvel
