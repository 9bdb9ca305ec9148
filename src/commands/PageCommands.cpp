#include "commands/PageCommands.h"

#include "app/Editor.h"
#include "app/Sound.h"
#include "map/GeometryQueries.h"

namespace korvel {

// These commands arrive with their own change; until then their keys do nothing.
void cancelAction(Editor&) {}
void openDocumentViewer(Editor&) {}
void openSettingsPage(Editor&) {}
void toggleMenuBar(Editor&) {}
void openDisplayOptionsPage(Editor&) {}
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

// F11: the shaded plan picture, the camera at the map's start position.
void enterWalkView(Editor& ed) {
    View3DState& v = ed.pages.view3d;
    v.camX = ed.map.startX;
    v.camY = ed.map.startY;
    v.camZ = ed.map.startZ;
    v.camAngle = ed.map.startAngle;
    v.view3dValid = 0;
    v.view3dState = 1;
    ed.app.currentPage = Page::View3D;
    playSound(ed, "command");
}

// Alt+F11: the live view, the camera standing over the point under the cursor.
void enter3DView(Editor& ed) {
    View3DState& v = ed.pages.view3d;
    const int32_t s = ed.hover.hoveredSector;
    v.camX = ed.hover.hitPointX;
    v.camY = ed.hover.hitPointY;
    v.camZ = isSector(ed.map, s)
                 ? double(getTrueFloorZ(ed.map, ed.hover.hitPointX, ed.hover.hitPointY, s)) - 6144
                 : 0.0;
    v.camAngle = 0;
    v.view3dValid = 0;
    v.view3dState = 0;
    ed.dispatch.areaSelectLatch = 0;
    ed.app.currentPage = Page::View3D;
    playSound(ed, "command");
}

}  // namespace korvel
