#include "app/EditorEvents.h"

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "base/MessageNumbers.h"
#include "views/DeletionSparks.h"
#include "view3d/View3dScene.h"
#include "views/SideView.h"

namespace korvel {

std::string messageText(const Editor& ed, const MessageRef& m) {
    auto arg = [&](size_t i) { return i < m.args.size() ? m.args[i] : std::string(); };
    if (m.args.size() >= 4)
        return getMessage4(m.number, ed.langs, arg(0), arg(1), arg(2), arg(3), m.count);
    return getMessage(m.number, ed.langs, arg(0), arg(1), arg(2), m.count);
}

void setMapCaption(Editor& ed) {
    if (ed.app.platform)
        ed.app.platform->setCaption(getMessage(kMsgWindowCaption, ed.langs, ed.mapFile.mapTitle));
}

void EditorMapEvents::statusMessage(int32_t number, std::vector<std::string> args, int32_t count) {
    ed_.app.statusText = messageText(ed_, {number, std::move(args), count});
}

void EditorMapEvents::bootLogMessage(int32_t number, uint8_t colour, std::vector<std::string> args,
                                     int32_t count) {
    ed_.calls.bootLog(ed_, messageText(ed_, {number, std::move(args), count}), colour);
}

void EditorMapEvents::playCue(const std::string& cue) {
    playSound(ed_, cue);
}

namespace {

void addSpark(Editor& ed, SparkPoint p) {
    addParticle(ed.particles, ed.random, ed.settings.showSparks != 0, p.x, p.y, 0);
}

void sparkBurst(Editor& ed, std::optional<SparkPoint> p) {
    if (!p) return;
    for (int i = 0; i < 6; ++i) addSpark(ed, *p);
}

}  // namespace

// A wall's point is placed on the plan view whatever page is shown.
void EditorMapEvents::sparksAtPoint(int32_t x, int32_t y) {
    sparkBurst(ed_, planSparkPoint(ed_.view, x, y));
}

// A sprite's sparks show on the map view the page shows, and on no other page.
void EditorMapEvents::sparksAtSprite(int32_t x, int32_t y, int32_t z) {
    switch (ed_.app.currentPage) {
        case Page::PlanView:
            sparkBurst(ed_, planSparkPoint(ed_.view, x, y));
            break;
        case Page::SideView:
            sparkBurst(ed_, sideSparkPoint(ed_.view, x, y, z));
            break;
        default:
            break;
    }
}

void EditorMapEvents::sparksAlongWall(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    forEachWallSpark(ed_.view, x1, y1, x2, y2, [this](SparkPoint p) { addSpark(ed_, p); });
}

void EditorMapEvents::progressBegin(int32_t total) {
    if (!ed_.app.platform) return;
    ed_.bootLogState.progressShown = 1;
    ed_.bootLogState.progressTotal = total;
    drawProgressFrame(ed_.bootLogState, canvasOf(ed_), *ed_.app.platform);
}

void EditorMapEvents::progressStep() {
    if (!ed_.app.platform) return;
    ++ed_.bootLogState.progressDone;
    updateProgressBar(ed_.bootLogState, canvasOf(ed_), *ed_.app.platform);
}

void EditorMapEvents::progressEnd() {
    ed_.bootLogState.progressShown = 0;
}

void EditorMapEvents::objectsRenumbered() {
    ed_.app.objectsRenumbered = 1;
}

void EditorMapEvents::undoRestored() {
    if (ed_.app.currentPage == Page::SideView) buildSideViewSlices(ed_);
    if (ed_.app.currentPage == Page::View3D && ed_.pages.view3d.view3dState == 0) build3dView(ed_);
}

void EditorMapEvents::newMapStarted() {
    ed_.mapFile.mapPath.clear();
    ed_.mapFile.mapTitle = getMessage(kMsgUntitled, ed_.langs);
    setMapCaption(ed_);
}

}  // namespace korvel
