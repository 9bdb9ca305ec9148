#include "support/DispatchRig.h"

#include <initializer_list>
#include <utility>

#include "app/InputSampling.h"
#include "editing/InputDispatcher.h"

namespace korvel::test {

DispatchRig::DispatchRig() : EditorRig("", false) {
    EditorCalls& c = ed->calls;
    for (const auto& [call, name] :
         std::initializer_list<std::pair<EditorCalls::Step*, const char*>>{
             {&c.releaseUiItem, "releaseUiItem"},
             {&c.quitCommand, "quitCommand"},
             {&c.releasePageButton, "releasePageButton"},
             {&c.editProfilePanel, "editProfilePanel"},
             {&c.hoverSideView, "hoverSideView"},
             {&c.hoverPlanView, "hoverPlanView"},
             {&c.updatePanelSubject, "updatePanelSubject"},
             {&c.pressInMap, "pressInMap"},
             {&c.drawOpenMenu, "drawOpenMenu"},
             {&c.pressPropertyBox, "pressPropertyBox"},
             {&c.runMenuCommand, "runMenuCommand"},
             {&c.dragToolHandles, "dragToolHandles"},
             {&c.dragHeightSlider, "dragHeightSlider"},
             {&c.dragWindowByTitle, "dragWindowByTitle"},
             {&c.buildToolPreview, "buildToolPreview"},
             {&c.commitDrag, "commitDrag"},
             {&c.stepViewMotion, "stepViewMotion"},
             {&c.typeIntoFocusedField, "typeIntoFocusedField"},
             {&c.selectByArea, "selectByArea"},
             {&c.valuePromptKeys, "valuePromptKeys"},
             {&c.stepViewGlide, "stepViewGlide"},
             {&c.rebuildToolbar, "rebuildToolbar"},
             {&c.popPage, "popPage"},
             {&c.saveCurrentMap, "saveCurrentMap"},
             {&c.resetMap, "resetMap"},
             {&c.openMapBrowser, "openMapBrowser"},
             {&c.restoreAutosave, "restoreAutosave"},
             {&c.startDemoRecording, "startDemoRecording"},
             {&c.deleteScript, "deleteScript"},
         })
        recordOnly(*call, trace, name);
    c.hitTestToolbarAndMenu = [this](Editor& e) {
        trace.push_back("hitTestToolbarAndMenu");
        e.toolbar.hoveredElement = hoverElement;
    };
    c.processPanelMouse = [this](Editor& e) {
        trace.push_back("processPanelMouse");
        if (onPanelMouse) onPanelMouse(e);
    };
    c.processKeys = [this](Editor& e) {
        trace.push_back("processKeys");
        if (onProcessKeys) onProcessKeys(e);
    };
    c.pressUiItem = [this](Editor&, int32_t slot) {
        trace.push_back("pressUiItem " + std::to_string(slot));
        return pressActs;
    };
    c.saveConfig = [this](Editor&) {
        trace.push_back("saveConfig");
        return configSaves;
    };
    c.readTypedText = [this](Editor&, std::string& text) {
        trace.push_back("readTypedText");
        text += typed;
    };
    c.valueFieldVisible = [this](Editor&, int32_t i) { return fieldVisible(i); };
    c.playSound = [this](Editor&, const std::string& cue, int32_t) {
        trace.push_back("cue " + cue);
    };
    ed->loop.loopStartTick = 0;
}

void DispatchRig::pointAt(int32_t x, int32_t y) {
    platform->setPointer(x, 599 - y);
}

Trace DispatchRig::frame() {
    trace.clear();
    sampleInput(*ed);
    processFrameInput(*ed);
    ed->app.previousPage = ed->app.currentPage;
    return trace;
}

}  // namespace korvel::test
