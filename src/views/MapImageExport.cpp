#include "views/MapImageExport.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "base/FileReplace.h"
#include "base/FileSystem.h"
#include "map/MapStore.h"
#include "resources/ColorTables.h"
#include "ui/Skin.h"

namespace korvel {

namespace {

constexpr int64_t kMaxSpan = 1048576;
constexpr int64_t kMaxPixels = 32768;  // columns or rows; the page refuses the same
// Offsets that make the grid's truncating divisions fall like floor divisions.
constexpr int64_t kGridOffset = 16777216;
constexpr uint8_t kGridGrey = 192;
constexpr int32_t kMarkSize = 9, kMarkSkinX = 93;
constexpr int32_t kVertexMarkSkinY = 440, kSpriteMarkSkinY = 431;

// The clip's products (a column of 4 x 10^12 pixels times a slope of 2^55) need more than 64 bits.
using Wide = __int128;

struct ClippedLine {
    int64_t x1, y1, x2, y2;
};

// Cuts a line to columns 0..W - 1 and rows 0..H - 1 of the whole picture, columns first; the
// last column and row stay free for the thick pen. Nothing when no part of it is inside.
std::optional<ClippedLine> clipToPicture(int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                                         MapImageSize size) {
    Wide ax = x1, ay = y1, bx = x2, by = y2;
    const Wide maxX = size.width - 1, maxY = size.height - 1;
    if ((ax < 0 && bx < 0) || (ax > maxX && bx > maxX) || (ay < 0 && by < 0) ||
        (ay > maxY && by > maxY))
        return std::nullopt;
    // Moves the ends along u into 0..maxU, their v with them by the slope in 1/4096ths.
    auto cut = [](Wide& u1, Wide& v1, Wide& u2, Wide& v2, Wide maxU) {
        if (u1 == u2) return;
        const Wide f = (v1 - v2) * 4096 / (u1 - u2);
        for (const auto& [u, v] : {std::pair{&u1, &v1}, std::pair{&u2, &v2}}) {
            if (*u < 0) {
                *v += *u * f / -4096;
                *u = 0;
            } else if (*u > maxU) {
                *v += f * (maxU - *u) / 4096;
                *u = maxU;
            }
        }
    };
    cut(ax, ay, bx, by, maxX);
    cut(ay, ax, by, bx, maxY);
    for (const Wide x : {ax, bx})
        if (x < 0 || x > maxX) return std::nullopt;
    for (const Wide y : {ay, by})
        if (y < 0 || y > maxY) return std::nullopt;
    return ClippedLine{int64_t(ax), int64_t(ay), int64_t(bx), int64_t(by)};
}

// Writes pixels of the band's rows and nothing else.
struct BandPen {
    uint8_t* bytes;
    int64_t rowBytes;
    int64_t maxColumn, firstRow, lastRow;
    uint8_t colour[3];  // blue, green, red: the file's order

    BandPen(const ImageBand& band, uint8_t red, uint8_t green, uint8_t blue)
        : bytes(band.bytes),
          rowBytes(imageRowBytes(band.size.width)),
          maxColumn(band.size.width),
          firstRow(band.firstRow),
          lastRow(int64_t(band.firstRow) + band.rowCount - 1),
          colour{blue, green, red} {}

