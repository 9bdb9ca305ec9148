// Small helpers shared by the picture, sound and settings generators of the data folder:
// reading the readable sources in data/, the display palette, and writing BMP files.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace korvel::datagen {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

using Palette = std::array<Rgb, 256>;

[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "data generator: %s\n", what.c_str());
    std::exit(1);
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) fail("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) fail("cannot write " + path);
}

// Lines without their line ends; a trailing CR is dropped so sources may use either convention.
inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

inline std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    std::string w;
    while (in >> w) out.push_back(w);
    return out;
}

// Art rows may start with '#' (ink), so a comment is '#' followed by a blank.
inline bool isComment(const std::string& line) {
    return line.rfind("# ", 0) == 0;
}

inline bool isCommentOrBlank(const std::string& line) {
    if (isComment(line) || line == "#") return true;
    return line.find_first_not_of(" \t") == std::string::npos;
}

inline int toInt(const std::string& s, const std::string& where) {
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 0);
    if (s.empty() || *end != '\0') fail("not a number '" + s + "' in " + where);
    return static_cast<int>(v);
}

inline void putLe16(std::string& out, unsigned v) {
    out.push_back(static_cast<char>(v & 255));
    out.push_back(static_cast<char>((v >> 8) & 255));
}

inline void putLe32(std::string& out, std::uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

// BITMAPFILEHEADER + BITMAPINFOHEADER for an uncompressed bottom-up picture.
inline std::string bmpHeaders(int width, int height, int bitsPerPixel, int paletteEntries,
                              std::uint32_t pixelBytes) {
    std::string h;
    std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(paletteEntries);
    h += "BM";
    putLe32(h, offset + pixelBytes);
    putLe32(h, 0);
    putLe32(h, offset);
    putLe32(h, 40);
    putLe32(h, static_cast<std::uint32_t>(width));
    putLe32(h, static_cast<std::uint32_t>(height));
    putLe16(h, 1);
    putLe16(h, static_cast<unsigned>(bitsPerPixel));
    putLe32(h, 0);
    putLe32(h, pixelBytes);
    putLe32(h, 2835);
    putLe32(h, 2835);
    putLe32(h, static_cast<std::uint32_t>(paletteEntries));
    putLe32(h, 0);
    return h;
}

// Reads the JASC text palette written by the palette generator (colour k on line k + 4).
inline Palette readPalFile(const std::string& path) {
    std::vector<std::string> lines = splitLines(readFile(path));
    if (lines.size() < 259) fail(path + " is shorter than 259 lines");
    Palette pal{};
    for (int k = 0; k < 256; ++k) {
        std::vector<std::string> w = words(lines[static_cast<size_t>(k + 3)]);
        if (w.size() != 3) fail(path + ": colour line without three values");
        pal[static_cast<size_t>(k)] = {toInt(w[0], path), toInt(w[1], path), toInt(w[2], path)};
    }
    return pal;
}

// A picture drawn as characters: one string per row, top row first.
struct ArtBlock {
    std::string header;                 // the line that opened the block
    std::vector<std::string> rows;      // art rows, top first
    int line = 0;                       // line number of the header, for messages
};

// Splits an art file into blocks. A block starts at a line whose first word is one of
// `keywords`; the following lines up to the next keyword line or a blank line are its rows.
// Comment lines are skipped; `preamble` gets the lines before the first
// block that are neither blank nor comments.
inline std::vector<ArtBlock> readArtBlocks(const std::string& path,
                                           const std::vector<std::string>& keywords,
                                           std::vector<std::string>* preamble = nullptr) {
    std::vector<std::string> lines = splitLines(readFile(path));
    std::vector<ArtBlock> blocks;
    bool open = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        // A lone '#' is a row of art inside a block and an empty comment line elsewhere.
        if (isComment(line) || (line == "#" && !open)) continue;
        std::vector<std::string> w = words(line);
        bool isKeyword = false;
        for (const std::string& k : keywords) {
            if (!w.empty() && w[0] == k) isKeyword = true;
        }
        if (isKeyword) {
            blocks.push_back({line, {}, static_cast<int>(i + 1)});
            open = true;
        } else if (w.empty()) {
            open = false;
        } else if (open) {
            std::string row = line;
            while (!row.empty() && (row.back() == ' ' || row.back() == '\t')) row.pop_back();
            blocks.back().rows.push_back(row);
        } else if (preamble) {
            preamble->push_back(line);
        } else {
            fail(path + ":" + std::to_string(i + 1) + ": text outside a block");
        }
    }
    return blocks;
}

}  // namespace korvel::datagen
