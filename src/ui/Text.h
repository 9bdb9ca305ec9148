// Text in the four bitmap fonts: the string drawers (by font, target surface, ink mode and
// clipping), the width functions of the proportional fonts and the single-glyph drawers. The y
// given is the text's bottom row; codes below 32 are drawn and measured as code 128. Every drawer
// keeps to its target surface, and the map-view drawers to rows 128..583.
#pragma once

#include <cstdint>
#include <string>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Fonts;

// 7x11 monospaced font, 8 pixels per character.
void drawText(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x, int32_t y,
              int32_t colour);
void drawTextBg(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x, int32_t y,
                int32_t colour);
void drawTextMapClipped(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                        int32_t y, int32_t colour);
// Four copies in the outline colour around (x, y), then the text over them.
void drawOutlinedText(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                      int32_t y, int32_t textColour, int32_t outlineColour);
// Into the background: the outline in colour c - 2, the text in colour c + 5.
void drawOutlinedTextBg(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                        int32_t y, int32_t colour);

// 4x6 monospaced font, 5 pixels per character.
void drawSmallText(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                   int32_t y, int32_t colour);
void drawSmallTextBg(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                     int32_t y, int32_t colour);
// Fills each character's whole 5 x 6 box: ink in the foreground, the rest in the background.
void drawSmallTextOpaque(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                         int32_t y, int32_t background, int32_t foreground);
void drawSmallTextMapClipped(const Canvas& cv, const Fonts& fonts, const std::string& text,
                             int32_t x, int32_t y, int32_t colour);

// 8x11 proportional font, glyph width + 1 per character (bold: + 2, each ink pixel doubled to
// the right).
void drawPropText(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                  int32_t y, int32_t colour);
void drawPropTextBg(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                    int32_t y, int32_t colour);
void drawPropTextMenu(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                      int32_t y, int32_t colour);
void drawPropTextBold(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                      int32_t y, int32_t colour);
void drawPropTextBoldBg(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                        int32_t y, int32_t colour);
void drawPropTextBoldMenu(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                          int32_t y, int32_t colour);

// 5x7 proportional font, glyph width + 1 per character.
void drawSmallPropText(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                       int32_t y, int32_t colour);

// Widths in pixels: the sum of the advances minus 1, so the empty text measures -1.
int32_t propTextWidth(const Fonts& fonts, const std::string& text);
int32_t propTextWidthBold(const Fonts& fonts, const std::string& text);
int32_t smallPropTextWidth(const Fonts& fonts, const std::string& text);

// One glyph into the background, cut to clip. Mode 0 lays a third of the colour over each ink
// pixel, mode 1 two thirds, mode 2 the plain colour; other modes draw nothing.
void drawGlyphMono4x6(const Canvas& cv, const Fonts& fonts, int32_t x, int32_t y, int32_t code,
                      int32_t colour, int32_t mode, const ClipRect& clip = kWholeScreen);
void drawGlyphMono7x11(const Canvas& cv, const Fonts& fonts, int32_t x, int32_t y, int32_t code,
                       int32_t colour, int32_t mode, const ClipRect& clip = kWholeScreen);
void drawGlyphProp5x7(const Canvas& cv, const Fonts& fonts, int32_t x, int32_t y, int32_t code,
                      int32_t colour, int32_t mode, const ClipRect& clip = kWholeScreen);
void drawGlyphProp8x11(const Canvas& cv, const Fonts& fonts, int32_t x, int32_t y, int32_t code,
                       int32_t colour, int32_t mode, const ClipRect& clip = kWholeScreen);

// Screen text cut to clip (which is further cut to the screen): the 7x11, the 8x11 proportional
// and the 4x6 fonts, for texts of any length in boxes of fixed size.
void drawTextClipped(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                     int32_t y, int32_t colour, const ClipRect& clip);
void drawPropTextClipped(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                         int32_t y, int32_t colour, const ClipRect& clip);
void drawSmallTextClipped(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                          int32_t y, int32_t colour, const ClipRect& clip);

}  // namespace korvel
