// The hidden state of every sector, wall and sprite, recomputed every frame from the sectors the
// user hid and from the height filter, so the tables never have to follow renumbering.
#pragma once

namespace korvel {

struct MapStore;
struct Settings;

// Walls are never hidden by the user: each wall's state follows its sector and, for a two-sided
// wall, the sector behind it (hidden only when both are). Sectors and sprites the user hid stay
// hidden; the others are shown or filtered out by zRangeMode, zRangeLow and zRangeHigh (both
// bounds inside the range). An index in a record that names no object counts as no object.
void updateHiddenStates(MapStore& map, const Settings& settings);

}  // namespace korvel
