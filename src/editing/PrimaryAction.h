// The primary action: what Space, and every operation that builds through the drawing tool,
// does with the hit point for the current page and tool.
#pragma once

namespace korvel {

struct Editor;

void hitSpace(Editor& ed);

}  // namespace korvel
