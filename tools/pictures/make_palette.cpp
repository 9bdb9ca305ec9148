// Builds the display palette Palette.pal (JASC text palette, CR LF) from the ramp description
// in data/palette/display-palette.txt.
#include "DataText.h"

using namespace korvel::datagen;

namespace {

Rgb parseRgb(const std::string& text, const std::string& where) {
    std::vector<int> v;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, ',')) v.push_back(toInt(part, where));
    if (v.size() != 3) fail("expected R,G,B in " + where);
    for (int c : v) {
        if (c < 0 || c > 255) fail("channel out of range in " + where);
    }
    return {v[0], v[1], v[2]};
}

int mix(int a, int b, int num, int den) {
    // Rounded to the nearest integer, halves up, so that the result does not depend on the
    // floating-point environment.
    return (a * (den - num) + b * num + den / 2) / den;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) fail("usage: make_palette SOURCE Palette.pal");
    const std::string source = argv[1];
    Palette pal{};
    std::array<bool, 256> defined{};
    std::vector<std::string> lines = splitLines(readFile(source));
    for (size_t i = 0; i < lines.size(); ++i) {
        if (isCommentOrBlank(lines[i])) continue;
        const std::string where = source + ":" + std::to_string(i + 1);
        std::vector<std::string> w = words(lines[i]);
        if (w[0] == "ramp" && w.size() >= 4) {
            int ramp = toInt(w[1], where);
            if (ramp < 0 || ramp > 20) fail("ramp number out of range in " + where);
            std::map<int, Rgb> anchors;
            for (size_t k = 3; k < w.size(); ++k) {
                size_t colon = w[k].find(':');
                if (colon == std::string::npos) fail("expected SHADE:R,G,B in " + where);
                int shade = toInt(w[k].substr(0, colon), where);
                if (shade < 0 || shade > 11) fail("shade out of range in " + where);
                anchors[shade] = parseRgb(w[k].substr(colon + 1), where);
            }
            if (!anchors.count(0) || !anchors.count(11)) fail("shades 0 and 11 needed in " + where);
            for (int s = 0; s < 12; ++s) {
                auto hi = anchors.lower_bound(s);
                Rgb c = hi->second;
                if (hi->first != s) {
                    auto lo = std::prev(hi);
                    int den = hi->first - lo->first, num = s - lo->first;
                    c = {mix(lo->second.r, hi->second.r, num, den),
                         mix(lo->second.g, hi->second.g, num, den),
                         mix(lo->second.b, hi->second.b, num, den)};
                }
                int index = ramp * 12 + s;
                pal[static_cast<size_t>(index)] = c;
                defined[static_cast<size_t>(index)] = true;
            }
        } else if (w[0] == "extra" && w.size() == 4) {
            int index = toInt(w[1], where);
            if (index < 252 || index > 255) fail("extra colours are 252 to 255 in " + where);
            pal[static_cast<size_t>(index)] = parseRgb(w[3], where);
            defined[static_cast<size_t>(index)] = true;
        } else {
            fail("unknown line in " + where);
        }
    }
    for (int k = 0; k < 256; ++k) {
        if (!defined[static_cast<size_t>(k)]) fail("colour " + std::to_string(k) + " is not defined");
    }
    std::string out = "JASC-PAL\r\n0100\r\n256\r\n";
    for (const Rgb& c : pal) {
        out += std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b) + "\r\n";
    }
    writeFile(argv[2], out);
    return 0;
}
