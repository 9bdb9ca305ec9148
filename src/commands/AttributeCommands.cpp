#include "commands/AttributeCommands.h"

namespace korvel {

// These commands arrive with their own change; until then their keys do nothing.
void confirmOrPasteAttributes(Editor&) {}
void pasteTextureOnly(Editor&) {}
void nextFieldOrCopyAttributes(Editor&) {}
void copyTextureOnly(Editor&) {}
void togglePasteSlope(Editor&) {}

}  // namespace korvel
