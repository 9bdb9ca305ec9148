#include "editing/UiItemActions.h"

#include "app/Editor.h"
#include "commands/CommandTable.h"

namespace korvel {

namespace {

const CommandRow* commandOfSlot(const Editor& ed, int32_t slot) {
    if (slot < 0 || slot >= kToolbarSlots) return nullptr;
    return findUiAction(ed.toolbar.toolbarButtons[size_t(slot)].code);
}

}  // namespace

bool pressUiItem(Editor& ed, int32_t slot) {
    const CommandRow* row = commandOfSlot(ed, slot);
    if (row == nullptr || row->uiTrigger != UiTrigger::Press || !row->hasHandler()) return false;
    if (commandApplies(*row, ed)) row->run(ed);
    return true;
}

void releaseUiItem(Editor& ed) {
    // Slot 0 did its work at the press.
    const int32_t slot = ed.app.hoveredWidget;
    if (slot < 1) return;
    if (slot > 255) return;
    // Only the codes of the release table act here.
    const int32_t code = ed.toolbar.toolbarButtons[size_t(slot)].code;
    if (code < 38 || code > 170) return;
    const CommandRow* row = commandOfSlot(ed, slot);
    if (row == nullptr || row->uiTrigger != UiTrigger::Release) return;
    if (commandApplies(*row, ed)) row->run(ed);
}

}  // namespace korvel
