// Page changes: leaving one page and entering another (page stack, art, backdrop, panels).
#pragma once

namespace korvel {

struct Editor;

// Runs when currentPage differs from the previous frame's page, and to redraw a page's panel.
void onPageChanged(Editor& ed);

}  // namespace korvel
