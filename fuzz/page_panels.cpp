// The page panels and the page mouse read the editor's state as it stands, whatever the map, a
// language or a script left in it. Bytes choose the page, the state and frames of the pointer
// and the button; both entry points must run without a fault, keep the background inside its
// map rows (the guard bands stay) and leave every list position where it can be drawn from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "FuzzReader.h"
#include "app/Editor.h"
#include "pages/MessageBox.h"
#include "pages/ModePanel.h"
#include "pages/PanelMouse.h"

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto owner = [] {
        auto ed = std::make_unique<Editor>();
        // The work other parts do is not what this target looks at.
        ed->calls.build3dView = [](Editor&) {};
        ed->calls.renderHelpTopic = [](Editor&) {};
        ed->calls.loadHelpFile = [](Editor&) {};
        ed->calls.drawScriptText = [](Editor&) {};
        ed->calls.redrawDocumentPage = [](Editor&) {};
        ed->calls.update3dPick = [](Editor&) {};
        ed->calls.onPageChanged = [](Editor&) {};
        ed->calls.playSound = [](Editor&, const std::string&, int32_t) {};
        ed->operations.initSparks = [](Editor&) {};
        return ed;
    }();
    Editor& ed = *owner;
    FuzzReader in{data, size};
    const uint8_t pages[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
                             16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 255, 200};
    ed.app.currentPage = Page(pages[in.get<uint8_t>() % sizeof(pages)]);
    ed.app.previousPage = Page(in.get<int32_t>());
    ed.app.hoveredWidget = in.get<int32_t>();
    ed.app.focusedField = in.get<int32_t>();
    ed.app.dragStartMouseY = in.get<int32_t>();
    ed.dispatch.panelDragMouseX = in.get<int32_t>();
    ed.dispatch.shiftHeld = in.get<uint8_t>() & 1;
    ed.prompt.targetSprite = in.get<int32_t>();
    ed.prompt.targetSector = in.get<int32_t>();
    ed.prompt.targetWall = in.get<int32_t>();
    ed.map.spriteCount = in.get<int32_t>();
    ed.pages.recordEditor.recordEditorSubject = in.get<uint8_t>();
    ed.pages.recordEditor.statPanelShowsFloor = in.get<uint8_t>();
    ed.pages.search.searchObjectKind = in.get<uint8_t>();
    ed.pages.arrayTool.arrayPattern = in.get<uint8_t>();
    ed.pages.wallLighting.lightDirectional = in.get<uint8_t>();
    ed.pages.view3d.view3dState = in.get<uint8_t>();
    ed.pages.fileBrowser.browserPurpose = FileBrowserPurpose(in.get<uint8_t>());
    ed.pages.profileEditor.profilePanX = in.get<int32_t>();
    ed.pages.profileEditor.profilePanY = in.get<int32_t>();
    ed.pages.colorSchemeEditor.colorEditorTop = in.get<int32_t>();
    ed.pages.colorSchemeEditor.colorEditorSelected = in.get<int32_t>();
    ed.pages.messageBox.messageBoxKind = MessageBoxKind(in.get<int32_t>());
    ed.pages.messageBox.messageBoxStep = in.get<int32_t>();
    ed.pages.scriptEditor.scriptTopLine = in.get<int32_t>();
    ed.pages.scriptEditor.scriptLineCount = in.get<int32_t>();
    ed.pages.scriptEditor.scriptListTop = in.get<int32_t>();
    ed.pages.scriptEditor.scriptCount = in.get<int32_t>();
    ed.langs.languageListTop = in.get<int32_t>();
    ed.help.documentHeight = in.get<int32_t>();
    ed.help.documentScroll = in.get<int32_t>();
    ed.help.modePanelDirty = in.get<uint8_t>();
    for (int32_t& v : ed.pages.arrayTool.arraySteps) v = in.get<int32_t>();
    for (int32_t& v : ed.pages.recordEditor.propertyValues) v = in.get<int32_t>();

    std::fill(ed.frameBuffer.background.begin(), ed.frameBuffer.background.end(), 0xA5);
    drawModePanel(ed);
    for (size_t i = 0; i < size_t(128) * 800; ++i)
        if (ed.frameBuffer.background[i] != 0xA5) std::abort();
    for (size_t i = size_t(584) * 800; i < ed.frameBuffer.background.size(); ++i)
        if (ed.frameBuffer.background[i] != 0xA5) std::abort();

    for (int32_t frame = 0; frame < 8 && !in.done(); ++frame) {
        InputState& input = ed.input;
        input.keyStates[257] = input.keyStates[1];
        const uint8_t buttons = in.get<uint8_t>();
        input.keyStates[1] = (buttons & 1) ? -128 : 0;
        input.keyPressed[1] = (buttons >> 1) & 1;
        input.mouseX = in.get<int16_t>();
        input.mouseY = in.get<int16_t>();
        ed.menus.menuHasMouse = (buttons >> 2) & 1;
        processPanelMouse(ed);
        const int32_t pan = ed.pages.profileEditor.profilePanX;
        if (ed.app.currentPage == Page::ProfileEditor && (pan < -2048 || pan > 2048)) std::abort();
    }
    return 0;
}
