// The keys that open the value prompt on a tag, palette, shade or visibility of the
// selection or of what lies under the pointer.
#pragma once

namespace korvel {

struct Editor;

void promptSectorLotag(Editor& ed);
void promptSectorHitag(Editor& ed);
void promptSectorPalette(Editor& ed);
void promptSectorShade(Editor& ed);
void promptVisibility(Editor& ed);
void promptLotag(Editor& ed);
void promptHitag(Editor& ed);
void promptPalette(Editor& ed);
void promptShade(Editor& ed);

}  // namespace korvel
