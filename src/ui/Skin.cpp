#include "ui/Skin.h"

#include <algorithm>
#include <cstring>

#include "base/FileSystem.h"
#include "base/Mainm.h"
#include "ui/ColorSettings.h"

namespace korvel {

namespace {

constexpr size_t kSkinHeaderBytes = 1078;
constexpr size_t kSkinBytes = size_t(kSkinSize) * kSkinSize;

// A blit rectangle after cutting it to the target and to the skin.
struct BlitArea {
    int32_t x, y, sx, sy, w, h;
};

bool cutBlit(const ClipRect& target, int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t w,
             int32_t h, BlitArea& out) {
    int64_t X = x, Y = y, SX = sx, SY = sy, W = w, H = h;
    const int64_t cutLeft = std::max<int64_t>({0, target.x0 - X, -SX});
    const int64_t cutBottom = std::max<int64_t>({0, target.y0 - Y, -SY});
    X += cutLeft, SX += cutLeft, W -= cutLeft;
    Y += cutBottom, SY += cutBottom, H -= cutBottom;
    W = std::min<int64_t>({W, target.x1 - X + 1, kSkinSize - SX});
    H = std::min<int64_t>({H, target.y1 - Y + 1, kSkinSize - SY});
    if (W <= 0 || H <= 0) return false;
    out = {int32_t(X), int32_t(Y), int32_t(SX), int32_t(SY), int32_t(W), int32_t(H)};
    return true;
}

// op(target byte, skin byte) for every pixel of the rectangle that lies on the target.
template <class Op>
void blit(const SurfaceView& t, const Skin& skin, int32_t x, int32_t y, int32_t sx, int32_t sy,
          int32_t w, int32_t h, Op&& op) {
    BlitArea a;
    if (!cutBlit(t.bounds(), x, y, sx, sy, w, h, a)) return;
    for (int32_t j = 0; j < a.h; ++j) {
        const uint8_t* src = &skin.skin[size_t(a.sy + j) * kSkinSize + a.sx];
        uint8_t* dst = &t.at(a.x, a.y + j);
        for (int32_t i = 0; i < a.w; ++i) op(dst[i], src[i]);
    }
}

void blitOpaque(const SurfaceView& t, const Skin& skin, int32_t x, int32_t y, int32_t sx,
                int32_t sy, int32_t w, int32_t h) {
    BlitArea a;
    if (!cutBlit(t.bounds(), x, y, sx, sy, w, h, a)) return;
    for (int32_t j = 0; j < a.h; ++j)
        std::memcpy(&t.at(a.x, a.y + j), &skin.skin[size_t(a.sy + j) * kSkinSize + a.sx],
                    size_t(a.w));
}

// Fills the rows y1..y2, columns x1..x2 of the target, cut to it.
void fillRect(const SurfaceView& t, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint8_t c) {
    x1 = std::max<int64_t>(x1, 0), y1 = std::max<int64_t>(y1, 0);
    x2 = std::min<int64_t>(x2, t.width - 1), y2 = std::min<int64_t>(y2, t.height - 1);
    if (x1 > x2) return;
    for (int64_t y = y1; y <= y2; ++y)
        std::memset(&t.at(int32_t(x1), int32_t(y)), c, size_t(x2 - x1 + 1));
}

}  // namespace

LoadStatus parseSkin(const std::string& bytes, Skin& skin) {
    if (bytes.empty()) return LoadStatus::Missing;
    if (bytes.size() < kSkinHeaderBytes + kSkinBytes) return LoadStatus::Truncated;
    skin.skin.resize(kSkinBytes);
    std::memcpy(skin.skin.data(), bytes.data() + kSkinHeaderBytes, kSkinBytes);
    return LoadStatus::Loaded;
}

LoadStatus loadSkin(Skin& skin, FileSystem& fs, const std::string& path) {
    const auto bytes = fs.readAll(path, int64_t(kSkinHeaderBytes + kSkinBytes));
    return parseSkin(bytes ? *bytes : std::string(), skin);
}

void loadSkinFile(Skin& skin, FileSystem& fs, const std::string& dataFolder, const Languages& langs,
                  const BootLogSink& log) {
    const LoadStatus status = loadSkin(skin, fs, findNoCase(fs, dataFolder, "uinterfc.bmp"));
    reportLoadProblem(status, "uinterfc.bmp", langs, log);
}

void blitSkinOpaque(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t sx,
                    int32_t sy, int32_t w, int32_t h) {
    blitOpaque(screenView(cv.frame), skin, x, y, sx, sy, w, h);
}

void blitSkinToMenu(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t sx,
                    int32_t sy, int32_t w, int32_t h, int32_t shift) {
    const uint8_t add = uint8_t(shift);
    // The bounds are inclusive; sizes past the buffer are cut by the blit anyway.
    const auto inclusive = [](int32_t n) {
        return int32_t(std::min<int64_t>(int64_t(n) + 1, 1024));
    };
    blit(menuView(cv.frame), skin, x, y, sx, sy, inclusive(w), inclusive(h),
         [add](uint8_t& d, uint8_t s) { d = uint8_t(s + add); });
}

void blitSkinTransparent(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t sx,
                         int32_t sy, int32_t w, int32_t h) {
    blit(screenView(cv.frame), skin, x, y, sx, sy, w, h, [](uint8_t& d, uint8_t s) {
        if (s != kSkinTransparent) d = s;
    });
}

void blitSkinTransparentShifted(const Canvas& cv, const Skin& skin, int32_t x, int32_t y,
                                int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t shift) {
    const uint8_t add = uint8_t(shift);
    blit(screenView(cv.frame), skin, x, y, sx, sy, w, h, [add](uint8_t& d, uint8_t s) {
        if (s != kSkinTransparent) d = uint8_t(s + add);
    });
}

void blitSkinTranslucent(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t sx,
                         int32_t sy, int32_t w, int32_t h, int32_t base, int32_t type) {
    if (type < 1 || type > 3) return;
    const uint8_t add = uint8_t(base);
    const uint8_t* blend = cv.colors.blendTable.data();
    blit(screenView(cv.frame), skin, x, y, sx, sy, w, h, [=](uint8_t& d, uint8_t s) {
        if (s == kSkinTransparent) return;
        const uint8_t c = uint8_t(s + add);
        if (type == 1)
            d = blend[c * 256 + d];
        else if (type == 2)
            d = blend[d * 256 + c];
        else
            d = c;
    });
}

void blitSkinShade(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t sx, int32_t sy,
                   int32_t w, int32_t h) {
    const uint8_t* blend = cv.colors.blendTable.data();
    blit(screenView(cv.frame), skin, x, y, sx, sy, w, h, [blend](uint8_t& d, uint8_t s) {
        if (s != kSkinTransparent) d = blend[d];
    });
}

void blitSkinToRGB(const Skin& skin, const ColorTables& colors, const RgbImageView& image,
                   int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t w, int32_t h) {
    if (!image.bytes || image.rowLength < 3 || image.height <= 0) return;
    BlitArea a;
    if (!cutBlit({0, 0, image.rowLength / 3 - 1, image.height - 1}, x, y, sx, sy, w, h, a)) return;
    for (int32_t j = 0; j < a.h; ++j) {
        const uint8_t* src = &skin.skin[size_t(a.sy + j) * kSkinSize + a.sx];
        uint8_t* dst = image.bytes + size_t(a.y + j) * image.rowLength + size_t(a.x) * 3;
        for (int32_t i = 0; i < a.w; ++i) {
            const uint8_t s = src[i];
            if (s == kSkinTransparent) continue;
            dst[3 * i] = colors.paletteBlue[s];
            dst[3 * i + 1] = colors.paletteGreen[s];
            dst[3 * i + 2] = colors.paletteRed[s];
        }
    }
}

void drawCheckBox(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t state) {
    if (state == 0)
        blitSkinOpaque(cv, skin, x, y, 110, 498, 14, 14);
    else if (state == 2)
        blitSkinOpaque(cv, skin, x, y, 66, 476, 14, 14);
    else
        blitSkinOpaque(cv, skin, x, y, 124, 498, 14, 14);
}

void drawRadioButton(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t on) {
    blitSkinTransparent(cv, skin, x, y, on ? 124 : 110, 484, 14, 14);
}

void drawSkinFrame(const Skin& skin, const SurfaceView& target, int32_t tileRow, int32_t x1,
                   int32_t y1, int32_t x2, int32_t y2, int32_t fill, int32_t shift) {
    const int64_t R = std::clamp(tileRow, 0, kSkinSize - 15);
    const int64_t X1 = x1, Y1 = y1, X2 = x2, Y2 = y2;
    const int64_t xm = (X1 + X2) / 2, ym = (Y1 + Y2) / 2;
    const int64_t xL = std::min(X1 + 7, xm), xR = std::max(X2 - 7, xm + 1);
    const int64_t yB = std::min(Y1 + 7, ym), yT = std::max(Y2 - 7, ym + 1);
    // Seven pixels at each corner come from the tile's corners, the rest of every edge repeats
    // the tile's middle column or row.
    auto sourceColumn = [&](int64_t x) {
        const int64_t c = x < xL ? 138 + (x - X1) : x <= xR ? 145 : 152 - (X2 - x);
        return std::clamp<int64_t>(c, 138, 152);
    };
    auto sourceRow = [&](int64_t y) {
        const int64_t r = y < yB ? R + (y - Y1) : y <= yT ? R + 7 : R + 14 - (Y2 - y);
        return std::clamp<int64_t>(r, R, R + 14);
    };
    const uint8_t add = uint8_t(shift);
    auto put = [&](int64_t x, int64_t y, int64_t sx, int64_t sy) {
        if (x < 0 || y < 0 || x >= target.width || y >= target.height) return;
        target.at(int32_t(x), int32_t(y)) = uint8_t(skin.skin[size_t(sy) * kSkinSize + sx] + add);
    };
    auto rowsIn = [&](int64_t from, int64_t to, auto&& body) {
        for (int64_t y = std::max<int64_t>(from, 0); y <= std::min<int64_t>(to, target.height - 1);
             ++y)
            body(y);
    };
    auto sideColumns = [&](int64_t y) {
        const int64_t sy = sourceRow(y);
        put(X1, y, 138, sy);
        put(X1 + 1, y, 139, sy);
        put(X2 - 1, y, 151, sy);
        put(X2, y, 152, sy);
    };
    auto edgeRow = [&](int64_t y, int64_t sy) {
        if (y < 0 || y >= target.height) return;
        for (int64_t x = std::max<int64_t>(X1 + 2, 0);
             x <= std::min<int64_t>(X2 - 2, target.width - 1); ++x)
            put(x, y, sourceColumn(x), sy);
    };
    rowsIn(Y1, yB - 1, sideColumns);
    edgeRow(Y1, R);
    edgeRow(Y1 + 1, R + 1);
    rowsIn(yB, Y2, sideColumns);
    edgeRow(Y2 - 1, R + 13);
    edgeRow(Y2, R + 14);
    if (X2 - X1 > 3) fillRect(target, X1 + 2, Y1 + 2, X2 - 2, Y2 - 2, uint8_t(fill));
}

void drawFrame(const Canvas& cv, const Skin& skin, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
               int32_t fill, int32_t shift) {
    drawSkinFrame(skin, screenView(cv.frame), kFrameStyle1, x1, y1, x2, y2, fill, shift);
}

void drawFrameStyle2(const Canvas& cv, const Skin& skin, int32_t x1, int32_t y1, int32_t x2,
                     int32_t y2, int32_t fill, int32_t shift) {
    drawSkinFrame(skin, screenView(cv.frame), kFrameStyle2, x1, y1, x2, y2, fill, shift);
}

void drawMenuFrame(const Canvas& cv, const Skin& skin, int32_t x1, int32_t y1, int32_t x2,
                   int32_t y2, int32_t fill, int32_t shift) {
    drawSkinFrame(skin, menuView(cv.frame), kFrameStyle1, x1, y1, x2, y2, fill, shift);
}

void drawFrameBg(const Canvas& cv, const Skin& skin, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                 int32_t fill, int32_t shift) {
    drawSkinFrame(skin, backgroundView(cv.frame), kFrameStyle1, x1, y1, x2, y2, fill, shift);
}

void drawFrameBgStyle2(const Canvas& cv, const Skin& skin, int32_t x1, int32_t y1, int32_t x2,
                       int32_t y2, int32_t fill, int32_t shift) {
    drawSkinFrame(skin, backgroundView(cv.frame), kFrameStyle2, x1, y1, x2, y2, fill, shift);
}

void drawFilledPanelBg(const Canvas& cv, const Skin& skin, const ColorSettings& colors, int32_t x1,
                       int32_t y1, int32_t x2, int32_t y2, int32_t colour) {
    drawFrameBgStyle2(cv, skin, x1, y1, x2, y2, colors.colorUiPanelFill, 72);
    if (int64_t(x2) - x1 > 5 && int64_t(y2) - y1 >= 6)
        fillRect(backgroundView(cv.frame), int64_t(x1) + 3, int64_t(y1) + 3, int64_t(x2) - 3,
                 int64_t(y2) - 3, uint8_t(colour));
}

void drawSkinSlider(const Canvas& cv, const Skin& skin, int32_t x, int32_t y, int32_t length,
                    int32_t orientation) {
    const SurfaceView bg = backgroundView(cv.frame);
    // One 15-pixel row of a cap from skin column 138.
    auto capRow = [&](int64_t cx, int64_t cy, int32_t sy) {
        if (cx < INT32_MIN || cx > INT32_MAX || cy < INT32_MIN || cy > INT32_MAX) return;
        blitOpaque(bg, skin, int32_t(cx), int32_t(cy), 138, sy, 15, 1);
    };
    auto shade = [](int32_t j) { return uint8_t(81 - std::abs(safeFloor(j - 6.5)) / 2); };
    const int64_t X = x, Y = y, far = int64_t(length) - 15;  // where the far cap starts
    const bool vertical = orientation == 1;
    for (int32_t j = 0; j < 15; ++j) {
        if (vertical) {
            capRow(X, Y + j, 467 + j);
            capRow(X, Y + far + j, 482 + j);
        } else {
            capRow(X, Y + j, 332 + j);
            capRow(X + far, Y + j, 317 + j);
        }
    }
    if (length < 31) return;
    for (int32_t j = 0; j < 15; ++j) {
        if (vertical)
            fillRect(bg, X + j, Y + 15, X + j, Y + length - 16, shade(j));
        else
            fillRect(bg, X + 15, Y + j, X + length - 16, Y + j, shade(j));
    }
}

}  // namespace korvel
