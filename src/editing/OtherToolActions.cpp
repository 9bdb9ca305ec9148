#include "editing/OtherToolActions.h"

#include "app/Editor.h"
#include "editing/GeneratorTools.h"
#include "editing/LightTools.h"

namespace korvel {

// The other tools, pages and the ending step arrive with their own change; until then a press
// there changes nothing.
void pressOtherTool(Editor& ed) {
    switch (ed.tool.currentTool) {
        case Tool::Reel:
        case Tool::Arch:
        case Tool::Sphere:
            pressGeneratorTool(ed);
            break;
        case Tool::PickLightSprites:
        case Tool::ShadeFromLight:
        case Tool::CastShadows:
            pressLightTool(ed);
            break;
        default:
            break;
    }
}
void pressViewBookmarksTool(Editor&) {}
void pressOnOtherPage(Editor&) {}
void endPrimaryAction(Editor&) {}

}  // namespace korvel
