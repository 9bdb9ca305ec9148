// What the pointer aims at in the live 3D picture, drawn over it: the locked object tinted, the
// selected and hovered objects outlined, two status lines naming the aimed object, the
// inspection of the triangle under the pointer while the middle button is held, and the
// attribute clipboard and help panels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/NameTable.h"
#include "ui/FrameBuffer.h"
#include "view3d/HitQueries3d.h"

namespace korvel {

struct Editor;
struct Fonts;
struct InputState;
struct Languages;
struct MapStore;
struct Scene3d;

struct HoverOverlay3d {
    const Scene3d& scene;
    const Pick3d& pick;
    const MapStore& map;
    const NameTable& tileNames;
    const Languages& langs;
    const Fonts& fonts;
    int32_t textColour = 0;
    int32_t frameTime = 0;
    const InputState& input;  // the pointer and the held buttons
};

// The marks, the status lines and the inspection.
void drawHoverOverlay3d(const Canvas& cv, const HoverOverlay3d& o);

// The whole overlay of the editor's live page; frameNumber paces the clipboard panel's dither.
void draw3DHoverInfo(Editor& ed, int32_t frameNumber);

}  // namespace korvel
