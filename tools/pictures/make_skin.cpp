// Builds the skin uinterfc.bmp (512 x 512, 8-bit, values are display-palette indices) from
// data/skin/: layout.txt names where every piece goes and which characters stand for which
// palette index; the other files hold the pieces as character art.
//
// layout.txt:   legend NAME          block of "CHAR INDEX" lines ('.' is usually 255)
//               place NAME X Y W H   lower-left corner in skin coordinates (rows from the bottom)
//               icons X Y W H        toolbar icon cells: code i at X + W (i div 16),
//                                    Y - H (i mod 16), codes 0 to 255
//               neutral NAME         the piece shown in icon cells that have no icon
// art files:    art NAME LEGEND      then the rows of the piece, top row first
//               icon CODE NAME       a toolbar icon, drawn with the legend "colours"
// The file's own colour table is the display palette, so that the skin can be looked at in
// any picture viewer; the program ignores it.
#include <filesystem>

#include "DataText.h"

using namespace korvel::datagen;

namespace {

constexpr int kSize = 512;

struct Art {
    std::string legend;
    std::vector<std::string> rows;
    std::string where;
};

struct Skin {
    std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(kSize * kSize, 255);
    std::vector<std::string> owner = std::vector<std::string>(kSize * kSize);
};

void paint(Skin& skin, const std::map<std::string, std::map<char, int>>& legends, const Art& art,
           const std::string& name, int x0, int y0, int w, int h) {
    auto legend = legends.find(art.legend);
    if (legend == legends.end()) fail(art.where + ": unknown legend " + art.legend);
    if (static_cast<int>(art.rows.size()) != h) fail(art.where + ": expected " + std::to_string(h) + " rows");
    if (x0 < 0 || y0 < 0 || x0 + w > kSize || y0 + h > kSize) fail(name + " lies outside the skin");
    for (int r = 0; r < h; ++r) {
        const std::string& row = art.rows[static_cast<size_t>(r)];
        if (static_cast<int>(row.size()) != w)
            fail(art.where + ": row " + std::to_string(r + 1) + " is not " + std::to_string(w) + " wide");
        const int y = y0 + h - 1 - r;
        for (int c = 0; c < w; ++c) {
            auto colour = legend->second.find(row[static_cast<size_t>(c)]);
            if (colour == legend->second.end())
                fail(art.where + ": character '" + std::string(1, row[static_cast<size_t>(c)]) +
                     "' is not in legend " + art.legend);
            const size_t at = static_cast<size_t>(y * kSize + x0 + c);
            if (!skin.owner[at].empty()) fail(name + " overlaps " + skin.owner[at]);
            skin.owner[at] = name;
            skin.pixels[at] = static_cast<std::uint8_t>(colour->second);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) fail("usage: make_skin SKIN_FOLDER Palette.pal uinterfc.bmp");
    const std::filesystem::path folder = argv[1];
    const Palette palette = readPalFile(argv[2]);

    std::map<std::string, Art> arts;
    std::map<int, Art> icons;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".txt" && entry.path().filename() != "layout.txt")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        for (ArtBlock& b : readArtBlocks(file.string(), {"art", "icon"})) {
            std::vector<std::string> w = words(b.header);
            const std::string where = file.string() + ":" + std::to_string(b.line);
            if (w[0] == "art") {
                if (w.size() != 3) fail(where + ": expected 'art NAME LEGEND'");
                if (arts.count(w[1])) fail(where + ": piece " + w[1] + " drawn twice");
                arts[w[1]] = {w[2], b.rows, where};
            } else {
                if (w.size() < 2) fail(where + ": expected 'icon CODE NAME'");
                int code = toInt(w[1], where);
                if (code < 0 || code > 255 || icons.count(code)) fail(where + ": bad or repeated icon code");
                icons[code] = {"colours", b.rows, where};
            }
        }
    }

    Skin skin;
    std::map<std::string, std::map<char, int>> legends;
    std::vector<ArtBlock> layout = readArtBlocks((folder / "layout.txt").string(),
                                                 {"legend", "place", "icons", "neutral"});
    std::string neutral;
    for (const ArtBlock& b : layout) {
        std::vector<std::string> w = words(b.header);
        const std::string where = "layout.txt:" + std::to_string(b.line);
        if (w[0] == "legend") {
            if (w.size() != 2) fail(where + ": expected 'legend NAME'");
            for (const std::string& row : b.rows) {
                std::vector<std::string> e = words(row.substr(0, row.find(" #")));
                if (e.size() != 2 || e[0].size() != 1) fail(where + ": expected 'CHAR INDEX'");
                int index = toInt(e[1], where);
                if (index < 0 || index > 255) fail(where + ": index out of range");
                legends[w[1]][e[0][0]] = index;
            }
        } else if (w[0] == "neutral") {
            if (w.size() != 2) fail(where + ": expected 'neutral NAME'");
            neutral = w[1];
        }
    }
    for (const ArtBlock& b : layout) {
        std::vector<std::string> w = words(b.header);
        const std::string where = "layout.txt:" + std::to_string(b.line);
        if (w[0] == "place") {
            if (w.size() != 6) fail(where + ": expected 'place NAME X Y W H'");
            auto art = arts.find(w[1]);
            if (art == arts.end()) fail(where + ": no art for " + w[1]);
            paint(skin, legends, art->second, w[1], toInt(w[2], where), toInt(w[3], where),
                  toInt(w[4], where), toInt(w[5], where));
            arts.erase(art);
        } else if (w[0] == "icons") {
            if (w.size() != 5) fail(where + ": expected 'icons X Y W H'");
            const int x = toInt(w[1], where), y = toInt(w[2], where);
            const int cw = toInt(w[3], where), ch = toInt(w[4], where);
            auto mark = arts.find(neutral);
            if (mark == arts.end()) fail(where + ": no art for the neutral mark " + neutral);
            for (int code = 0; code < 256; ++code) {
                auto icon = icons.find(code);
                const Art& art = icon != icons.end() ? icon->second : mark->second;
                paint(skin, legends, art, "icon " + std::to_string(code), x + cw * (code / 16),
                      y - ch * (code % 16), cw, ch);
            }
            arts.erase(mark);
        }
    }
    if (!arts.empty()) fail("piece " + arts.begin()->first + " is drawn but not placed");

    std::string bmp = bmpHeaders(kSize, kSize, 8, 256, kSize * kSize);
    for (const Rgb& c : palette) {
        bmp.push_back(static_cast<char>(c.b));
        bmp.push_back(static_cast<char>(c.g));
        bmp.push_back(static_cast<char>(c.r));
        bmp.push_back('\0');
    }
    bmp.append(reinterpret_cast<const char*>(skin.pixels.data()), skin.pixels.size());
    writeFile(argv[3], bmp);
    return 0;
}
