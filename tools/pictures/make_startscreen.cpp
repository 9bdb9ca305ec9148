// Draws the start screen mainscr.gif (800 x 600, 256 colours) whose colour table is the display
// palette read from Palette.pal. The left part stays dark and calm, because the start-up log and
// the information page write their text there; the right part shows the title over a
// wireframe room standing on a receding floor grid. Everything is computed, so every build
// writes the same picture.
#include <gif_lib.h>

#include <cmath>

#include "DataText.h"

using namespace korvel::datagen;

namespace {

constexpr int kW = 800, kH = 600;

// Ramps of the display palette (colour = 12 x ramp + shade).
constexpr int kGrey = 0, kAqua = 3, kSun = 5, kOrange = 7, kSky = 8, kViolet = 9, kDenim = 18,
              kIce = 20;

struct Canvas {
    std::vector<std::uint8_t> px = std::vector<std::uint8_t>(kW * kH, 0);  // top row first

    void set(int x, int y, int colour) {
        if (x >= 0 && y >= 0 && x < kW && y < kH) px[static_cast<size_t>(y * kW + x)] = static_cast<std::uint8_t>(colour);
    }
    int get(int x, int y) const { return px[static_cast<size_t>(y * kW + x)]; }
};

// A shade between two of a ramp's steps, spread by an ordered 4 x 4 dither.
int dithered(int ramp, double shade, int x, int y) {
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    double t = (bayer[y & 3][x & 3] + 0.5) / 16.0;
    int s = static_cast<int>(std::floor(shade + t));
    return ramp * 12 + std::clamp(s, 0, 11);
}

void line(Canvas& c, double x0, double y0, double x1, double y1, int colour) {
    int n = static_cast<int>(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0))) + 1;
    for (int i = 0; i <= n; ++i) {
        double t = static_cast<double>(i) / n;
        c.set(static_cast<int>(std::lround(x0 + (x1 - x0) * t)), static_cast<int>(std::lround(y0 + (y1 - y0) * t)), colour);
    }
}

using Glyphs = std::map<int, std::vector<std::string>>;

Glyphs readGlyphs(const std::string& path) {
    Glyphs glyphs;
    std::map<int, int> same;
    std::vector<std::string> preamble;
    for (const ArtBlock& b : readArtBlocks(path, {"glyph", "same"}, &preamble)) {
        std::vector<std::string> w = words(b.header);
        if (w[0] == "same") same[toInt(w[1], path)] = toInt(w[2], path);
        else glyphs[toInt(w[1], path)] = b.rows;
    }
    for (auto [code, base] : same) glyphs[code] = glyphs[base];
    return glyphs;
}

// Text scaled up from the 7x11 font; `paint` chooses the colour of each ink pixel from its
// position inside the glyph row (0 at the top of the capitals).
template <typename Paint>
void bigText(Canvas& c, const Glyphs& font, const std::string& text, int x, int y, int scale, int advance,
             Paint paint) {
    for (size_t k = 0; k < text.size(); ++k) {
        auto g = font.find(static_cast<unsigned char>(text[k]));
        if (g == font.end()) continue;
        for (size_t r = 0; r < g->second.size(); ++r) {
            for (size_t col = 0; col < g->second[r].size(); ++col) {
                if (g->second[r][col] != '#') continue;
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx)
                        c.set(x + static_cast<int>(k) * advance + static_cast<int>(col) * scale + dx,
                              y + static_cast<int>(r) * scale + dy,
                              paint(static_cast<int>(r) * scale + dy, static_cast<int>(col) * scale + dx));
            }
        }
    }
}

void background(Canvas& c) {
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            // Deep denim, a little lighter towards the right, where the picture is.
            double right = std::clamp((x - 430) / 370.0, 0.0, 1.0);
            double shade = 0.35 + 0.5 * (y / 600.0) + 1.6 * right * right;
            c.set(x, y, dithered(kDenim, shade, x, y));
        }
    }
    // A faint drawing-board grid over the calm left part.
    for (int y = 16; y < kH; ++y) {
        for (int x = 0; x < 440; ++x) {
            if ((x % 32 == 0 || y % 32 == 0) && ((x + y) & 1) == 0) c.set(x, y, kDenim * 12 + 1);
        }
    }
}

void glow(Canvas& c, double cx, double cy, double radius, int ramp, double strength) {
    for (int y = 0; y < kH; ++y) {
        for (int x = 440; x < kW; ++x) {
            double d = std::hypot((x - cx) / radius, (y - cy) / (radius * 0.6));
            if (d >= 1) continue;
            double shade = strength * (1 - d) * (1 - d);
            int current = c.get(x, y) % 12;
            if (shade > current) c.set(x, y, dithered(ramp, shade, x, y));
        }
    }
}

// A floor grid running towards a horizon, brighter near the viewer.
void floorGrid(Canvas& c) {
    const double horizon = 372, vx = 640;
    for (int k = -14; k <= 14; ++k) {
        double xBottom = vx + k * 70.0;
        for (int y = static_cast<int>(horizon) + 2; y < kH; ++y) {
            double t = (y - horizon) / (kH - horizon);
            double x = vx + (xBottom - vx) * t;
            if (x < 452) continue;
            c.set(static_cast<int>(std::lround(x)), y, dithered(kAqua, 1.5 + 6.5 * t, static_cast<int>(x), y));
        }
    }
    for (double d = 1; d <= 9; d += 0.55) {
        int y = static_cast<int>(horizon + 228.0 / d);
        if (y >= kH) continue;
        double t = (y - horizon) / (kH - horizon);
        for (int x = 452; x < kW; ++x) c.set(x, y, dithered(kAqua, 1.5 + 6.5 * t, x, y));
    }
}

