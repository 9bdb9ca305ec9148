#include "ui/Menus.h"

#include "commands/CommandTable.h"

namespace korvel {

int32_t commandTextId(int32_t code) {
    const CommandRow* row = findMenuCommand(code);
    return row != nullptr ? row->caption : 0;
}

std::string commandShortcut(int32_t code) {
    const CommandRow* row = findMenuCommand(code);
    return row != nullptr ? std::string(row->shortcutLabel) : std::string();
}

// The menus arrive with their own change; until then menus.dat is not read.
void loadMenus(Editor&) {}

// Arrives with the menus; until then an open menu shows nothing.
void drawOpenMenu(Editor&) {}

}  // namespace korvel
