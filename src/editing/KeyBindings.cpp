#include "editing/KeyBindings.h"

#include "app/Editor.h"
#include "commands/PageCommands.h"
#include "pages/RecordEditor.h"

namespace korvel {

namespace {

// The pull-down menu that shows the drag kinds with their marks.
constexpr uint8_t kEditMenu = 2;

void selectMode(Editor& ed, SelectionMode mode) {
    ed.tool.selectionMode = mode;
    playSound(ed, "mode2");
    rebuildToolbar(ed);
}

void dragOrBooleanMode(Editor& ed, int32_t mode) {
    if (ed.tool.selectionMode == SelectionMode::BooleanTarget) {
        ed.tool.booleanMode = BooleanMode(mode);
    } else {
        ed.tool.dragKind = DragKind(mode);
        if (ed.menus.openMenu == kEditMenu) drawOpenMenu(ed);
    }
    playSound(ed, "mode3");
    rebuildToolbar(ed);
}

}  // namespace

void spritesModeKey(Editor& ed) {
    selectMode(ed, SelectionMode::Sprites);
}
void verticesModeKey(Editor& ed) {
    selectMode(ed, SelectionMode::Vertices);
}
void wallsModeKey(Editor& ed) {
    selectMode(ed, SelectionMode::Walls);
}
void sectorsModeKey(Editor& ed) {
    selectMode(ed, SelectionMode::Sectors);
}
void loopsModeKey(Editor& ed) {
    selectMode(ed, SelectionMode::Loops);
}
void spritesAndVerticesModeKey(Editor& ed) {
    selectMode(ed, SelectionMode::SpritesAndVertices);
}
void booleanTargetModeKey(Editor& ed) {
    selectMode(ed, SelectionMode::BooleanTarget);
}
void areaSettingsModeKey(Editor& ed) {
    selectMode(ed, SelectionMode::AreaSettings);
}

void dragOrBooleanMode0Key(Editor& ed) {
    dragOrBooleanMode(ed, 0);
}
void dragOrBooleanMode1Key(Editor& ed) {
    dragOrBooleanMode(ed, 1);
}
void dragOrBooleanMode2Key(Editor& ed) {
    dragOrBooleanMode(ed, 2);
}
void dragOrBooleanMode3Key(Editor& ed) {
    dragOrBooleanMode(ed, 3);
}
void booleanMode4Key(Editor& ed) {
    if (ed.tool.selectionMode != SelectionMode::BooleanTarget) return;
    ed.tool.booleanMode = BooleanMode::Rip;
    playSound(ed, "mode3");
    rebuildToolbar(ed);
}

void toggleSnapToGridFromKey(Editor& ed) {
    toggleSnapToGrid(ed, 0);
}

void openRecordEditorFromKey(Editor& ed) {
    openRecordEditor(ed, 0);
}

}  // namespace korvel
