#include "commands/CommandTargets.h"

#include <limits>

#include "app/Editor.h"
#include "app/EditorEvents.h"
#include "platform/VirtualKeys.h"

namespace korvel {

bool onPlanView(const Editor& ed) {
    return ed.app.currentPage == Page::PlanView;
}

bool onSideView(const Editor& ed) {
    return ed.app.currentPage == Page::SideView;
}

bool onMapPage(const Editor& ed) {
    return onPlanView(ed) || onSideView(ed);
}

int32_t wallSubject(const Editor& ed) {
    if (!onSideView(ed) || ed.view.sideViewSubjectKind != SideViewSubjectKind::Wall) return -1;
    return isWall(ed.map, ed.view.sideViewSubject) ? ed.view.sideViewSubject : -1;
}

int32_t hoveredSprite(const Editor& ed) {
    return isSprite(ed.map, ed.hover.hoveredSprite) ? ed.hover.hoveredSprite : -1;
}

int32_t hoveredSector(const Editor& ed) {
    return isSector(ed.map, ed.hover.hoveredSector) ? ed.hover.hoveredSector : -1;
}

int32_t hoveredWall(const Editor& ed) {
    return isWall(ed.map, ed.hover.hoveredWall) ? ed.hover.hoveredWall : -1;
}

bool viewSide(const Editor& ed) {
    return ed.settings.ceilingView != 0;
}

bool pointedSide(const Editor& ed) {
    if (onSideView(ed)) return ed.hover.sideHoverPart != 1;
    return viewSide(ed);
}

SectorSide wallSubjectSector(const Editor& ed) {
    const int32_t w = wallSubject(ed);
    const uint8_t part = ed.hover.sideHoverPart;
    if (w < 0 || part < 1 || part > 4) return {};
    const MapStore& map = ed.map;
    const int32_t s = part <= 2 ? map.wallSector[size_t(w)] : map.walls[size_t(w)].nextsector;
    if (!isSector(map, s)) return {};
    return {s, part % 2 == 0};
}

int32_t wallTwin(const MapStore& map, int32_t w) {
    if (!isWall(map, w)) return -1;
    const int32_t t = map.walls[size_t(w)].nextwall;
    return isWall(map, t) && t != w ? t : -1;
}

CommandTarget findTarget(const Editor& ed, std::initializer_list<TargetKind> order,
                         SideRule selectedSide, SideRule hoveredSide) {
    const MapStore& map = ed.map;
    const auto side = [&](SideRule r) {
        return r == SideRule::View ? viewSide(ed) : pointedSide(ed);
    };
    for (const TargetKind k : order) {
        switch (k) {
            case TargetKind::SelectedSprites:
                if (map.selectedSpriteCount > 0) return {k, -1, false};
                break;
            case TargetKind::SelectedSectors:
                if (map.selectedSectorCount > 0) return {k, -1, side(selectedSide)};
                break;
            case TargetKind::HoveredSprite:
                if (hoveredSprite(ed) >= 0) return {k, hoveredSprite(ed), false};
                break;
            case TargetKind::HoveredSector:
                if (hoveredSector(ed) >= 0) return {k, hoveredSector(ed), side(hoveredSide)};
                break;
            case TargetKind::SubjectSector:
                if (const SectorSide s = wallSubjectSector(ed); s.found())
                    return {k, s.sector, s.ceiling};
                break;
            case TargetKind::SelectedWalls:
                if (map.selectedWallCount > 0) return {k, -1, false};
                break;
            case TargetKind::HoveredWall:
                if (hoveredWall(ed) >= 0) return {k, hoveredWall(ed), false};
                break;
            case TargetKind::SubjectWall:
                if (wallSubject(ed) >= 0) return {k, wallSubject(ed), false};
                break;
            case TargetKind::None:
                break;
        }
    }
    return {};
}

CommandEdit::CommandEdit(Editor& ed, EditUndo undo) : edit_(ed.map, ed.undo, ed.events, undo) {}

void report(Editor& ed, int32_t message, std::vector<std::string> args, int32_t count) {
    ed.app.statusText = messageText(ed, {message, std::move(args), count});
}

void cueCommand(Editor& ed) {
    playSound(ed, "command");
}

std::string num(int64_t v) {
    return std::to_string(v);
}

bool keyHeld(const Editor& ed, int32_t key) {
    return key >= 0 && key < 256 && ed.input.keyStates[size_t(key)] < 0;
}

int32_t repeatStep(const Editor& ed, int32_t key) {
    const int32_t n = ed.input.keyRepeatCount[size_t(key & 255)];
    return n < 0 ? 1 : saturate32(int64_t(n) + 1);
}

int32_t heightStep(const Editor& ed) {
    if (keyHeld(ed, vk::Home)) return 128;
    if (keyHeld(ed, vk::End)) return 16;
    return 1024;
}

void startTool(Editor& ed, Tool tool, int32_t target) {
    ed.tool.currentTool = tool;
    ed.app.helpPopupStep = 0;
    ed.app.helpTopic = int32_t(tool) + 1;
    if (target != -1) ed.tool.toolTargetSector = target;
}

void endTool(Editor& ed) {
    ed.tool.currentTool = Tool::Idle;
    ed.app.helpPopupStep = -1;
}

int32_t saturate32(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return int32_t(v);
}

bool areaBeingDragged(const Editor& ed) {
    const DispatchState& d = ed.dispatch;
    if (!d.areaSelectLatch) return false;
    const HoverState& h = ed.hover;
    if (ed.app.currentPage == Page::SideView)
        return d.areaAnchorX != h.sideHitPos || d.areaAnchorY != h.hitPointZ;
    return d.areaAnchorX != h.hitPointX || d.areaAnchorY != h.hitPointY;
}

}  // namespace korvel
