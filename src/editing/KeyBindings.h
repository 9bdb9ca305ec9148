// What the keys do themselves rather than through a command of their own: the selection-mode,
// drag-kind and boolean-mode keys, and the forms of commands the keys call with fixed
// arguments. Each is a handler of the command table.
#pragma once

namespace korvel {

struct Editor;

// F2 to F7: the selection modes Sprites to SpritesAndVertices; Ctrl+F8 the boolean target; Alt+F8
// the area settings. Each plays "mode2" and rebuilds the toolbar.
void spritesModeKey(Editor& ed);
void verticesModeKey(Editor& ed);
void wallsModeKey(Editor& ed);
void sectorsModeKey(Editor& ed);
void loopsModeKey(Editor& ed);
void spritesAndVerticesModeKey(Editor& ed);
void booleanTargetModeKey(Editor& ed);
void areaSettingsModeKey(Editor& ed);
// Ctrl+F1 to Ctrl+F4: the drag kind, or in the boolean-target mode the boolean mode; Ctrl+F5 the
// fifth boolean mode, in that mode only. "mode3" and a rebuilt toolbar.
void dragOrBooleanMode0Key(Editor& ed);
void dragOrBooleanMode1Key(Editor& ed);
void dragOrBooleanMode2Key(Editor& ed);
void dragOrBooleanMode3Key(Editor& ed);
void booleanMode4Key(Editor& ed);

// L toggles snapping only where snapping applies; E and the mouse's second extra button open
// the record editor unforced.
void toggleSnapToGridFromKey(Editor& ed);
void openRecordEditorFromKey(Editor& ed);

}  // namespace korvel
