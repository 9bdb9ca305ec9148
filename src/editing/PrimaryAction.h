// The primary action, hitSpace: Space on every page, the one constructor of new sectors on the
// plan view. By the current tool it starts or continues a polygon, builds a shape tool's
// previewed outline, or carries out one step of another tool.
#pragma once

namespace korvel {

struct Editor;

// One press at the hit point. On the plan view nothing happens while the tool's preview is
// degenerate.
void hitSpace(Editor& ed);
// Ctrl+Space and Shift+Space: the press with the modifiers held, on the plan view only.
void runToolAction(Editor& ed);

}  // namespace korvel
