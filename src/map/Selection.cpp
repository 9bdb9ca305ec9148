#include "map/Selection.h"
#include "base/MessageNumbers.h"

namespace korvel {

void deselectSprites(MapStore& map) {
    map.spriteSelected.fill(0);
    map.selectedSpriteCount = 0;
}

void deselectSectors(MapStore& map) {
    map.sectorSelected.fill(0);
    map.selectedSectorCount = 0;
    map.booleanTargetSector = -2;
}

void deselectWalls(MapStore& map) {
    map.wallSelected.fill(0);
    map.selectedWallCount = 0;
    map.selectedLoopCount = 0;
}

void deselectVertices(MapStore& map) {
    map.vertexSelected.fill(0);
    map.selectedVertexCount = 0;
}

namespace {

template <typename Flags, typename Hidden>
void invertShown(Flags& flags, const Hidden& hidden, int32_t count, int32_t& selectedCount) {
    for (int32_t i = 0; i < count; ++i) {
        if (hidden[i] != 0) continue;
        if (flags[i]) {
            flags[i] = 0;
            --selectedCount;
        } else {
            flags[i] = 1;
            ++selectedCount;
        }
    }
}

template <typename Flags>
int32_t firstSet(const Flags& flags, int32_t count, int32_t selectedCount) {
    if (selectedCount == 0) return 0;
    for (int32_t i = 0; i < count; ++i)
        if (flags[i]) return i;
    return 0;
}

}  // namespace

void invertSelection(MapStore& map, SelectionMode mode, MapEvents& events) {
    switch (mode) {
        case SelectionMode::Sprites:
            invertShown(map.spriteSelected, map.spriteIgnored, map.spriteCount,
                        map.selectedSpriteCount);
            break;
        case SelectionMode::Vertices:
            invertShown(map.vertexSelected, map.wallIgnored, map.wallCount,
                        map.selectedVertexCount);
            break;
        case SelectionMode::Walls:
        case SelectionMode::Loops:
            invertShown(map.wallSelected, map.wallIgnored, map.wallCount, map.selectedWallCount);
            break;
        case SelectionMode::Sectors:
            invertShown(map.sectorSelected, map.sectorIgnored, map.sectorCount,
                        map.selectedSectorCount);
            break;
        case SelectionMode::SpritesAndVertices:
            invertShown(map.spriteSelected, map.spriteIgnored, map.spriteCount,
                        map.selectedSpriteCount);
            invertShown(map.vertexSelected, map.wallIgnored, map.wallCount,
                        map.selectedVertexCount);
            break;
        default:
            break;
    }
    events.statusMessage(kMsgSelectionInverted);
    events.playCue("command");
}

int32_t getFirstSelectedSprite(const MapStore& map) {
    return firstSet(map.spriteSelected, map.spriteCount, map.selectedSpriteCount);
}
int32_t getFirstSelectedSector(const MapStore& map) {
    return firstSet(map.sectorSelected, map.sectorCount, map.selectedSectorCount);
}
int32_t getFirstSelectedWall(const MapStore& map) {
    return firstSet(map.wallSelected, map.wallCount, map.selectedWallCount);
}
int32_t getFirstSelectedVertex(const MapStore& map) {
    return firstSet(map.vertexSelected, map.wallCount, map.selectedVertexCount);
}

void recountSelection(MapStore& map) {
    map.selectedLoopCount = 0;
    map.selectedWallCount = map.selectedVertexCount = 0;
    map.selectedSectorCount = map.selectedSpriteCount = 0;
    for (int32_t w = 0; w < map.wallCount; ++w) {
        if (map.wallSelected[w]) ++map.selectedWallCount;
        if (map.vertexSelected[w]) ++map.selectedVertexCount;
    }
    for (int32_t s = 0; s < map.sectorCount; ++s)
        if (map.sectorSelected[s]) ++map.selectedSectorCount;
    for (int32_t k = 0; k < map.spriteCount; ++k)
        if (map.spriteSelected[k]) ++map.selectedSpriteCount;
}

}  // namespace korvel
