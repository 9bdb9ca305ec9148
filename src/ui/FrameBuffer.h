// The byte surfaces everything is drawn into (the displayed screen, the page background and the
// side buffers), the screen layout they share, and the Canvas handed to every drawing routine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/ZeroedTable.h"
#include "platform/Platform.h"
#include "resources/ColorTables.h"

namespace korvel {

constexpr int32_t kScreenWidth = 800;
constexpr int32_t kScreenHeight = 600;

// A rectangle of pixels, both bounds inclusive.
struct ClipRect {
    int32_t x0 = 0, y0 = 0, x1 = -1, y1 = -1;
};

// Rows are counted from the bottom: row 0 is the lowest line of every surface. The map view
// spans the whole width between the bottom panel (rows 0..127) and the top bar (584..599).
constexpr int32_t kScreenRight = kScreenWidth - 1;
constexpr int32_t kScreenTop = kScreenHeight - 1;
constexpr int32_t kMapViewBottom = 128;
constexpr int32_t kMapViewTop = 583;
constexpr int32_t kMapViewRows = kMapViewTop - kMapViewBottom + 1;
// The plan and side views put their origin here: the middle of the screen, not of the map view.
constexpr int32_t kViewCentreX = kScreenWidth / 2;
constexpr int32_t kViewCentreY = kScreenHeight / 2;
constexpr ClipRect kWholeScreen{0, 0, kScreenRight, kScreenTop};
// Plan, side and 3D views and most pages.
constexpr ClipRect kMapView{0, kMapViewBottom, kScreenRight, kMapViewTop};
constexpr ClipRect kToolPane{10, 305, 774, 518};  // drawing pane of the shape-tool pages

// A byte surface: pixel (x, y) is pixels[y * rowLength + x] for 0 <= x < width, 0 <= y < height.
struct SurfaceView {
    uint8_t* pixels = nullptr;
    int32_t width = 0, height = 0, rowLength = 0;
    uint8_t& at(int32_t x, int32_t y) const { return pixels[std::ptrdiff_t(y) * rowLength + x]; }
    ClipRect bounds() const { return {0, 0, width - 1, height - 1}; }
};

struct FrameBuffer {
    FrameBuffer() : FrameBuffer(kScreenWidth) {}
    // rowLength: bytes per screen row (at least 800); the bytes past column 799 are never drawn.
    explicit FrameBuffer(int32_t rowLength);

    std::vector<uint8_t> screen;  // 800 x 600, the displayed frame
    int32_t screenRowLength = kScreenWidth;
    Palette256 screenPalette{};       // the colours the screen is shown with
    std::vector<uint8_t> background;  // 800 x 600, copied onto the screen every frame
    // Untouched, and so taking no memory, until the views, a menu or a screen effect use them.
    ZeroedTable<uint8_t> viewBackdrop;    // 800 x 456, backdrop of screen rows 128..583
    ZeroedTable<uint8_t> menuBuffer;      // 400 x 456, the open pull-down menu
    ZeroedTable<uint8_t> screenCopy;      // 800 x 600, for the screen effects
    // 800 x 450, the 3D view's picture; empty until the 3D page first needs it (see
    // preview3dPicture).
    std::vector<uint8_t> preview3dImage;
    // The map view's rows (128..583) of the start-up picture, kept for the information page;
    // empty when none was read.
    std::vector<uint8_t> startupScreen;
};

inline SurfaceView screenView(FrameBuffer& fb) {
    return {fb.screen.data(), kScreenWidth, kScreenHeight, fb.screenRowLength};
}
SurfaceView backgroundView(FrameBuffer& fb);
SurfaceView menuView(FrameBuffer& fb);
// The 3D view's picture, made at its full size (all zero) on first use.
std::vector<uint8_t>& preview3dPicture(FrameBuffer& fb);

// Copies the whole background onto the screen (the start of every frame).
void copyBackgroundToScreen(FrameBuffer& fb);
// Shows the screen through its palette.
void presentScreen(const FrameBuffer& fb, Platform& platform);

// What the drawing routines work on: the surfaces, the colour tables that translucency and
// smoothing go through, and whether lines are drawn anti-aliased (the "smoothln" setting).
struct Canvas {
    FrameBuffer& frame;
    const ColorTables& colors;
    bool smoothLines = false;
};

}  // namespace korvel
