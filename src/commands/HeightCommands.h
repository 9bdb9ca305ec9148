// The height keys: PgUp and PgDn with their Shift and Ctrl forms raise and lower sprites,
// floors and ceilings, and page through the lists of the list pages.
#pragma once

namespace korvel {

struct Editor;

void pageUpOrRaise(Editor& ed);
void pageDownOrLower(Editor& ed);
void raiseByKeyRepeat(Editor& ed);
void lowerByKeyRepeat(Editor& ed);
void raiseBy8192(Editor& ed);
void lowerBy8192(Editor& ed);

}  // namespace korvel
