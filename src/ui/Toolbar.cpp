#include "ui/Toolbar.h"

#include "app/Editor.h"

namespace korvel {

namespace {

// The record editor has a subject below this value.
constexpr uint8_t kNoRecordSubject = 6;

}  // namespace

bool toolbarContextHolds(const Editor& ed, int32_t context) {
    const Page page = ed.app.currentPage;
    const Pages& p = ed.pages;
    if (context >= 0 && context <= 7)
        return page == Page::PlanView && int32_t(ed.tool.selectionMode) == context;
    switch (context) {
        case 8:
            return page == Page::RecordEditor &&
                   p.recordEditor.recordEditorSubject < kNoRecordSubject;
        case 9:
            return page == Page::ArrayTool && p.arrayTool.arrayPattern == 1;
        case 10:
            return page == Page::FileBrowser;
        case 11:
            return page == Page::WallLighting && p.wallLighting.lightDirectional == 0;
        case 12:
            return page == Page::HelpViewer;
        case 13:
            return page == Page::ProfileEditor;
        case 14:
            return page == Page::SideView &&
                   ed.view.sideViewSubjectKind == SideViewSubjectKind::Wall;
        case 15:
            return page == Page::View3D && p.view3d.view3dState == 0;
        case kAlwaysShown:
            return true;
        default:
            return false;
    }
}

// The toolbar arrives with its own change; until then there are no buttons to rebuild.
void rebuildToolbar(Editor&) {}

// Arrives with the toolbar; until then nothing lies under the mouse.
void hitTestToolbarAndMenu(Editor&) {}

}  // namespace korvel
