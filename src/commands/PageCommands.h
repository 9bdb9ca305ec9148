// Page and view keys: leaving pages, opening the dialog pages, the map, side and 3D views,
// full screen, snapping, the grid, the area shape, the property box and list navigation.
#pragma once

#include "commands/SideViewCommands.h"  // enterSideView

#include <cstdint>

namespace korvel {

struct Editor;

void cancelAction(Editor& ed);
void openDocumentViewer(Editor& ed);
void openSettingsPage(Editor& ed);
void toggleMenuBar(Editor& ed);
void openDisplayOptionsPage(Editor& ed);
void enterWalkView(Editor& ed);
void enter3DView(Editor& ed);
void enterMapView(Editor& ed);
void openSearchPage(Editor& ed);
void openReportPage(Editor& ed);
void openStatisticsPage(Editor& ed);
void openSparksPage(Editor& ed);
void openDriveList(Editor& ed);
void openSpriteArrayDialog(Editor& ed);
void openTilePicker(Editor& ed);
void toggleFullscreen(Editor& ed);
void toggleGrid(Editor& ed);
void toggleAreaSelectShape(Editor& ed);
void showPropertyBox(Editor& ed);
void gotoOtherWallSide(Editor& ed);
void navigateUp(Editor& ed);
void navigateDown(Editor& ed);
void navigatePrevious(Editor& ed);
void navigateNext(Editor& ed);
void noOpCommand(Editor& ed);
// L: snapping to the grid on or off; forced, on any page (the menu forces it).
void toggleSnapToGrid(Editor& ed, int32_t force);
// Repaints the help viewer's page at its scroll position.
void redrawDocumentPage(Editor& ed);

}  // namespace korvel
