// The page table's panel column: which static panel each page paints, and what it hands it.
#pragma once

namespace korvel {

struct Editor;
struct PanelContext;

// Paints the current page's own panel (nothing for pages without one) and does the work its
// entry starts: the subject of the record editor, the report computations, the drive inventory,
// the spark picture, the 3D data, the help topic and the script text.
void drawPagePanel(Editor& ed, const PanelContext& pc);

}  // namespace korvel
