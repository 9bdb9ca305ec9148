// The search page: select the objects that match a template.
#pragma once

namespace korvel {

struct Editor;

// Painter of the search page.
void drawSearchPage(Editor& ed);

}  // namespace korvel