// Wireframe of a few connected rooms, seen from above and in front, floor and ceiling outlines
// joined by their corner posts.
void rooms(Canvas& c) {
    struct P { double x, y; };
    const std::vector<std::vector<P>> outlines = {
        {{0, 0}, {220, 0}, {220, 120}, {150, 120}, {150, 180}, {0, 180}},
        {{150, 120}, {220, 120}, {300, 170}, {300, 260}, {150, 260}, {150, 180}},
        {{60, 180}, {150, 180}, {150, 260}, {60, 260}},
    };
    auto project = [](P p, double h) {
        // Oblique view: map x to the right, map y into the picture, height upwards.
        return P{486 + p.x * 0.7 + p.y * 0.36, 548 - p.y * 0.34 - h * 0.8};
    };
    const double heights[3] = {110, 150, 80};
    for (size_t r = 0; r < outlines.size(); ++r) {
        const auto& o = outlines[r];
        for (size_t i = 0; i < o.size(); ++i) {
            P a = o[i], b = o[(i + 1) % o.size()];
            P fa = project(a, 0), fb = project(b, 0), ca = project(a, heights[r]), cb = project(b, heights[r]);
            line(c, fa.x, fa.y, fb.x, fb.y, kSky * 12 + 6);
            line(c, ca.x, ca.y, cb.x, cb.y, kSky * 12 + 10);
            line(c, fa.x, fa.y, ca.x, ca.y, kSky * 12 + 8);
        }
        for (const P& p : o) {
            P f = project(p, 0), t = project(p, heights[r]);
            for (int d = -1; d <= 1; ++d) {
                c.set(static_cast<int>(f.x) + d, static_cast<int>(f.y), kIce * 12 + 11);
                c.set(static_cast<int>(f.x), static_cast<int>(f.y) + d, kIce * 12 + 11);
                c.set(static_cast<int>(t.x) + d, static_cast<int>(t.y), kIce * 12 + 11);
                c.set(static_cast<int>(t.x), static_cast<int>(t.y) + d, kIce * 12 + 11);
            }
        }
    }
    // The player start: an arrow on the floor of the first room.
    P s = project({70, 60}, 0), e = project({130, 60}, 0);
    line(c, s.x, s.y, e.x, e.y, kSun * 12 + 9);
    line(c, e.x, e.y, e.x - 9, e.y - 5, kSun * 12 + 9);
    line(c, e.x, e.y, e.x - 9, e.y + 5, kSun * 12 + 9);
}

void title(Canvas& c, const Glyphs& font) {
    const std::string name = "KORVEL";
    const int scale = 6, advance = 48, x = 472, y = 70;
    // Shadow first, then the letters with a sunset gradient and a bright top edge.
    bigText(c, font, name, x + 5, y + 6, scale, advance, [](int, int) { return kGrey * 12 + 0; });
    bigText(c, font, name, x, y, scale, advance, [](int row, int col) {
        int top = row - 12;  // capitals start on glyph row 2
        if (top < 3) return kSun * 12 + 11;
        double t = top / 42.0;
        if (t < 0.5) return kSun * 12 + 9 - static_cast<int>(t * 6) + ((col & 1) && t > 0.4 ? 0 : 0);
        return kOrange * 12 + 9 - static_cast<int>((t - 0.5) * 8);
    });
    bigText(c, font, "MAP EDITOR", 566, 150, 2, 16, [](int, int) { return kIce * 12 + 10; });
    bigText(c, font, "for BUILD-engine maps", 558, 184, 1, 8, [](int, int) { return kIce * 12 + 7; });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) fail("usage: make_startscreen Palette.pal GLYPHS mainscr.gif");
    const Palette palette = readPalFile(argv[1]);
    const Glyphs font = readGlyphs(argv[2]);

    Canvas c;
    background(c);
    glow(c, 630, 128, 330, kViolet, 2.6);
    floorGrid(c);
    rooms(c);
    title(c, font);

    std::vector<GifColorType> colours(256);
    for (int i = 0; i < 256; ++i) {
        colours[static_cast<size_t>(i)] = {static_cast<GifByteType>(palette[static_cast<size_t>(i)].r),
                                           static_cast<GifByteType>(palette[static_cast<size_t>(i)].g),
                                           static_cast<GifByteType>(palette[static_cast<size_t>(i)].b)};
    }
    // Encoded into memory and written in one piece, so the file gets ordinary permissions.
    std::string bytes;
    auto append = [](GifFileType* file, const GifByteType* data, int length) {
        static_cast<std::string*>(file->UserData)->append(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
        return length;
    };
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, append, &error);
    if (!gif) fail(std::string("cannot encode the start screen: ") + GifErrorString(error));
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    bool ok = map && EGifPutScreenDesc(gif, kW, kH, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, kW, kH, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < kH; ++y) {
        ok = EGifPutLine(gif, c.px.data() + static_cast<size_t>(y) * kW, kW) == GIF_OK;
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK || !ok) fail("cannot encode the start screen");
    writeFile(argv[3], bytes);
    return 0;
}
