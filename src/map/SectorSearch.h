// Finding the sectors that may hold a point without walking every sector's walls: the rings are
// checked once when the search is made, and a point is tried only against sound sectors whose
// bounding box holds it. Made for the map as it stands; any change to its sectors or walls
// needs a new search.
#pragma once

#include <cstdint>
#include <vector>

#include "map/MapStore.h"

namespace korvel {

class SectorSearch {
public:
    explicit SectorSearch(const MapStore& map);

    // Sound by the ring rule of findSoundSectors; a damaged sector is never offered.
    bool isSound(int32_t s) const {
        return s >= 0 && s < int32_t(sound_.size()) && sound_[size_t(s)] != 0;
    }

    // Calls visit(s) for every sound sector whose bounding box holds (x, y), in index order. A
    // sound sector's rings are closed, so a point outside its box is outside the sector and on
    // none of its edges.
    template <typename Visit>
    void forEachCandidate(int32_t x, int32_t y, Visit visit) const {
        if (cols_ == 0 || x < minX_ || y < minY_ || x > maxX_ || y > maxY_) return;
        const size_t cell =
            size_t((int64_t(y) - minY_) / cellHeight_ * cols_ + (int64_t(x) - minX_) / cellWidth_);
        const int32_t* a = cellSectors_.data() + cellStart_[cell];
        const int32_t* aEnd = cellSectors_.data() + cellStart_[cell + 1];
        const int32_t* b = wide_.data();
        const int32_t* bEnd = b + wide_.size();
        // The cell's sectors and the wide ones are each in index order; merged, they stay so.
        while (a != aEnd || b != bEnd) {
            const int32_t s = (b == bEnd || (a != aEnd && *a < *b)) ? *a++ : *b++;
            const Box& box = boxes_[size_t(s)];
            if (x >= box.minX && x <= box.maxX && y >= box.minY && y <= box.maxY) visit(s);
        }
    }

private:
    struct Box {
        int32_t minX = 0, minY = 0, maxX = -1, maxY = -1;
    };
    std::vector<uint8_t> sound_;
    std::vector<Box> boxes_;
    // A grid over the boxes of the sound sectors: each cell lists the sectors whose box meets
    // it, except sectors whose box spans many cells, which are in wide_ and tried everywhere.
    int64_t minX_ = 0, minY_ = 0, maxX_ = -1, maxY_ = -1;
    int64_t cellWidth_ = 1, cellHeight_ = 1;
    int32_t cols_ = 0, rows_ = 0;
    std::vector<int32_t> cellStart_;
    std::vector<int32_t> cellSectors_;
    std::vector<int32_t> wide_;
};

}  // namespace korvel
