// A copy of everything an edit can change, taken when an operation starts, so that a refusal
// halfway leaves the map exactly as it was without touching the user's undo snapshot.
//
// It holds only the part of each table that can differ from zero: records below the record
// extent (records above it are zero) and the other tables up to their last non-zero entry, so
// its cost follows the size of the map, not the capacity of the store.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "map/MapStore.h"

namespace korvel {

class MapBackup {
public:
    explicit MapBackup(const MapStore& map);
    // Puts the map back as it was when the backup was taken.
    void restore(MapStore& map) const;

private:
    // Per table in forEachObjectTable order: how many entries were kept and their bytes.
    struct Kept {
        int32_t count = 0;
        std::vector<uint8_t> bytes;
    };
    std::vector<Kept> tables_;
    std::unique_ptr<MapScalars> scalars_;
};

}  // namespace korvel
