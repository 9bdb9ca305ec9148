// The attribute clipboard and the Enter and Tab keys: confirming pages, copying and pasting
// surface attributes.
#pragma once

namespace korvel {

struct Editor;

void confirmOrPasteAttributes(Editor& ed);
void pasteTextureOnly(Editor& ed);
void nextFieldOrCopyAttributes(Editor& ed);
void copyTextureOnly(Editor& ed);
void togglePasteSlope(Editor& ed);

}  // namespace korvel
