// What the single-key edits of the plan and side views share: their page gates, the objects they
// act on and in which order, the sector side they change, the wall's twin, the edit bracket that
// takes one undo snapshot per command, reporting, cues, the step sizes of held keys and tool
// starts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editing/Tool.h"
#include "map/MapEdit.h"

namespace korvel {

struct Editor;
struct MapStore;

// --- Page gates ---
bool onPlanView(const Editor& ed);
bool onSideView(const Editor& ed);
// The plan view or the side view.
bool onMapPage(const Editor& ed);
// The side view's wall subject when the view shows a wall that still exists, else -1.
int32_t wallSubject(const Editor& ed);

// --- Objects under the mouse; a stale index counts as none (-1) ---
int32_t hoveredSprite(const Editor& ed);
int32_t hoveredSector(const Editor& ed);
int32_t hoveredWall(const Editor& ed);

// --- Sides ---
// The view side: true for ceilings.
bool viewSide(const Editor& ed);
// The pointed side: the view side in the plan view; in the side view the floor while the mouse
// is nearer the hovered sector's floor line.
bool pointedSide(const Editor& ed);

// A sector and the side of it a command changes.
struct SectorSide {
    int32_t sector = -1;
    bool ceiling = false;
    bool found() const { return sector >= 0; }
};
// The wall-subject sector: the sector of the line the mouse names in the side view of a wall
// (parts 1 and 2 the wall's own sector, 3 and 4 the sector behind it; odd parts floors). None
// off the side view, without a wall subject, with part 0 or with a sector index out of range.
SectorSide wallSubjectSector(const Editor& ed);

// The wall's twin when it names a wall, else -1.
int32_t wallTwin(const MapStore& map, int32_t w);

// --- Targets ---
enum class TargetKind : uint8_t {
    None,
    SelectedSprites,
    SelectedSectors,
    HoveredSprite,
    HoveredSector,
    SubjectSector,
    SelectedWalls,
    HoveredWall,
    SubjectWall,
};

struct CommandTarget {
    TargetKind kind = TargetKind::None;
    int32_t index = -1;    // the single object's index
    bool ceiling = false;  // for sector targets: the side changed
    bool found() const { return kind != TargetKind::None; }
    bool single() const {
        return kind == TargetKind::HoveredSprite || kind == TargetKind::HoveredSector ||
               kind == TargetKind::SubjectSector || kind == TargetKind::HoveredWall ||
               kind == TargetKind::SubjectWall;
    }
};

// The first of the candidates, in the order given, that exists now. Sector candidates take the
// side from `selectedSide` (selected sectors) and `hoveredSide` (the hovered sector); the
// subject sector follows its part.
enum class SideRule : uint8_t { View, Pointed };
CommandTarget findTarget(const Editor& ed, std::initializer_list<TargetKind> order,
                         SideRule selectedSide = SideRule::Pointed,
                         SideRule hoveredSide = SideRule::Pointed);

// Calls fn(i) for every selected index in increasing order below count.
template <typename Flags, typename Fn>
void forEachSelected(const Flags& flags, int32_t count, Fn&& fn) {
    for (int32_t i = 0; i < count; ++i)
        if (flags[size_t(i)]) fn(i);
}

// The first-selected rule of a toggle: the new state of every selected object is the opposite
// of the first selected one's.
inline bool toggledFromFirst(bool firstSet) {
    return !firstSet;
}

// --- The edit ---
// The bracket of a map-changing command: one undo snapshot taken when it opens (after the
// target was found, before the first change); committing marks the map modified.
class CommandEdit {
public:
    explicit CommandEdit(Editor& ed, EditUndo undo = EditUndo::Snapshot);
    MapEvents& events() { return edit_.events(); }
    void commit() { edit_.commit(); }

private:
    MapEdit edit_;
};

// Whether the pointer has moved since Alt anchored an area selection: then Alt is making a
// selection, not a command.
bool areaBeingDragged(const Editor& ed);

// --- Reports and cues ---
void report(Editor& ed, int32_t message, std::vector<std::string> args = {}, int32_t count = 0);
void cueCommand(Editor& ed);
std::string num(int64_t v);
inline std::string bit(bool set) {
    return set ? "1" : "0";
}

// --- Held keys ---
bool keyHeld(const Editor& ed, int32_t key);
// The step of a key that accelerates while held: its auto-repeat count + 1.
int32_t repeatStep(const Editor& ed, int32_t key);
// PgUp and PgDn: 1024, 128 while Home is held, 16 while End is held (Home first).
int32_t heightStep(const Editor& ed);

// --- Tools ---
// Starts the tool: help topic the tool's number + 1, popup opening; target -1 keeps it.
void startTool(Editor& ed, Tool tool, int32_t target);
// Leaves the tool without cancelAction's other effects.
void endTool(Editor& ed);

// 32-bit saturation of a sum computed wider.
int32_t saturate32(int64_t v);

}  // namespace korvel
