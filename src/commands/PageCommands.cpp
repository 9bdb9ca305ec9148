#include "commands/PageCommands.h"

#include "app/Editor.h"

namespace korvel {

// These commands arrive with their own change; until then their keys do nothing.
void cancelAction(Editor&) {}
void openDocumentViewer(Editor&) {}
void openSettingsPage(Editor&) {}
void toggleMenuBar(Editor&) {}
void openDisplayOptionsPage(Editor&) {}
void enterWalkView(Editor&) {}
void enter3DView(Editor&) {}
void enterMapView(Editor&) {}
void openSearchPage(Editor&) {}
void openSparksPage(Editor&) {}
void openDriveList(Editor&) {}
void openSpriteArrayDialog(Editor&) {}
void openTilePicker(Editor&) {}
void toggleFullscreen(Editor&) {}
void toggleGrid(Editor&) {}
void toggleAreaSelectShape(Editor&) {}
void showPropertyBox(Editor&) {}
void gotoOtherWallSide(Editor&) {}
void navigateUp(Editor&) {}
void navigateDown(Editor&) {}
void navigatePrevious(Editor&) {}
void navigateNext(Editor&) {}
void noOpCommand(Editor&) {}
void toggleSnapToGrid(Editor&, int32_t) {}

namespace {

// The page change of the next frame paints the page's panel, which asks for its data.
void openListPage(Editor& ed, Page page) {
    ed.app.currentPage = page;
    ed.dispatch.areaSelectLatch = 0;
    playSound(ed, "mode1");
}

}  // namespace

void openReportPage(Editor& ed) {
    openListPage(ed, Page::ProblemList);
}

void openStatisticsPage(Editor& ed) {
    openListPage(ed, Page::Statistics);
}

}  // namespace korvel
