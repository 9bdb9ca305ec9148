#include "map/MapBackup.h"

#include <algorithm>
#include <cstring>

namespace korvel {

namespace {

// The number of entries up to and including the last one with a non-zero byte.
template <typename T, int32_t N>
int32_t usedLength(const FixedArray<T, N>& a) {
    static constexpr size_t kChunk = 4096;
    static const uint8_t zeros[kChunk] = {};
    const auto* bytes = reinterpret_cast<const uint8_t*>(a.data());
    size_t end = sizeof(T) * size_t(N);
    while (end > 0) {
        const size_t begin = end > kChunk ? end - kChunk : 0;
        if (std::memcmp(bytes + begin, zeros, end - begin) != 0) {
            while (bytes[end - 1] == 0) --end;
            return int32_t((end + sizeof(T) - 1) / sizeof(T));
        }
        end = begin;
    }
    return 0;
}

template <typename T, int32_t N>
int32_t extentOf(const MapScalars& s, const FixedArray<T, N>&) {
    if constexpr (N == kMaxSectors)
        return std::max(s.recordExtent.sectors, s.sectorCount);
    else if constexpr (N == kMaxWalls)
        return std::max(s.recordExtent.walls, s.wallCount);
    else
        return std::max(s.recordExtent.sprites, s.spriteCount);
}

}  // namespace

MapBackup::MapBackup(const MapStore& map) : scalars_(std::make_unique<MapScalars>(map)) {
    forEachObjectTable([&](auto table, TableRole role, const char*) {
        const auto& a = map.*table;
        using Entry = std::remove_cvref_t<decltype(a[0])>;
        constexpr int32_t n = std::remove_cvref_t<decltype(a)>::size();
        // Records above the extent are zero by the store's own rule; other tables are looked at.
        const int32_t count =
            role == TableRole::Records ? std::clamp(extentOf(map, a), 0, n) : usedLength(a);
        Kept kept;
        kept.count = count;
        const auto* from = reinterpret_cast<const uint8_t*>(a.data());
        kept.bytes.assign(from, from + size_t(count) * sizeof(Entry));
        tables_.push_back(std::move(kept));
    });
}

void MapBackup::restore(MapStore& map) const {
    size_t i = 0;
    // Whatever the operation wrote lies below the extent it left (records) or anywhere in the
    // smaller tables: zero that part of each table past what was kept, then copy the kept part.
    const MapScalars after = static_cast<const MapScalars&>(map);
    forEachObjectTable([&](auto table, TableRole role, const char*) {
        auto& a = map.*table;
        using Entry = std::remove_cvref_t<decltype(a[0])>;
        constexpr int32_t n = std::remove_cvref_t<decltype(a)>::size();
        const Kept& kept = tables_[i++];
        const int32_t written =
            role == TableRole::Records ? std::clamp(extentOf(after, a), 0, n) : n;
        if (written > kept.count)
            std::memset(static_cast<void*>(a.data() + kept.count), 0,
                        size_t(written - kept.count) * sizeof(Entry));
        if (!kept.bytes.empty())
            std::memcpy(static_cast<void*>(a.data()), kept.bytes.data(), kept.bytes.size());
    });
    static_cast<MapScalars&>(map) = *scalars_;
}

}  // namespace korvel
