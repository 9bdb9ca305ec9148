// The attribute clipboard: the surface attributes of one object (a sector's floor or ceiling, a
// wall, a wall's masked texture or a sprite), copied from it and stamped onto other objects.
// Between objects of one kind the whole set travels; between different kinds, or from a
// texture-only clip, only the texture (picnum, shade, pal).
#pragma once

#include <cstdint>

#include "map/MapStore.h"

namespace korvel {

enum class AttributeClipboardKind : uint8_t { Sector = 0, Wall = 1, Sprite = 2, TextureOnly = 3 };

struct AttributeClipboard {
    uint16_t stat = 0;
    AttributeClipboardKind kind = AttributeClipboardKind::Sector;
    int16_t picnum = 0;
    int16_t heinum = 0;
    int8_t shade = 0;
    uint8_t pal = 0;
    uint8_t xrepeat = 0, yrepeat = 0;
    uint8_t xpanning = 0, ypanning = 0;
    int16_t lotag = 0, hitag = 0, extra = -1;
};

// What a paste does beyond the fields: a same-kind sector paste writes the slope only with
// writeSlope; wall pastes square the texture with squareWalls.
struct AttributePasteRules {
    bool writeSlope = false;
    bool squareWalls = false;
};

// The clipboard with the editor's slope switch (key 9).
struct AttributeClipboardState {
    AttributeClipboard attributeClipboard;
    uint8_t pasteHeinum = 0;
};

// Copies: the index must name an existing object; a bad one leaves the clipboard alone.
void copySpriteAttributes(const MapStore& map, AttributeClipboard& clip, int32_t sprite);
void copySectorFloorAttributes(const MapStore& map, AttributeClipboard& clip, int32_t sector);
void copySectorCeilingAttributes(const MapStore& map, AttributeClipboard& clip, int32_t sector);
void copyWallAttributes(const MapStore& map, AttributeClipboard& clip, int32_t wall);
void copyMaskedWallAttributes(const MapStore& map, AttributeClipboard& clip, int32_t wall);

// Pastes: they take no undo snapshot and mark nothing modified (the caller's edit does both).
// A bad index changes nothing.
void pasteSpriteAttributes(MapStore& map, const AttributeClipboard& clip, int32_t sprite);
void pasteSectorFloorAttributes(MapStore& map, const AttributeClipboard& clip, int32_t sector,
                                AttributePasteRules rules);
void pasteSectorCeilingAttributes(MapStore& map, const AttributeClipboard& clip, int32_t sector,
                                  AttributePasteRules rules);
void pasteWallAttributes(MapStore& map, const AttributeClipboard& clip, int32_t wall,
                         AttributePasteRules rules);
// Into the masked texture (overpicnum, no tags); the masking bit is switched on afterwards.
void pasteMaskedWallAttributes(MapStore& map, const AttributeClipboard& clip, int32_t wall,
                               AttributePasteRules rules);

}  // namespace korvel
