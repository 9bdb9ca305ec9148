#include "pages/PagePainters.h"

namespace korvel {

// The pages arrive with their own changes; until then they show their background only.
void drawRecordEditor(Editor&) {}
void drawSpriteArrayDialog(Editor&) {}
void drawDocumentViewer(Editor&) {}
void drawTilePicker(Editor&) {}
void drawReelToolPage(Editor&) {}
void drawArchToolPage(Editor&) {}
void drawSphereToolPage(Editor&) {}
void drawProfileEditor(Editor&) {}
void stepSparks(Editor&) {}

}  // namespace korvel
