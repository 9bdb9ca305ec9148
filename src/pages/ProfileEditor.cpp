#include "pages/ProfileEditor.h"

#include <algorithm>

#include "app/Editor.h"
#include "app/Sound.h"
#include "commands/PageStack.h"
#include "pages/PageButtons.h"

namespace korvel {

// A new segment is appended and selected; a full profile takes no more.
void addProfileSegment(Editor& ed) {
    ProfileEditorState& p = ed.pages.profileEditor;
    const int32_t count = std::clamp(p.contourCount, 0, kContourCapacity);
    if (count >= kContourCapacity) return;
    p.contour[size_t(count)] = {-256, 8192, -8192, 256, 8192, -8192};
    p.contourCount = count + 1;
    p.contourSelected = count;
}

// Removes the selected segment; with none selected nothing changes.
void deleteProfileSegment(Editor& ed) {
    ProfileEditorState& p = ed.pages.profileEditor;
    const int32_t count = std::clamp(p.contourCount, 0, kContourCapacity);
    const int32_t s = p.contourSelected;
    if (s < 0 || s >= count) return;
    std::copy(p.contour.begin() + s + 1, p.contour.begin() + count, p.contour.begin() + s);
    p.contourCount = count - 1;
    if (p.contourSelected >= p.contourCount) p.contourSelected = p.contourCount - 1;
}

void clearProfile(Editor& ed) {
    ed.pages.profileEditor.contourCount = 0;
    ed.pages.profileEditor.contourSelected = -1;
}

// The start button: the page closes and the sweep or, for the turning kind, the revolve tool
// waits for its first point.
void startProfileTool(Editor& ed) {
    popPage(ed);
    playSound(ed, "command");
    const bool revolve = ed.pages.profileEditor.profileToolKind == 1;
    ed.tool.currentTool = revolve ? Tool::ProfileRevolve : Tool::ProfileSweep;
    ed.app.helpTopic = revolve ? 35 : 34;
    ed.events.statusMessage(revolve ? 1192 : 1191, {}, 0);
    ed.drawVertices.toolPointCount = 0;
    ed.app.helpPopupStep = 0;
}

}  // namespace korvel
