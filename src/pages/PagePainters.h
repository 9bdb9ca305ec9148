// Painters of the dialog pages drawn by their own code each frame: record editor, array tool,
// document viewer, tile picker, the reel, arch and sphere set-ups, profile editor and sparks.
#pragma once

namespace korvel {

struct Editor;

void drawRecordEditor(Editor& ed);
void drawSpriteArrayDialog(Editor& ed);
void drawDocumentViewer(Editor& ed);
void drawTilePicker(Editor& ed);
void drawReelToolPage(Editor& ed);
void drawArchToolPage(Editor& ed);
void drawSphereToolPage(Editor& ed);
void drawProfileEditor(Editor& ed);
// One frame of the sparks page: moves and draws the sparks.
void stepSparks(Editor& ed);

}  // namespace korvel
