#include "editing/MenuCommands.h"

#include "app/Editor.h"
#include "commands/CommandTable.h"

namespace korvel {

void runMenuCommand(Editor& ed) {
    const CommandRow* row = findMenuCommand(ed.toolbar.hoveredElement);
    if (row == nullptr || !row->hasHandler()) return;
    if (commandApplies(*row, ed)) row->run(ed);
    if (row->menuAfter == MenuAfter::Close) ed.menus.openMenu = 0;
}

}  // namespace korvel
