// A slow, literal painter of the plan view's textured sector fill and sprite pictures, written
// for the tests straight from the description of the two layers: every crossing found by
// walking all walls, every texel computed where it is drawn, remap tables rebuilt per sector and
// per sprite. The editor's painters must give the same pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "editing/HoverState.h"
#include "map/MapStore.h"
#include "resources/ColorTables.h"
#include "resources/TileStore.h"
#include "ui/ColorSettings.h"
#include "views/PlanViewState.h"

namespace korvel::test {

// An 800 x 600 screen, rows from the bottom.
struct ReferenceScreen {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(800 * 600);
    uint8_t& at(int32_t x, int32_t y) { return pixels[size_t(y) * 800 + size_t(x)]; }
};

struct ReferenceScene {
    const MapStore& map;
    const Settings& settings;
    const ColorSettings& colours;
    const ColorTables& tables;
    const TileStore& tiles;
    const HoverState& hover;
    // The view as it is stored between frames.
    float originX, originY, zoom;
    int32_t frameTime;
    int32_t frameNumber;
};

struct ReferenceLabel {
    int32_t x, y;
    uint8_t colour;
    std::string text;
    bool operator==(const ReferenceLabel&) const = default;
};

void referenceSectorFill(const ReferenceScene& scene, ReferenceScreen& screen,
                         std::vector<ReferenceLabel>& labels);

// Draws the pictures of the list's sprites and leaves the list in drawing order.
void referenceSpritePictures(const ReferenceScene& scene, std::vector<SpriteDrawItem>& list,
                             ReferenceScreen& screen);

}  // namespace korvel::test
