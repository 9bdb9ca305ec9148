// The skin bitmap the interface is built from, its loader, the blitters that copy skin rectangles
// into a surface (opaque, transparent, colour-shifted, translucent, shading, into a 24-bit image)
// and the skinned widgets: check box, radio button, stretchable frames, filled panel and slider.
// Every routine keeps to its target surface and reads only inside the skin.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/FrameBuffer.h"
#include "ui/LoadReport.h"

namespace korvel {

class FileSystem;
struct ColorSettings;

constexpr int32_t kSkinSize = 512;
// Skin colour that the transparent blitters leave out.
constexpr uint8_t kSkinTransparent = 255;

// 512 x 512 display-palette indices; byte (sx, sy) at sy * 512 + sx, row 0 the bottom row.
struct Skin {
    std::vector<uint8_t> skin = std::vector<uint8_t>(kSkinSize * kSkinSize);
};

// The file: 1078 header bytes, then 512 rows of 512 bytes, the bottom row first. A file too short
// for all rows is refused and the skin left as it was.
LoadStatus parseSkin(const std::string& bytes, Skin& skin);
LoadStatus loadSkin(Skin& skin, FileSystem& fs, const std::string& path);
// uinterfc.bmp from the data folder, with a start-up log line when it is missing or short.
void loadSkinFile(Skin& skin, FileSystem& fs, const std::string& dataFolder, const Languages& langs,
                  const BootLogSink& log);

// Blitters into the screen: destination pixel (x + i, y + j) gets skin pixel (sx + i, sy + j)
// for i < w, j < h; the rectangle is cut to the screen and the source moves with it.
void blitSkinOpaque(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t sx,
                    int32_t sy, int32_t w, int32_t h);
void blitSkinTransparent(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t sx,
                         int32_t sy, int32_t w, int32_t h);
void blitSkinTransparentShifted(const Canvas& cv, const Skin& skin, int32_t x, int32_t y,
                                int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t shift);
// Type 1 lays a third of (base + skin) over the screen, type 2 two thirds, type 3 all of it;
// other types draw nothing.
void blitSkinTranslucent(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t sx,
                         int32_t sy, int32_t w, int32_t h, int32_t base, int32_t type);
// Darkens the screen where the skin rectangle is not transparent (the cursor's shadow).
void blitSkinShade(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t sx, int32_t sy,
                   int32_t w, int32_t h);

// Copies the skin rectangle of (w + 1) x (h + 1) pixels into the menu buffer, adding shift to
// every pixel (wrapping); transparent pixels are copied too.
void blitSkinToMenu(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t sx,
                    int32_t sy, int32_t w, int32_t h, int32_t shift);

// A 24-bit image: rows of rowLength bytes (blue, green, red per pixel), height rows.
struct RgbImageView {
    uint8_t* bytes = nullptr;
    int32_t rowLength = 0, height = 0;
};
void blitSkinToRGB(const Skin& skin, const ColorTables& colors, const RgbImageView& image,
                   int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t w, int32_t h);

// 14 x 14 widgets on the screen. State 0 clear, 2 the third state, anything else checked.
void drawCheckBox(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t state);
void drawRadioButton(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t on);

// Skin rows of the two frame tiles.
constexpr int32_t kFrameStyle1 = 497;
constexpr int32_t kFrameStyle2 = 437;
// A border two pixels wide around x1..x2, y1..y2 (lower left and upper right corners, inclusive)
// from the 15 x 15 tile at skin column 138, row tileRow, each skin byte plus shift; the inside
// filled with fill when the frame is wider than 4 pixels.
void drawSkinFrame(const Skin& skin, const SurfaceView& target, int32_t tileRow, int32_t x1,
                   int32_t y1, int32_t x2, int32_t y2, int32_t fill, int32_t shift);
void drawFrame(const Canvas& cv, const Skin& skin, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
               int32_t fill, int32_t shift);
void drawFrameStyle2(const Canvas& cv, const Skin& skin, int32_t x1, int32_t y1, int32_t x2,
                     int32_t y2, int32_t fill, int32_t shift);
void drawMenuFrame(const Canvas& cv, const Skin& skin, int32_t x1, int32_t y1, int32_t x2,
                   int32_t y2, int32_t fill, int32_t shift);
void drawFrameBg(const Canvas& cv, const Skin& skin, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                 int32_t fill, int32_t shift);
void drawFrameBgStyle2(const Canvas& cv, const Skin& skin, int32_t x1, int32_t y1, int32_t x2,
                       int32_t y2, int32_t fill, int32_t shift);
// A style-2 frame filled with colorUiPanelFill, its inside (3 pixels in) filled with colour.
void drawFilledPanelBg(const Canvas& cv, const Skin& skin, const ColorSettings& colors, int32_t x1,
                       int32_t y1, int32_t x2, int32_t y2, int32_t colour);

// A slider track of the given length into the background: orientation 1 vertical, any other
// value horizontal; two skin caps and, from a length of 31, a shaded fill between them.
void drawSkinSlider(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t length,
                    int32_t orientation);

}  // namespace korvel
