// The drawing conventions the static page panels share: titles, labels, frames, value boxes,
// scroll tracks, row stripes, tints and the dithered panes, all painted into the background.
#pragma once

#include <cstdint>
#include <string>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Fonts;
struct Skin;
struct Languages;
struct ColorSettings;
struct Random;

// What a panel reads to paint itself. The panels never see the editor: only the surfaces, the
// fonts, the skin, the current language, the colour settings and the random generator whose
// draws the dithered panes take (demos replay them).
struct PanelContext {
    Canvas cv;
    const Fonts& fonts;
    const Skin& skin;
    const Languages& langs;
    const ColorSettings& colors;
    Random& random;

    std::string msg(int32_t n) const;
    int32_t len(int32_t n) const;  // characters of message n
    uint8_t labelColour() const;   // ordinary labels

    // Outlined caption centred on x = 400.
    void title(int32_t n, int32_t colour, int32_t y = 560) const;
    void outlined(const std::string& text, int32_t x, int32_t y, int32_t colour) const;
    void label(int32_t n, int32_t x, int32_t y) const;
    void label(int32_t n, int32_t x, int32_t y, int32_t colour) const;
    void text(const std::string& s, int32_t x, int32_t y, int32_t colour) const;
    // On the line of message `first` (drawn from x = 8), k pixels after its end.
    int32_t after(int32_t first, int32_t k) const;
    int32_t centredOn(int32_t n, int32_t c) const;
    void propText(const std::string& s, int32_t x, int32_t y, int32_t colour) const;
    // The text in colour 0 at each offset, then in its colour at (x, y).
    void shadowed(const std::string& s, int32_t x, int32_t y, int32_t colour,
                  std::initializer_list<std::pair<int32_t, int32_t>> offsets) const;

    void frameA(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t fill = 0) const;
    void frameB(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t fill = 0) const;
    void valueBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const;
    void filledPanel(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour) const;
    void track(int32_t x, int32_t y, int32_t length, bool vertical) const;

    // Plain fills and the three blend-table tints, cut to the background.
    void fill(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour) const;
    void stripeTint(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const;
    void darken(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const;
    void tintOver(int32_t base, int32_t x1, int32_t y1, int32_t x2, int32_t y2) const;
    // Bands of 16 rows from row b down, every second one tinted, over `rows` rows of 16.
    void rowStripes(int32_t b, int32_t w, int32_t rows) const;
    // Columns x0..x0 + w, rows r0..r1, each pixel 79, 80 or 81 from its column and a fresh
    // random draw; rows from the bottom, columns left to right.
    void ditheredPane(int32_t x0, int32_t w, int32_t r0, int32_t r1) const;
    void pixel(int32_t x, int32_t y, int32_t colour) const;
};

// The colour of a dithered pane's pixel t columns into a pane of width w with the draw r.
int32_t ditherColour(int32_t t, int32_t w, float r);

}  // namespace korvel
