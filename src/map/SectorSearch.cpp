#include "map/SectorSearch.h"

#include <algorithm>
#include <cmath>

#include "map/WallRanges.h"

namespace korvel {

namespace {

constexpr int32_t kMaxGridSide = 128;
// A box that meets more cells than this is tried at every point instead of being listed in
// each cell, so a few huge sectors cannot fill the grid.
constexpr int64_t kMaxCellsPerSector = 16;

}  // namespace

SectorSearch::SectorSearch(const MapStore& map) {
    findSoundSectors(map.sectors.data(), map.sectorCount, map.walls.data(), map.wallCount, sound_);
    boxes_.assign(sound_.size(), Box{});
    int32_t soundCount = 0;
    for (int32_t s = 0; s < int32_t(sound_.size()); ++s) {
        if (!sound_[size_t(s)]) continue;
        const SectorRecord& sec = map.sectors[s];
        Box box{map.walls[sec.wallptr].x, map.walls[sec.wallptr].y, map.walls[sec.wallptr].x,
                map.walls[sec.wallptr].y};
        for (int32_t w = sec.wallptr; w < int32_t(sec.wallptr) + sec.wallnum; ++w) {
            box.minX = std::min(box.minX, map.walls[w].x);
            box.maxX = std::max(box.maxX, map.walls[w].x);
            box.minY = std::min(box.minY, map.walls[w].y);
            box.maxY = std::max(box.maxY, map.walls[w].y);
        }
        boxes_[size_t(s)] = box;
        if (soundCount++ == 0) {
            minX_ = box.minX, maxX_ = box.maxX, minY_ = box.minY, maxY_ = box.maxY;
        } else {
            minX_ = std::min<int64_t>(minX_, box.minX), maxX_ = std::max<int64_t>(maxX_, box.maxX);
            minY_ = std::min<int64_t>(minY_, box.minY), maxY_ = std::max<int64_t>(maxY_, box.maxY);
        }
    }
    if (soundCount == 0) return;

    // About one cell per sector.
    const int32_t side =
        std::clamp(int32_t(std::ceil(std::sqrt(double(soundCount)))), 1, kMaxGridSide);
    cols_ = rows_ = side;
    cellWidth_ = (maxX_ - minX_) / side + 1;
    cellHeight_ = (maxY_ - minY_) / side + 1;
    struct Span {
        int64_t x0, y0, x1, y1;
    };
    auto spanOf = [&](const Box& b) {
        return Span{(b.minX - minX_) / cellWidth_, (b.minY - minY_) / cellHeight_,
                    (b.maxX - minX_) / cellWidth_, (b.maxY - minY_) / cellHeight_};
    };
    auto isWide = [](const Span& c) {
        return (c.x1 - c.x0 + 1) * (c.y1 - c.y0 + 1) > kMaxCellsPerSector;
    };

    // Counted first, then filled in sector order, so every cell's list is in index order.
    cellStart_.assign(size_t(cols_) * size_t(rows_) + 1, 0);
    for (int32_t s = 0; s < int32_t(sound_.size()); ++s) {
        if (!sound_[size_t(s)]) continue;
        const Span c = spanOf(boxes_[size_t(s)]);
        if (isWide(c)) continue;
        for (int64_t y = c.y0; y <= c.y1; ++y)
            for (int64_t x = c.x0; x <= c.x1; ++x) ++cellStart_[size_t(y * cols_ + x) + 1];
    }
    for (size_t i = 1; i < cellStart_.size(); ++i) cellStart_[i] += cellStart_[i - 1];
    cellSectors_.resize(size_t(cellStart_.back()));
    std::vector<int32_t> filled(cellStart_.begin(), cellStart_.end() - 1);
    for (int32_t s = 0; s < int32_t(sound_.size()); ++s) {
        if (!sound_[size_t(s)]) continue;
        const Span c = spanOf(boxes_[size_t(s)]);
        if (isWide(c)) {
            wide_.push_back(s);
            continue;
        }
        for (int64_t y = c.y0; y <= c.y1; ++y)
            for (int64_t x = c.x0; x <= c.x1; ++x)
                cellSectors_[size_t(filled[size_t(y * cols_ + x)]++)] = s;
    }
}

}  // namespace korvel