    void set(int64_t x, int64_t y) const {
        if (y < firstRow || y > lastRow || x < 0 || x > maxColumn) return;
        std::memcpy(bytes + (y - firstRow) * rowBytes + 3 * x, colour, 3);
    }
};

// The pixels of a clipped line in the band. The line steps one pixel along its longer axis and
// keeps the shorter one in an accumulator of 1/65536ths that moves it at most one pixel a step;
// after k steps that has moved it min(k, k |step| / 65536) pixels, so a band starts at its own
// rows instead of stepping through the rows before it.
void stepLine(const BandPen& pen, const ClippedLine& line, bool thick) {
    int64_t x1 = line.x1, y1 = line.y1, x2 = line.x2, y2 = line.y2;
    if (x1 == x2 && y1 == y2) {
        pen.set(x1, y1);
        return;
    }
    const bool shallow = std::abs(y1 - y2) < std::abs(x1 - x2);
    // u: the axis stepped one pixel at a time, v: the other.
    int64_t u1 = shallow ? x1 : y1, v1 = shallow ? y1 : x1;
    int64_t u2 = shallow ? x2 : y2, v2 = shallow ? y2 : x2;
    if (u1 > u2) {
        std::swap(u1, u2);
        std::swap(v1, v2);
    }
    // The thin line's bias makes it reach the far end's row or column.
    const int64_t bias = thick ? 0 : 65500;
    const int64_t scaled = (v1 - v2) * 65536;
    const int64_t step = (v1 < v2 ? scaled - bias : scaled + bias) / (u1 - u2);
    const int64_t magnitude = std::abs(step), direction = step < 0 ? -1 : 1;
    const int64_t steps = u2 - u1;
    auto vAt = [&](int64_t k) { return v1 + direction * std::min(k, (k * magnitude) >> 16); };
    auto plot = [&](int64_t k) {
        const int64_t u = u1 + k, v = vAt(k);
        const int64_t x = shallow ? u : v, y = shallow ? v : u;
        pen.set(x, y);
        if (!thick) return;
        pen.set(x + 1, y);
        pen.set(x, y + 1);
        pen.set(x + 1, y + 1);
    };
    const int64_t reach = thick ? 1 : 0;  // rows below a step that it also paints
    const int64_t low = pen.firstRow - reach, high = pen.lastRow;

    if (!shallow) {  // one row a step
        const int64_t from = std::max<int64_t>(0, low - u1), to = std::min(steps, high - u1);
        for (int64_t k = from; k <= to; ++k) plot(k);
        return;
    }
    // The row moves one way only: find the first step at the band, then go until it leaves.
    auto beforeBand = [&](int64_t k) {
        const int64_t v = vAt(k);
        return direction > 0 ? v < low : v > high;
    };
    int64_t lo = 0, hi = steps + 1;
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (beforeBand(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    for (int64_t k = lo; k <= steps; ++k) {
        const int64_t v = vAt(k);
        if (v < low || v > high) break;
        plot(k);
    }
}

}  // namespace

std::optional<MapImageSize> exportImageSize(const ViewState& view) {
    const int64_t spanX = int64_t(view.exportRight) - view.exportLeft;
    const int64_t spanY = int64_t(view.exportTop) - view.exportBottom;
    if (view.exportScale < 1 || spanX <= 0 || spanY <= 0 || spanX > kMaxSpan || spanY > kMaxSpan)
        return std::nullopt;
    const int64_t w = spanX * 1000 / view.exportScale + 8;
    const int64_t h = spanY * 1000 / view.exportScale + 8;
    if (w + 1 >= kMaxPixels || h + 1 >= kMaxPixels) return std::nullopt;
    return MapImageSize{int32_t(w), int32_t(h)};
}

ImagePoint mapToImage(const ViewState& view, int64_t x, int64_t y) {
    const int64_t scale = view.exportScale;
    return {(x - view.exportLeft) * 1000 / scale + 4, (view.exportTop - y) * 1000 / scale + 4};
}

ImagePoint imageToMap(const ViewState& view, int64_t column, int64_t row) {
    const int64_t scale = view.exportScale;
    return {(column - 4) * scale / 1000 + view.exportLeft,
            view.exportTop - scale * (row - 4) / 1000};
}

int64_t imageRowBytes(int32_t width) {
    return (3 * (int64_t(width) + 1) + 3) / 4 * 4;
}

int64_t imageFileBytes(MapImageSize size) {
    return kImageHeaderBytes + imageRowBytes(size.width) * (int64_t(size.height) + 1);
}

std::string imageHeader(MapImageSize size) {
    std::string h(kImageHeaderBytes, '\0');
    auto put = [&h](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) h[at + size_t(i)] = char(value >> (8 * i) & 0xFF);
    };
    const int64_t pixelBytes = imageFileBytes(size) - kImageHeaderBytes;
    h[0] = 'B';
    h[1] = 'M';
    put(2, uint32_t(imageFileBytes(size)), 4);  // up to 3.2 GB: unsigned
    put(10, kImageHeaderBytes, 4);
    put(14, 40, 4);
    put(18, uint32_t(size.width + 1), 4);
    put(22, uint32_t(size.height + 1), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, uint32_t(pixelBytes), 4);
    return h;
}

void drawImageLine(const ImageBand& band, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                   uint8_t red, uint8_t green, uint8_t blue) {
    if (const auto line = clipToPicture(x1, y1, x2, y2, band.size))
        stepLine(BandPen(band, red, green, blue), *line, false);
}

void drawImageLineRgb(const ImageBand& band, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                      uint8_t red, uint8_t green, uint8_t blue) {
    if (const auto line = clipToPicture(x1, y1, x2, y2, band.size))
        stepLine(BandPen(band, red, green, blue), *line, true);
}

MapImagePainter::MapImagePainter(const MapStore& map, const ViewState& view, const Skin& skin,
                                 const ColorTables& colors, MapImageSize size)
    : skin_(skin), colors_(colors), view_(view), size_(size) {
    const int64_t g = view.exportGridSpacing;
    if (g != 0) {
        gridColumns_.resize(size_t(size.width) + 1);
        for (int64_t i = 0; i <= size.width; ++i) {
            const int64_t x0 = imageToMap(view, i, 0).x, x1 = imageToMap(view, i + 1, 0).x;
            gridColumns_[size_t(i)] = (x1 - kGridOffset) / g != (x0 - kGridOffset) / g;
        }
    }

    const int32_t walls = std::clamp(map.wallCount, 0, kMaxWalls);
    auto startOf = [&](int32_t w) { return mapToImage(view, map.walls[w].x, map.walls[w].y); };
    auto twoSided = [&](int32_t w) {
        const int32_t next = map.walls[w].nextwall;
        return next >= 0 && next < walls;
    };
    for (int32_t w = 0; w < walls; ++w) {
        const int32_t p2 = map.walls[w].point2;
        if (p2 < 0 || p2 >= walls) continue;  // no end point to draw to
        if (twoSided(w) && w < map.walls[w].nextwall)
            addLine(thinLines_, startOf(w), startOf(p2), 0);
        else if (!twoSided(w))
            addLine(thickLines_, startOf(w), startOf(p2), 1);
    }
    if (view.exportOptionB)
        for (int32_t w = 0; w < walls; ++w) addMark(startOf(w), kVertexMarkSkinY);
    if (view.exportOptionA) {
        const int32_t sprites = std::clamp(map.spriteCount, 0, kMaxSprites);
        for (int32_t s = 0; s < sprites; ++s)
            addMark(mapToImage(view, map.sprites[s].x, map.sprites[s].y), kSpriteMarkSkinY);
    }
}

void MapImagePainter::addLine(std::vector<Line>& lines, const ImagePoint& a, const ImagePoint& b,
                              int64_t extraRows) {
    const auto c = clipToPicture(a.x, a.y, b.x, b.y, size_);
    if (!c) return;
    lines.push_back(
        {c->x1, c->y1, c->x2, c->y2, std::min(c->y1, c->y2), std::max(c->y1, c->y2) + extraRows});
}

void MapImagePainter::addMark(const ImagePoint& at, int32_t skinY) {
    // A block wholly outside is skipped here, where its corner may not fit the blitter's 32 bits.
    const int64_t x = at.x - kMarkSize / 2, y = at.y - kMarkSize / 2;
    if (x + kMarkSize <= 0 || x > size_.width || y + kMarkSize <= 0 || y > size_.height) return;
    marks_.push_back({int32_t(x), int32_t(y), skinY});
}

void MapImagePainter::paintBand(const ImageBand& band) const {
    const int64_t rowBytes = imageRowBytes(size_.width);
    std::memset(band.bytes, 255, size_t(rowBytes * band.rowCount));
    const int64_t firstRow = band.firstRow, lastRow = firstRow + band.rowCount - 1;

    const int64_t g = view_.exportGridSpacing;
    if (g != 0) {
        for (int64_t r = firstRow; r <= lastRow; ++r) {
            uint8_t* row = band.bytes + (r - firstRow) * rowBytes;
            const int64_t y0 = imageToMap(view_, 0, r).y, y1 = imageToMap(view_, 0, r + 1).y;
            const bool wholeRow = (y0 + kGridOffset) / g != (y1 + kGridOffset) / g;
            for (size_t c = 0; c < gridColumns_.size(); ++c)
                if (wholeRow || gridColumns_[c]) std::memset(row + 3 * c, kGridGrey, 3);
        }
    }

    const BandPen pen(band, 0, 0, 0);
    for (const auto* lines : {&thinLines_, &thickLines_}) {
        const bool thick = lines == &thickLines_;
        for (const Line& l : *lines)
            if (l.highRow >= firstRow && l.lowRow <= lastRow)
                stepLine(pen, {l.x1, l.y1, l.x2, l.y2}, thick);
    }

    // The blitter takes its columns from the row length, which counts up to three padding
    // bytes as one more pixel: a mark at the right edge is cut to the picture here.
    const RgbImageView view{band.bytes, int32_t(rowBytes), band.rowCount};
    for (const Mark& m : marks_)
        if (m.y + kMarkSize > firstRow && m.y <= lastRow)
            blitSkinToRGB(skin_, colors_, view, m.x, int32_t(m.y - firstRow), kMarkSkinX, m.skinY,
                          std::min(kMarkSize, size_.width + 1 - m.x), kMarkSize);
}

MapImageResult exportMapImage(const MapStore& map, const ViewState& view, const Skin& skin,
                              const ColorTables& colors, FileSystem& fs,
                              const std::string& programFolder, const std::string& fileName,
                              const MapImageOptions& options) {
    MapImageResult result;
    const auto size = exportImageSize(view);
    if (!size) return result;
    result.path = joinPath(programFolder, nativePath(fileName));
    result.outcome = MapImageOutcome::NotWritten;
    if (fileName.empty()) return result;

    const int64_t rowBytes = imageRowBytes(size->width);
    const int32_t rows = size->height + 1;
    const int64_t fitting = std::max<int64_t>(1, kMaxImageBandBytes / rowBytes);
    const int32_t bandRows =
        int32_t(std::min<int64_t>(options.bandRows > 0 ? options.bandRows : fitting, rows));
    std::optional<MapImagePainter> painter;
    std::string buffer;
    try {
        buffer.reserve(size_t(kImageHeaderBytes + bandRows * rowBytes));
        painter.emplace(map, view, skin, colors, *size);
    } catch (const std::bad_alloc&) {
        result.outcome = MapImageOutcome::NoMemory;
        return result;
    }

    FileReplacement file(fs, result.path);
    for (int32_t first = 0; first < rows && file.good(); first += bandRows) {
        const int32_t count = std::min(bandRows, rows - first);
        // The header goes with the first band, so that a picture of one band is one write.
        const size_t offset = first == 0 ? size_t(kImageHeaderBytes) : 0;
        buffer.resize(offset + size_t(count * rowBytes));
        if (first == 0) buffer.replace(0, offset, imageHeader(*size));
        painter->paintBand(
            {reinterpret_cast<uint8_t*>(buffer.data() + offset), *size, first, count});
        file.append(buffer);
    }
    if (file.commit().replaced) result.outcome = MapImageOutcome::Written;
    return result;
}

}  // namespace korvel
