// The consistency rules every map operation keeps, checked on a whole map. Each violation comes
// back as one readable line, so a failing test says what broke where.
#pragma once

#include <string>
#include <vector>

#include "map/MapStore.h"

namespace korvel::test {

// Counts within capacity; wall ranges contiguous in sector order; closed rings through point2;
// nextwall/nextsector twins both ways with matching end points; wallSector; sprite sectors from
// -1 to sectorCount - 1; selection counts equal to the set flags, and no flag set above a count.
std::vector<std::string> checkMapInvariants(const MapStore& map);

// The violations as one text, for test messages.
std::string describeViolations(const std::vector<std::string>& violations);

// What differs between two maps in everything the undo snapshot covers (counts, all records,
// the selection and hidden-state arrays, the selection counts, the modified state); empty when
// they are byte for byte the same.
std::string snapshotDifference(const MapStore& a, const MapStore& b);

// The same, over the map's records and counts only (what a clipboard swap exchanges).
std::string recordDifference(const MapStore& a, const MapStore& b);

// Gives every sector, wall and sprite a number of its own, base + its index, in its record's
// lotag (a field no operation reads), so that tablesFollowObjects can find each object again
// after an operation. Every count must stay below 30000 - base.
void tagObjects(MapStore& map, int32_t base);

// Checks, after an operation on a map tagged with tagObjects, that the per-object flags moved
// with their objects: every object of `after` whose tag names one object of `before` (and no
// other object of `after`, as a copy would) has that object's flags. Where the operation clears
// the selection (a paste), a flag may also have become 0.
std::vector<std::string> checkTablesFollowObjects(const MapStore& before, const MapStore& after,
                                                  int32_t base, bool selectionCleared);

// What differs between two maps in everything an edit can change: every per-object table,
// whole, and every single value of the store; empty when they are byte for byte the same.
std::string contentDifference(const MapContent& a, const MapContent& b);

}  // namespace korvel::test
