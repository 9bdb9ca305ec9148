#include "commands/PageStack.h"

#include "app/Editor.h"

namespace korvel {

namespace {

// The pages whose leaving empties the stack: the map views and the three report pages.
bool isBasePage(Page p) {
    return p == Page::PlanView || p == Page::SideView || p == Page::RecordEditor ||
           p == Page::ProblemList || p == Page::Statistics;
}

}  // namespace

void pushPage(Editor& ed) {
    AppState& a = ed.app;
    if (a.modeStackDepth < 0) a.modeStackDepth = 0;
    // Alternating two dialogs could otherwise push without end; the oldest entries are kept.
    if (a.modeStackDepth >= kModeStackSize) return;
    a.modeStack[size_t(a.modeStackDepth)] = a.previousPage;
    ++a.modeStackDepth;
}

void popPage(Editor& ed) {
    AppState& a = ed.app;
    if (a.modeStackDepth > kModeStackSize) a.modeStackDepth = kModeStackSize;
    if (a.modeStackDepth > 0) {
        --a.modeStackDepth;
        a.currentPage = a.modeStack[size_t(a.modeStackDepth)];
        a.redrawAfterModeChange = 1;
    } else if (a.currentPage != Page::PlanView) {
        a.modeStackDepth = 0;
        a.currentPage = Page::PlanView;
        a.redrawAfterModeChange = 1;
    }
}

void applyPagePushRule(Editor& ed) {
    AppState& a = ed.app;
    const Page left = a.previousPage;
    const Page entered = a.currentPage;
    bool push = a.redrawAfterModeChange == 0;
    if (isBasePage(left)) {
        a.modeStackDepth = 0;
        push = false;
    }
    if (left == entered) push = false;
    // The record editor and the tile picker return to the side view they were opened from.
    if (left == Page::SideView &&
        (entered == Page::RecordEditor || entered == Page::TilePicker))
        push = true;
    a.redrawAfterModeChange = 0;
    if (push) ed.calls.pushPage(ed);
}

}  // namespace korvel
