// The tool preview: every frame the overlay lists are rebuilt from the current tool, its points
// and the hit point.
#pragma once

namespace korvel {

struct Editor;

// Rebuilds the overlay lists for the current tool.
void buildToolPreview(Editor& ed);

}  // namespace korvel
