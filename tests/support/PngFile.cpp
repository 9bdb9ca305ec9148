#include "support/PngFile.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <vector>

namespace korvel::test {

namespace {

uint32_t crc32(const uint8_t* data, size_t n, uint32_t crc = 0) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 255] ^ (crc >> 8);
    return ~crc;
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
    put32(out, uint32_t(body.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    out.insert(out.end(), typed.begin(), typed.end());
    put32(out, crc32(typed.data(), typed.size()));
}

// A zlib stream of stored (uncompressed) blocks.
std::vector<uint8_t> storedZlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        const size_t n = std::min<size_t>(65535, raw.size() - pos);
        const bool last = pos + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(uint8_t(n));
        z.push_back(uint8_t(n >> 8));
        z.push_back(uint8_t(~n));
        z.push_back(uint8_t(~n >> 8));
        z.insert(z.end(), raw.begin() + long(pos), raw.begin() + long(pos + n));
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (const uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    put32(z, (b << 16) | a);
    return z;
}

}  // namespace

bool writeScreenPng(const std::string& path, const FrameBuffer& fb, const ColorTables& colors) {
    return writeScreenPngPart(path, fb, colors, 0, 0, kScreenWidth, kScreenHeight, 1);
}

bool writeScreenPngPart(const std::string& path, const FrameBuffer& fb, const ColorTables& colors,
                        int32_t x0, int32_t y0, int32_t w, int32_t h, int32_t scale) {
    x0 = std::clamp(x0, 0, kScreenWidth - 1);
    y0 = std::clamp(y0, 0, kScreenHeight - 1);
    w = std::clamp(w, 1, kScreenWidth - x0);
    h = std::clamp(h, 1, kScreenHeight - y0);
    scale = std::clamp(scale, 1, 16);
    std::vector<uint8_t> raw;
    for (int32_t y = y0 + h - 1; y >= y0; --y) {
        const uint8_t* row = &fb.screen[size_t(y) * size_t(fb.screenRowLength)];
        for (int32_t k = 0; k < scale; ++k) {
            raw.push_back(0);
            for (int32_t x = x0; x < x0 + w; ++x) raw.insert(raw.end(), size_t(scale), row[x]);
        }
    }
    std::vector<uint8_t> header;
    put32(header, uint32_t(w * scale));
    put32(header, uint32_t(h * scale));
    header.insert(header.end(), {8, 3, 0, 0, 0});
    std::vector<uint8_t> palette;
    for (int i = 0; i < 256; ++i)
        palette.insert(palette.end(),
                       {colors.paletteRed[i], colors.paletteGreen[i], colors.paletteBlue[i]});
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    chunk(png, "IHDR", header);
    chunk(png, "PLTE", palette);
    chunk(png, "IDAT", storedZlib(raw));
    chunk(png, "IEND", {});
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    return bool(file);
}

}  // namespace korvel::test
