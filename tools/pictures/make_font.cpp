// Builds one font sheet (1-bit BMP, codes 32 to 255 in 14 rows of 16 cells) and, for a
// proportional font, its width file, from a glyph file in data/fonts/.
//
// Glyph file: "cell W H", "kind mono|proportional", "space N" (advance width of codes 32 and 160
// in a proportional font), then blocks "glyph CODE [name]" followed by H rows of art ('#' ink,
// '.' empty, top row first) and one-line blocks "same CODE BASE" that reuse glyph BASE.
// The width of a proportional glyph is its rightmost ink column + 1; glyphs start at column 0.
#include "DataText.h"

using namespace korvel::datagen;

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) fail("usage: make_font GLYPHS SHEET.bmp [WIDTHS.wid]");
    const std::string source = argv[1];
    std::vector<std::string> preamble;
    std::vector<ArtBlock> blocks = readArtBlocks(source, {"glyph", "same"}, &preamble);

    int cellW = 0, cellH = 0, spaceWidth = -1;
    bool proportional = false;
    for (const std::string& line : preamble) {
        std::vector<std::string> w = words(line);
        if (w.size() == 3 && w[0] == "cell") {
            cellW = toInt(w[1], source);
            cellH = toInt(w[2], source);
        } else if (w.size() == 2 && w[0] == "kind") {
            proportional = w[1] == "proportional";
        } else if (w.size() == 2 && w[0] == "space") {
            spaceWidth = toInt(w[1], source);
        } else {
            fail(source + ": unknown setting '" + line + "'");
        }
    }
    if (cellW < 1 || cellW > 9 || cellH < 1) fail(source + ": bad cell size");
    if (proportional != (argc == 4)) fail(source + ": a width file goes with a proportional font");
    if (proportional && (spaceWidth < 1 || spaceWidth > cellW)) fail(source + ": bad space width");

    // glyph[code] holds cellH rows of cellW flags, top row first.
    std::vector<std::vector<std::string>> glyph(256);
    std::vector<int> sameAs(256, -1);
    auto where = [&](const ArtBlock& b) { return source + ":" + std::to_string(b.line); };
    for (const ArtBlock& b : blocks) {
        std::vector<std::string> w = words(b.header);
        if (w.size() < 2) fail(where(b) + ": code missing");
        int code = toInt(w[1], where(b));
        if (code < 33 || code > 255 || code == 160) fail(where(b) + ": code out of range");
        if (!glyph[static_cast<size_t>(code)].empty() || sameAs[static_cast<size_t>(code)] >= 0)
            fail(where(b) + ": code defined twice");
        if (w[0] == "same") {
            if (w.size() != 3 || !b.rows.empty()) fail(where(b) + ": expected 'same CODE BASE'");
            sameAs[static_cast<size_t>(code)] = toInt(w[2], where(b));
            continue;
        }
        if (static_cast<int>(b.rows.size()) != cellH)
            fail(where(b) + ": expected " + std::to_string(cellH) + " rows");
        std::vector<std::string> rows;
        for (const std::string& r : b.rows) {
            if (static_cast<int>(r.size()) > cellW) fail(where(b) + ": row wider than the cell");
            std::string flags(static_cast<size_t>(cellW), '.');
            for (size_t x = 0; x < r.size(); ++x) {
                if (r[x] == '#') flags[x] = '#';
                else if (r[x] != '.' && r[x] != ' ') fail(where(b) + ": unknown art character");
            }
            rows.push_back(flags);
        }
        glyph[static_cast<size_t>(code)] = rows;
    }
    for (int code = 33; code < 256; ++code) {
        if (code == 160) continue;
        int base = sameAs[static_cast<size_t>(code)];
        if (base >= 0) {
            if (base < 33 || base > 255 || glyph[static_cast<size_t>(base)].empty())
                fail(source + ": glyph " + std::to_string(code) + " reuses an undrawn glyph");
            glyph[static_cast<size_t>(code)] = glyph[static_cast<size_t>(base)];
        }
        if (glyph[static_cast<size_t>(code)].empty())
            fail(source + ": no glyph for code " + std::to_string(code));
    }

    const int sheetW = 16 * cellW, sheetH = 14 * cellH;
    const int stride = 4 * ((sheetW + 31) / 32);
    std::vector<std::uint8_t> bits(static_cast<size_t>(stride * sheetH), 0);
    std::string widths;
    for (int code = 32; code < 256; ++code) {
        const std::vector<std::string>& g = glyph[static_cast<size_t>(code)];
        int width = spaceWidth;
        if (!g.empty()) {
            width = 0;
            for (int r = 0; r < cellH; ++r) {
                for (int x = 0; x < cellW; ++x) {
                    if (g[static_cast<size_t>(r)][static_cast<size_t>(x)] != '#') continue;
                    width = std::max(width, x + 1);
                    int sheetX = (code % 16) * cellW + x;
                    int sheetY = (15 - code / 16) * cellH + (cellH - 1 - r);  // from the bottom
                    bits[static_cast<size_t>(sheetY * stride + sheetX / 8)] |=
                        static_cast<std::uint8_t>(0x80 >> (sheetX % 8));
                }
            }
        }
        widths += static_cast<char>('0' + width);
    }

    std::string bmp = bmpHeaders(sheetW, sheetH, 1, 2, static_cast<std::uint32_t>(bits.size()));
    bmp += std::string("\0\0\0\0", 4);
    bmp += std::string("\xFF\xFF\xFF\0", 4);
    bmp.append(reinterpret_cast<const char*>(bits.data()), bits.size());
    writeFile(argv[2], bmp);
    if (proportional) writeFile(argv[3], widths);
    return 0;
}
