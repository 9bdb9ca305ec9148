// The document viewer page: the help text, a page at a time.
#pragma once

namespace korvel {

struct Editor;

// Painter of the page.
void drawDocumentViewer(Editor& ed);

}  // namespace korvel
