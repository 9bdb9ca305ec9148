#include "ui/Text.h"

#include <algorithm>

#include "ui/Fonts.h"

namespace korvel {

namespace {

struct Face {
    const uint8_t* sheet;
    int32_t sheetWidth, cellWidth, cellHeight;
    const uint8_t* widths;  // nullptr for the monospaced fonts
};

Face face4x6(const Fonts& f) {
    return {f.font4x6.data(), 64, 4, 6, nullptr};
}
Face face7x11(const Fonts& f) {
    return {f.font7x11.data(), 112, 7, 11, nullptr};
}
Face face5x7(const Fonts& f) {
    return {f.font5x7.data(), 80, 5, 7, f.font5x7Widths.data()};
}
Face face8x11(const Fonts& f) {
    return {f.font8x11.data(), 128, 8, 11, f.font8x11Widths.data()};
}

int32_t glyphCode(unsigned char ch) {
    return ch < 32 ? 128 : ch;
}

// Columns the glyph of code c covers: the cell for a monospaced font, its width otherwise (never
// more than the cell, so no neighbouring glyph shows).
int32_t glyphWidth(const Face& f, int32_t c) {
    return f.widths ? std::min<int32_t>(f.widths[c - 32], f.cellWidth) : f.cellWidth;
}

const uint8_t* glyphPixels(const Face& f, int32_t c) {
    return f.sheet + size_t((15 - c / 16) * f.cellHeight) * f.sheetWidth + (c % 16) * f.cellWidth;
}

// The part of a glyph box at (x0, y) of w x h pixels that lies inside clip, as cell offsets.
struct Span {
    int32_t kLo, kHi, rLo, rHi;
};
Span visible(const ClipRect& clip, int64_t x0, int64_t y, int32_t w, int32_t h) {
    auto lowEdge = [](int64_t v, int32_t size) { return int32_t(std::clamp<int64_t>(v, 0, size)); };
    auto highEdge = [](int64_t v, int32_t size) {
        return int32_t(std::clamp<int64_t>(v, -1, size - 1));
    };
    return {lowEdge(clip.x0 - x0, w), highEdge(clip.x1 - x0, w), lowEdge(clip.y0 - y, h),
            highEdge(clip.y1 - y, h)};
}

enum class Ink { Transparent, Bold, Opaque };

// Writes one glyph; pixels outside clip (which lies within the surface) are left alone.
template <class Write>
void forGlyphPixels(const SurfaceView& s, const ClipRect& clip, const Face& f, int32_t c,
                    int64_t x0, int64_t y, int32_t w, Write&& write) {
    const Span v = visible(clip, x0, y, w, f.cellHeight);
    const uint8_t* src = glyphPixels(f, c);
    for (int32_t r = v.rLo; r <= v.rHi; ++r) {
        const uint8_t* in = src + size_t(r) * f.sheetWidth;
        uint8_t* row = &s.at(0, int32_t(y + r));
        for (int32_t k = v.kLo; k <= v.kHi; ++k) write(row[x0 + k], in[k] != 0);
    }
}

// x and y are 64-bit so that the outline's neighbours of a text at the limits do not overflow.
void drawString(const SurfaceView& s, ClipRect clip, const Face& f, const std::string& text,
                int64_t x, int64_t y, Ink ink, uint8_t fg, uint8_t bg = 0) {
    clip = {std::max(clip.x0, 0), std::max(clip.y0, 0), std::min(clip.x1, s.width - 1),
            std::min(clip.y1, s.height - 1)};
    if (y > clip.y1 || y + f.cellHeight - 1 < clip.y0) return;
    int64_t x0 = x;
    for (const unsigned char ch : text) {
        if (x0 > clip.x1) break;  // advances are positive: nothing further is visible
        const int32_t c = glyphCode(ch);
        const int32_t w = glyphWidth(f, c);
        switch (ink) {
            case Ink::Transparent:
                forGlyphPixels(s, clip, f, c, x0, y, w, [&](uint8_t& px, bool on) {
                    if (on) px = fg;
                });
                break;
            case Ink::Bold:
                for (int64_t shift = 0; shift <= 1; ++shift)
                    forGlyphPixels(s, clip, f, c, x0 + shift, y, w, [&](uint8_t& px, bool on) {
                        if (on) px = fg;
                    });
                break;
            case Ink::Opaque: {
                forGlyphPixels(s, clip, f, c, x0, y, w,
                               [&](uint8_t& px, bool on) { px = on ? fg : bg; });
                // The spacing column after the cell belongs to the character's box too.
                const int64_t gap = x0 + f.cellWidth;
                if (gap >= clip.x0 && gap <= clip.x1)
                    for (int64_t row = std::max<int64_t>(y, clip.y0);
                         row <= std::min<int64_t>(y + f.cellHeight - 1, clip.y1); ++row)
                        s.at(int32_t(gap), int32_t(row)) = bg;
                break;
            }
        }
        const int32_t advance = f.widths ? w + 1 : f.cellWidth + 1;
        x0 += advance + (ink == Ink::Bold ? 1 : 0);
    }
}

int32_t textWidth(const Face& f, const std::string& text, int32_t extra) {
    int64_t sum = 0;
    for (const unsigned char ch : text) sum += glyphWidth(f, glyphCode(ch)) + extra;
    return int32_t(std::clamp<int64_t>(sum - 1, INT32_MIN, INT32_MAX));
}

// Four copies in the outline colour around the text, then the text over them.
void outlined(const SurfaceView& s, const Face& f, const std::string& text, int64_t x, int64_t y,
              uint8_t inner, uint8_t outline) {
    drawString(s, kWholeScreen, f, text, x - 1, y, Ink::Transparent, outline);
    drawString(s, kWholeScreen, f, text, x + 1, y, Ink::Transparent, outline);
    drawString(s, kWholeScreen, f, text, x, y - 1, Ink::Transparent, outline);
    drawString(s, kWholeScreen, f, text, x, y + 1, Ink::Transparent, outline);
    drawString(s, kWholeScreen, f, text, x, y, Ink::Transparent, inner);
}

void drawGlyph(const Canvas& cv, const Face& f, int32_t x, int32_t y, int32_t code, int32_t colour,
               int32_t mode, const ClipRect& clip) {
    if (mode < 0 || mode > 2) return;
    const int32_t c = glyphCode(uint8_t(code));
    const SurfaceView s = backgroundView(cv.frame);
    const uint8_t* blend = cv.colors.blendTable.data();
    const uint8_t col = uint8_t(colour);
    const ClipRect inside{std::max(clip.x0, 0), std::max(clip.y0, 0),
                          std::min(clip.x1, s.width - 1), std::min(clip.y1, s.height - 1)};
    if (inside.x0 > inside.x1 || inside.y0 > inside.y1) return;
    forGlyphPixels(s, inside, f, c, x, y, glyphWidth(f, c), [&](uint8_t& px, bool on) {
        if (!on) return;
        if (mode == 0)
            px = blend[col * 256 + px];
        else if (mode == 1)
            px = blend[px * 256 + col];
        else
            px = col;
    });
}

}  // namespace

void drawText(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x, int32_t y,
              int32_t colour) {
    drawString(screenView(cv.frame), kWholeScreen, face7x11(fonts), text, x, y, Ink::Transparent,
               uint8_t(colour));
}

void drawTextBg(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x, int32_t y,
                int32_t colour) {
    drawString(backgroundView(cv.frame), kWholeScreen, face7x11(fonts), text, x, y,
               Ink::Transparent, uint8_t(colour));
}

void drawTextMapClipped(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                        int32_t y, int32_t colour) {
    drawString(screenView(cv.frame), kMapView, face7x11(fonts), text, x, y, Ink::Transparent,
               uint8_t(colour));
}

void drawOutlinedText(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                      int32_t y, int32_t textColour, int32_t outlineColour) {
    outlined(screenView(cv.frame), face7x11(fonts), text, x, y, uint8_t(textColour),
             uint8_t(outlineColour));
}

void drawOutlinedTextBg(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                        int32_t y, int32_t colour) {
    outlined(backgroundView(cv.frame), face7x11(fonts), text, x, y, uint8_t(colour + 5),
             uint8_t(colour - 2));
}

void drawSmallText(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                   int32_t y, int32_t colour) {
    drawString(screenView(cv.frame), kWholeScreen, face4x6(fonts), text, x, y, Ink::Transparent,
               uint8_t(colour));
}

void drawSmallTextBg(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                     int32_t y, int32_t colour) {
    drawString(backgroundView(cv.frame), kWholeScreen, face4x6(fonts), text, x, y, Ink::Transparent,
               uint8_t(colour));
}

void drawSmallTextOpaque(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                         int32_t y, int32_t background, int32_t foreground) {
    drawString(screenView(cv.frame), kWholeScreen, face4x6(fonts), text, x, y, Ink::Opaque,
               uint8_t(foreground), uint8_t(background));
}

void drawSmallTextMapClipped(const Canvas& cv, const Fonts& fonts, const std::string& text,
                             int32_t x, int32_t y, int32_t colour) {
    drawString(screenView(cv.frame), kMapView, face4x6(fonts), text, x, y, Ink::Transparent,
               uint8_t(colour));
}

void drawPropText(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                  int32_t y, int32_t colour) {
    drawString(screenView(cv.frame), kWholeScreen, face8x11(fonts), text, x, y, Ink::Transparent,
               uint8_t(colour));
}

void drawPropTextBg(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                    int32_t y, int32_t colour) {
    drawString(backgroundView(cv.frame), kWholeScreen, face8x11(fonts), text, x, y,
               Ink::Transparent, uint8_t(colour));
}

void drawPropTextMenu(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                      int32_t y, int32_t colour) {
    const SurfaceView menu = menuView(cv.frame);
    drawString(menu, menu.bounds(), face8x11(fonts), text, x, y, Ink::Transparent, uint8_t(colour));
}

void drawPropTextBold(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                      int32_t y, int32_t colour) {
    drawString(screenView(cv.frame), kWholeScreen, face8x11(fonts), text, x, y, Ink::Bold,
               uint8_t(colour));
}

void drawPropTextBoldBg(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                        int32_t y, int32_t colour) {
    drawString(backgroundView(cv.frame), kWholeScreen, face8x11(fonts), text, x, y, Ink::Bold,
               uint8_t(colour));
}

void drawPropTextBoldMenu(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                          int32_t y, int32_t colour) {
    const SurfaceView menu = menuView(cv.frame);
    drawString(menu, menu.bounds(), face8x11(fonts), text, x, y, Ink::Bold, uint8_t(colour));
}

void drawSmallPropText(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                       int32_t y, int32_t colour) {
    drawString(screenView(cv.frame), kWholeScreen, face5x7(fonts), text, x, y, Ink::Transparent,
               uint8_t(colour));
}

int32_t propTextWidth(const Fonts& fonts, const std::string& text) {
    return textWidth(face8x11(fonts), text, 1);
}

int32_t propTextWidthBold(const Fonts& fonts, const std::string& text) {
    return textWidth(face8x11(fonts), text, 2);
}

int32_t smallPropTextWidth(const Fonts& fonts, const std::string& text) {
    return textWidth(face5x7(fonts), text, 1);
}

void drawGlyphMono4x6(const Canvas& cv, const Fonts& fonts, int32_t x, int32_t y, int32_t code,
                      int32_t colour, int32_t mode, const ClipRect& clip) {
    drawGlyph(cv, face4x6(fonts), x, y, code, colour, mode, clip);
}

void drawGlyphMono7x11(const Canvas& cv, const Fonts& fonts, int32_t x, int32_t y, int32_t code,
                       int32_t colour, int32_t mode, const ClipRect& clip) {
    drawGlyph(cv, face7x11(fonts), x, y, code, colour, mode, clip);
}

void drawGlyphProp5x7(const Canvas& cv, const Fonts& fonts, int32_t x, int32_t y, int32_t code,
                      int32_t colour, int32_t mode, const ClipRect& clip) {
    drawGlyph(cv, face5x7(fonts), x, y, code, colour, mode, clip);
}

void drawGlyphProp8x11(const Canvas& cv, const Fonts& fonts, int32_t x, int32_t y, int32_t code,
                       int32_t colour, int32_t mode, const ClipRect& clip) {
    drawGlyph(cv, face8x11(fonts), x, y, code, colour, mode, clip);
}

void drawTextClipped(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                     int32_t y, int32_t colour, const ClipRect& clip) {
    drawString(screenView(cv.frame), clip, face7x11(fonts), text, x, y, Ink::Transparent,
               uint8_t(colour));
}

void drawPropTextClipped(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                         int32_t y, int32_t colour, const ClipRect& clip) {
    drawString(screenView(cv.frame), clip, face8x11(fonts), text, x, y, Ink::Transparent,
               uint8_t(colour));
}

void drawSmallTextClipped(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                          int32_t y, int32_t colour, const ClipRect& clip) {
    drawString(screenView(cv.frame), clip, face4x6(fonts), text, x, y, Ink::Transparent,
               uint8_t(colour));
}

}  // namespace korvel
