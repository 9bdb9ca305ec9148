#include "views/GeneratorPreview.h"

#include "views/ToolPreview.h"

namespace korvel {

// Arrives with the generators; until then their tools show no grid and build nothing.
void buildGeneratorPreview(ToolPreviewFrame&) {}

}  // namespace korvel
