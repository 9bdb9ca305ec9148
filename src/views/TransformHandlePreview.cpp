#include "views/TransformHandlePreview.h"

#include "views/ToolPreview.h"

namespace korvel {

// Arrives with the transform tools; until then their handles are not shown.
void buildTransformHandlePreview(ToolPreviewFrame&) {}

}  // namespace korvel
