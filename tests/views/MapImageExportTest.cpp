#include "views/MapImageExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/FileReplace.h"
#include "map/MapStore.h"
#include "platform/NativeFileSystem.h"
#include "resources/ColorTables.h"
#include "support/MapBuilder.h"
#include "support/RandomMaps.h"
#include "support/TempFolder.h"
#include "ui/Skin.h"

namespace korvel {
namespace {

using Pixel = std::pair<int64_t, int64_t>;
using Pixels = std::set<Pixel>;

constexpr uint8_t kWhite = 255, kGrey = 192;

uint32_t u32(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | uint8_t(b[at + size_t(i)]);
    return v;
}

int64_t floorMod(int64_t a, int64_t m) {
    return ((a % m) + m) % m;
}

// A box of the map from (left, bottom) to (right, top) at a scale, grid and marks.
ViewState box(int32_t left, int32_t bottom, int32_t right, int32_t top, int32_t scale,
              int32_t grid = 0, uint8_t spriteMarks = 0, uint8_t vertexMarks = 0) {
    ViewState v;
    v.exportLeft = left;
    v.exportBottom = bottom;
    v.exportRight = right;
    v.exportTop = top;
    v.exportScale = scale;
    v.exportGridSpacing = grid;
    v.exportOptionA = spriteMarks;
    v.exportOptionB = vertexMarks;
    return v;
}

// A picture in memory, painted band by band, with the file's row layout.
struct Picture {
    MapImageSize size;
    int64_t rowBytes = 0;
    std::vector<uint8_t> bytes;

    explicit Picture(MapImageSize s)
        : size(s),
          rowBytes(imageRowBytes(s.width)),
          bytes(size_t(rowBytes * (s.height + 1)), 255) {}
    ImageBand whole() { return {bytes.data(), size, 0, size.height + 1}; }
    const uint8_t* at(int64_t x, int64_t y) const { return &bytes[size_t(y * rowBytes + 3 * x)]; }
    bool is(int64_t x, int64_t y, uint8_t b, uint8_t g, uint8_t r) const {
        const uint8_t* p = at(x, y);
        return p[0] == b && p[1] == g && p[2] == r;
    }
    bool black(int64_t x, int64_t y) const { return is(x, y, 0, 0, 0); }
    bool grey(int64_t x, int64_t y) const { return is(x, y, kGrey, kGrey, kGrey); }
    Pixels blackPixels() const {
        Pixels out;
        for (int64_t y = 0; y <= size.height; ++y)
            for (int64_t x = 0; x <= size.width; ++x)
                if (black(x, y)) out.insert({x, y});
        return out;
    }
};

// Paints the picture in bands of bandRows (0: in one piece) into one buffer.
std::vector<uint8_t> paintInBands(const MapImagePainter& painter, MapImageSize size,
                                  int32_t bandRows) {
    const int64_t rowBytes = imageRowBytes(size.width);
    const int32_t rows = size.height + 1;
    const int32_t step = bandRows > 0 ? bandRows : rows;
    std::vector<uint8_t> out;
    for (int32_t first = 0; first < rows; first += step) {
        const int32_t count = std::min(step, rows - first);
        // A buffer of the band's own size, so that a write outside it is caught.
        std::vector<uint8_t> band(size_t(rowBytes * count), 0);
        painter.paintBand({band.data(), size, first, count});
        out.insert(out.end(), band.begin(), band.end());
    }
    return out;
}

// Marks of a skin whose every other pixel is transparent: the vertex mark's pixel (i, j) has
// colour 10 + i + 9 j, the sprite mark's 100 + i + 9 j, except for a transparent corner pixel.
// Colour c shows as red c, green c + 1, blue c + 2.
struct Resources {
    Skin skin;
    ColorTables colors;
    Resources() {
        std::fill(skin.skin.begin(), skin.skin.end(), kSkinTransparent);
        for (int32_t j = 0; j < 9; ++j)
            for (int32_t i = 0; i < 9; ++i) {
                skin.skin[size_t((440 + j) * kSkinSize + 93 + i)] = uint8_t(10 + i + 9 * j);
                skin.skin[size_t((431 + j) * kSkinSize + 93 + i)] = uint8_t(100 + i + 9 * j);
            }
        skin.skin[size_t(440 * kSkinSize + 93)] = kSkinTransparent;
        skin.skin[size_t(431 * kSkinSize + 93)] = kSkinTransparent;
        for (int c = 0; c < 256; ++c) {
            colors.paletteRed[size_t(c)] = uint8_t(c);
            colors.paletteGreen[size_t(c)] = uint8_t(c + 1);
            colors.paletteBlue[size_t(c)] = uint8_t(c + 2);
        }
    }
};

class MapImageExportTest : public testing::Test {
protected:
    std::unique_ptr<MapStore> map = std::make_unique<MapStore>();
    Resources res;
    TempFolder tmp;
    NativeFileSystem fs;

    Picture paint(const ViewState& v) {
        const auto size = exportImageSize(v);
        EXPECT_TRUE(size.has_value());
        Picture p(size.value_or(MapImageSize{8, 8}));
        MapImagePainter(*map, v, res.skin, res.colors, p.size).paintBand(p.whole());
        return p;
    }
    MapImageResult exportTo(const ViewState& v, const std::string& name, FileSystem& on,
                            int32_t bandRows = 0) {
        return exportMapImage(*map, v, res.skin, res.colors, on, tmp.path(), name, {bandRows});
    }
    MapImageResult exportTo(const ViewState& v, const std::string& name, int32_t bandRows = 0) {
        return exportTo(v, name, fs, bandRows);
    }
    // A one-sided wall from a to b, alone in its own little ring.
    void addWall(IntPoint a, IntPoint b, int32_t next = -1) {
        const int32_t i = map->wallCount;
        map->walls[i] = WallRecord{};
        map->walls[i].x = a.x;
        map->walls[i].y = a.y;
        map->walls[i].point2 = int16_t(i + 1);
        map->walls[i].nextwall = int16_t(next);
        map->walls[i + 1] = WallRecord{};
        map->walls[i + 1].x = b.x;
        map->walls[i + 1].y = b.y;
        map->walls[i + 1].point2 = -1;  // the ring's way back is not drawn
        map->walls[i + 1].nextwall = -1;
        map->wallCount = i + 2;
    }
};

TEST_F(MapImageExportTest, SizesAndRefusalsAgreeWithThePage) {
    struct Case {
        int32_t left, bottom, right, top, scale;
        int32_t columns, rows;  // 0: refused
    } const cases[] = {
        {0, 0, 2048, 1, 1000, 2057, 10},
        {0, 0, 16000, 16000, 16000, 1009, 1009},
        {0, 0, 32758, 1, 1000, 32767, 10},  // W + 1 = 32767: the largest picture
        {0, 0, 32759, 1, 1000, 0, 0},       // W + 1 = 32768: the page refuses it too
        {0, 0, 1, 32758, 1000, 10, 32767},
        {0, 0, 1, 32759, 1000, 0, 0},
        {0, 0, 1048576, 1, 1000000, 1057, 9},
        {0, 0, 1048577, 1, 1000000, 0, 0},
        {0, 0, 1, 1048577, 1000000, 0, 0},
        {0, 0, 10, 10, 0, 0, 0},
        {0, 0, 10, 10, -1000, 0, 0},
        {0, 0, 1, 1, 1, 1009, 1009},
        {0, 0, 1048576, 1048576, 1, 0, 0},
        {5, 0, 5, 10, 1000, 0, 0},  // left = right
        {0, 5, 10, 5, 1000, 0, 0},  // top = bottom
        {10, 0, 5, 10, 1000, 0, 0},
        {-2000000000, -2000000000, 2000000000, 2000000000, 1000, 0, 0},
        {-2000000000, 0, 2000000000, 10, 2147483647, 0, 0},
    };
    tmp.write("1.bmp", "old picture");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.left << " " << c.right << " " << c.top << " " << c.scale);
        const ViewState v = box(c.left, c.bottom, c.right, c.top, c.scale, 100, 1, 1);
        const auto size = exportImageSize(v);
        const MapImageResult r = exportTo(v, "1.bmp");
        if (c.columns == 0) {
            EXPECT_FALSE(size.has_value());
            EXPECT_EQ(r.outcome, MapImageOutcome::Refused);
            EXPECT_EQ(r.auxResult(), 0);
            EXPECT_EQ(tmp.read("1.bmp"), "old picture");
            continue;
        }
        ASSERT_TRUE(size.has_value());
        EXPECT_EQ(size->width + 1, c.columns);
        EXPECT_EQ(size->height + 1, c.rows);
        EXPECT_EQ(r.auxResult(), 1);
        const std::string file = tmp.read("1.bmp");
        EXPECT_EQ(int64_t(file.size()), imageFileBytes(*size));
        EXPECT_EQ(u32(file, 18), uint32_t(c.columns));
        EXPECT_EQ(u32(file, 22), uint32_t(c.rows));
        tmp.write("1.bmp", "old picture");
    }
    EXPECT_EQ(fs.listEntries(tmp.path()).size(), 1u) << "no temporary file is left";
}

TEST_F(MapImageExportTest, HeaderRowsAndPaddingOfTheFile) {
    // 9 columns give 27 bytes a row, padded to 28; 12 columns give 36, a multiple of 4.
    struct Case {
        int32_t right, scale;
        uint32_t columns, rows, rowBytes;
    } const cases[] = {{1, 2000, 9, 10, 28}, {3, 1000, 12, 12, 36}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.columns);
        ASSERT_EQ(exportTo(box(0, 0, c.right, 3, c.scale), "p.bmp").auxResult(), 1);
        const std::string file = tmp.read("p.bmp");
        const uint32_t rowBytes = c.rowBytes, rows = c.rows, columns = c.columns;
        const uint32_t fileSize = 54 + rowBytes * rows;
        ASSERT_EQ(file.size(), fileSize);
        std::string header = "BM";
        for (const uint32_t v32 : {fileSize, 0u, 54u, 40u, uint32_t(columns), rows})
            for (int i = 0; i < 4; ++i) header += char(v32 >> (8 * i) & 0xFF);
        header += std::string("\x01\x00\x18\x00", 4) + std::string(4, '\0');
        for (int i = 0; i < 4; ++i) header += char((rowBytes * rows) >> (8 * i) & 0xFF);
        header += std::string(16, '\0');
        EXPECT_EQ(file.substr(0, 54), header);
        // A map without walls: every byte of every row, the padding too, is white.
        EXPECT_EQ(file.substr(54), std::string(rowBytes * rows, char(255)));
    }

    // Row 0, the top of the box, comes first: a wall along y = 3 lies in the file's row 4, and
    // a wall along y = 0 in row 7.
    addWall({0, 3}, {3, 3});
    addWall({0, 0}, {1, 0});
    ASSERT_EQ(exportTo(box(0, 0, 3, 3, 1000), "p.bmp").auxResult(), 1);
    const std::string file = tmp.read("p.bmp");
    const size_t rowBytes = 36;
    auto blackAt = [&](size_t column, size_t row) {
        return file.substr(54 + row * rowBytes + 3 * column, 3) == std::string(3, '\0');
    };
    EXPECT_TRUE(blackAt(4, 4) && blackAt(7, 4) && blackAt(4, 7) && blackAt(5, 7));
    EXPECT_FALSE(blackAt(4, 3) || blackAt(7, 7) || blackAt(4, 9));
}

TEST_F(MapImageExportTest, GridLinesFollowTheFlooredDivisions) {
    struct Case {
        int32_t grid;
        int64_t columnAt, rowAt, every;  // grey where x % every = columnAt, y % every = rowAt
    } const cases[] = {
        {1024, 0, 0, 1024},
        {1000, 216, 784, 1000},
        {-1000, 216, 784, 1000},
        {-1, 0, 0, 1},  // every column and row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.grid);
        const ViewState v = box(-1100, -1100, 1300, 1300, 1000, c.grid);
        const Picture p = paint(v);
        auto check = [&](int64_t x, int64_t y) {
            const ImagePoint m = imageToMap(v, x, y);
            const bool onColumn = floorMod(m.x, c.every) == c.columnAt;
            const bool onRow = floorMod(m.y, c.every) == c.rowAt;
            ASSERT_EQ(p.grey(x, y), onColumn || onRow) << x << ", " << y;
            if (!onColumn && !onRow) ASSERT_TRUE(p.is(x, y, kWhite, kWhite, kWhite));
        };
        // Every pixel of a few rows and a few columns, among them the picture's edges.
        for (const int64_t at : {0, 1, 300, 1200, 2407, 2408}) {
            for (int64_t x = 0; x <= p.size.width; ++x) check(x, at);
            for (int64_t y = 0; y <= p.size.height; ++y) check(at, y);
        }
    }
    // Without a grid the picture stays white.
    const Picture none = paint(box(0, 0, 100, 100, 1000, 0));
    EXPECT_TRUE(
        std::all_of(none.bytes.begin(), none.bytes.end(), [](uint8_t b) { return b == 255; }));
}

TEST_F(MapImageExportTest, LinePixelsOfTheBiasedAndTheThickStepping) {
    struct Case {
        int64_t x1, y1, x2, y2;
        Pixels thin;
        Pixels thickAnchors;  // the lower left pixel of each 2 x 2 block
    } const cases[] = {
        {0,
         0,
         4,
         2,
         {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 2}},
         {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
        {4,
         2,
         0,
         0,
         {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 2}},
         {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
        {0,
         0,
         2,
         4,
         {{0, 0}, {0, 1}, {1, 2}, {2, 3}, {2, 4}},
         {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}},
        {0,
         2,
         4,
         0,
         {{0, 2}, {1, 2}, {2, 1}, {3, 0}, {4, 0}},
         {{0, 2}, {1, 2}, {2, 1}, {3, 1}, {4, 0}}},
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {0, 3, 3, 0, {{3, 0}, {2, 1}, {1, 2}, {0, 3}}, {{3, 0}, {2, 1}, {1, 2}, {0, 3}}},
        {0,
         0,
         10,
         1,
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 1}},
         // without the bias the thick line falls short of the far end's row
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}, {10, 0}}},
        {1,
         3,
         5,
         3,
         {{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}},
         {{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}}},
    };
    const MapImageSize size{20, 20};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2);
        Picture thin(size), thick(size);
        drawImageLine(thin.whole(), c.x1, c.y1, c.x2, c.y2, 0, 0, 0);
        drawImageLineRgb(thick.whole(), c.x1, c.y1, c.x2, c.y2, 0, 0, 0);
        EXPECT_EQ(thin.blackPixels(), c.thin);
        Pixels blocks;
        for (const auto& [x, y] : c.thickAnchors)
            blocks.insert({{x, y}, {x + 1, y}, {x, y + 1}, {x + 1, y + 1}});
        EXPECT_EQ(thick.blackPixels(), blocks);
    }
    // A single point is one pixel, thick or thin; the colour goes in as blue, green, red.
    for (const bool thickPen : {false, true}) {
        Picture p(size);
        (thickPen ? drawImageLineRgb : drawImageLine)(p.whole(), 7, 9, 7, 9, 10, 20, 30);
        EXPECT_TRUE(p.is(7, 9, 30, 20, 10));
        EXPECT_TRUE(p.is(8, 9, 255, 255, 255) && p.is(7, 10, 255, 255, 255));
    }
}

// Lines leaving the picture are cut at its edge, the last column and row left to the thick pen;
// lines far away, or past the edge at both ends, draw nothing.
TEST_F(MapImageExportTest, LinesAreClippedToThePicture) {
    const MapImageSize size{20, 10};
    struct Case {
        int64_t x1, y1, x2, y2;
        Pixels mustHave;
        size_t count;
    } const cases[] = {
        {5, 4, -100, 4, {{0, 4}, {5, 4}}, 6},
        {5, 4, 100000, 4, {{19, 4}, {5, 4}}, 15},
        {5, 4, 5, -100, {{5, 0}, {5, 4}}, 5},
        {5, 4, 5, 1000000000000, {{5, 9}}, 6},
        {-10, -10, 30, 30, {{0, 0}, {9, 9}}, 10},
        {-4000000000000, -4000000000000, 4000000000000, 4000000000000, {{0, 0}, {9, 9}}, 10},
        {-4000000000000, 5, 4000000000000, 5, {{0, 5}, {19, 5}}, 20},
        {-5, -1, -1, -5, {}, 0},
        {20, 4, 25, 4, {}, 0},
        {-4000000000000, 1000000000000, 4000000000000, 1000000000001, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2);
        Picture p(size);
        drawImageLine(p.whole(), c.x1, c.y1, c.x2, c.y2, 0, 0, 0);
        const Pixels got = p.blackPixels();
        EXPECT_EQ(got.size(), c.count);
        for (const Pixel& px : c.mustHave)
            EXPECT_TRUE(got.count(px)) << px.first << "," << px.second;
        for (const Pixel& px : got) EXPECT_TRUE(px.first < size.width && px.second < size.height);
    }
}

TEST_F(MapImageExportTest, WallsMarksAndTheirOrder) {
    // Box 0..40 x 0..40 at scale 1000: column = x + 4, row = 44 - y.
    const ViewState v = box(0, 0, 40, 40, 1000);
    // A two-sided pair along y = 30 (drawn once, thin).
    addWall({10, 30}, {20, 30}, 2);
    addWall({20, 30}, {10, 30}, 0);
    // One-sided walls: nextwall -1, outside the walls (-5, and past the count), drawn thick.
    addWall({10, 20}, {20, 20});
    addWall({10, 15}, {20, 15}, -5);
    addWall({10, 10}, {20, 10}, 30000);
    // A wall whose point2 lies outside the walls is skipped.
    addWall({30, 0}, {30, 40});
    map->walls[map->wallCount - 2].point2 = 9999;
    const Picture p = paint(v);
    for (int64_t x = 14; x <= 24; ++x) {
        EXPECT_TRUE(p.black(x, 14)) << x;
        EXPECT_FALSE(p.black(x, 13) || p.black(x, 15)) << "thin: " << x;
        for (const int64_t row : {24, 29, 34}) EXPECT_TRUE(p.black(x, row) && p.black(x, row + 1));
    }
    for (int64_t y = 0; y <= p.size.height; ++y) EXPECT_FALSE(p.black(34, y));

    // A wall leaving the box is drawn up to the picture's edge.
    map->wallCount = 0;
    addWall({20, 20}, {-100000, 20});
    addWall({20, 20}, {20, 1000000});
    const Picture cut = paint(v);
    for (int64_t x = 0; x <= 24; ++x) EXPECT_TRUE(cut.black(x, 24)) << x;
    for (int64_t y = 0; y <= 24; ++y) EXPECT_TRUE(cut.black(24, y)) << y;
}

TEST_F(MapImageExportTest, MarksAreSkinBlocksCutAtTheEdges) {
    // Vertices at the box's corners and its middle, a sprite in the middle and one far away.
    const ViewState v = box(0, 0, 40, 40, 1000, 0, 1, 1);
    addWall({20, 20}, {6, 34});
    addWall({44, -4}, {-6, 46});
    map->walls[0].point2 = map->walls[2].point2 = -1;  // no lines: marks only
    map->sprites[0].x = 30;
    map->sprites[0].y = 20;
    map->sprites[1].x = 2000000000;
    map->sprites[1].y = -2000000000;
    map->spriteCount = 2;
    const Picture p = paint(v);
    auto expectMark = [&](int64_t c, int64_t r, int32_t firstColour) {
        for (int64_t j = 0; j < 9; ++j)
            for (int64_t i = 0; i < 9; ++i) {
                const int64_t x = c - 4 + i, y = r - 4 + j;
                if (x < 0 || y < 0 || x > p.size.width || y > p.size.height) continue;
                if (i == 0 && j == 0) {
                    EXPECT_TRUE(p.is(x, y, 255, 255, 255)) << "skin 255 is transparent";
                    continue;
                }
                const int32_t s = firstColour + int32_t(i + 9 * j);
                EXPECT_TRUE(p.is(x, y, uint8_t(s + 2), uint8_t(s + 1), uint8_t(s)))
                    << x << ", " << y;
            }
    };
    expectMark(24, 24, 10);  // vertex (20, 20)
    expectMark(10, 10, 10);  // vertex (6, 34)
    expectMark(48, 48, 10);  // vertex (44, -4): the picture's last column and row
    expectMark(-2, -2, 10);  // vertex (-6, 46): mostly outside
    expectMark(34, 24, 100);
    // Nothing else is coloured.
    int64_t marked = 0;
    for (int64_t y = 0; y <= p.size.height; ++y)
        for (int64_t x = 0; x <= p.size.width; ++x) marked += !p.is(x, y, 255, 255, 255);
    EXPECT_EQ(marked, 80 + 80 + 24 + 9 + 80);

    // 51 columns take 153 bytes a row and 3 of padding, room for one more pixel: a mark at
    // the last column leaves the padding white.
    const ViewState wide = box(0, 0, 42, 40, 1000, 0, 1, 1);
    map->walls[2].x = 46;
    const Picture edge = paint(wide);
    ASSERT_EQ(edge.rowBytes, 156);
    EXPECT_FALSE(edge.is(50, 48, 255, 255, 255)) << "the mark reaches the last column";
    for (int64_t y = 0; y <= edge.size.height; ++y)
        EXPECT_TRUE(edge.is(51, y, 255, 255, 255)) << "padding of row " << y;

    // Without the options nothing is marked.
    const Picture plain = paint(box(0, 0, 40, 40, 1000, 0, 0, 0));
    EXPECT_TRUE(
        std::all_of(plain.bytes.begin(), plain.bytes.end(), [](uint8_t b) { return b == 255; }));
}

// Random maps and settings: grids, marks, boxes that cut walls, marks across band edges, and a
// few walls far away. Bands of 1, 7 and 64 rows give the picture painted in one piece, and so do
// the files written in bands.
TEST_F(MapImageExportTest, BandsGiveTheSamePicture) {
    for (uint32_t seed = 1; seed <= 100; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        map = std::make_unique<MapStore>();
        test::buildRandomMap(*map, rng);
        if (seed % 3 == 0 && map->wallCount > 2) {
            map->walls[0].x = int32_t(rng());
            map->walls[1].y = -2147483647 + int32_t(rng() % 5);
        }
        auto in = [&](int32_t lo, int32_t hi) {
            return lo + int32_t(rng() % uint32_t(hi - lo + 1));
        };
        const int32_t left = in(-700, 900), bottom = in(-700, 900);
        const ViewState v =
            box(left, bottom, left + in(1, 1500), bottom + in(1, 1500), in(3000, 20000),
                in(-300, 300), uint8_t(in(0, 1)), uint8_t(in(0, 1)));
        const auto size = exportImageSize(v);
        ASSERT_TRUE(size.has_value());
        const MapImagePainter painter(*map, v, res.skin, res.colors, *size);
        const std::vector<uint8_t> whole = paintInBands(painter, *size, 0);
        for (const int32_t bandRows : {1, 7, 64})
            ASSERT_EQ(paintInBands(painter, *size, bandRows), whole) << bandRows;

        if (seed % 10 != 0) continue;
        ASSERT_EQ(exportTo(v, "whole.bmp").auxResult(), 1);
        const std::string file = tmp.read("whole.bmp");
        EXPECT_EQ(file.substr(54), std::string(whole.begin(), whole.end()));
        for (const int32_t bandRows : {1, 7, 64}) {
            ASSERT_EQ(exportTo(v, "bands.bmp", bandRows).auxResult(), 1);
            EXPECT_EQ(tmp.read("bands.bmp"), file) << bandRows;
        }
    }
}

// Every step of the write fails on demand; the target keeps its old bytes until the new file
// is whole.
class FailingFiles : public NativeFileSystem {
public:
    enum class Fault { None, Create, Write, Sync, Rename };
    Fault fault = Fault::None;
    std::string target, oldBytes;
    int32_t appends = 0;
    bool targetChangedEarly = false;

    bool createFile(const std::string& path, const std::string& bytes,
                    std::optional<uint32_t> mode) override {
        noteTarget();
        return fault != Fault::Create && NativeFileSystem::createFile(path, bytes, mode);
    }
    bool appendFile(const std::string& path, const std::string& bytes) override {
        noteTarget();
        ++appends;
        if (fault == Fault::Write) {
            // Part of the band reached the disk before the error.
            NativeFileSystem::appendFile(path, bytes.substr(0, bytes.size() / 2));
            return false;
        }
        return NativeFileSystem::appendFile(path, bytes);
    }
    bool syncFile(const std::string& path) override {
        return fault != Fault::Sync && NativeFileSystem::syncFile(path);
    }
    bool moveFile(const std::string& from, const std::string& to) override {
        return fault != Fault::Rename && NativeFileSystem::moveFile(from, to);
    }

private:
    void noteTarget() {
        if (!target.empty() && readAll(target) != oldBytes) targetChangedEarly = true;
    }
};

TEST_F(MapImageExportTest, FailedWritesLeaveTheOldFile) {
    test::MapBuilder(*map).addRoom(0, 0, 256, 256);
    const ViewState v = box(-10, -10, 300, 300, 1000, 64, 1, 1);
    using F = FailingFiles::Fault;
    for (const F fault : {F::None, F::Create, F::Write, F::Sync, F::Rename}) {
        SCOPED_TRACE(int(fault));
        FailingFiles files;
        files.fault = fault;
        files.target = tmp.write("pic.bmp", "old");
        files.oldBytes = "old";
        const MapImageResult r = exportTo(v, "pic.bmp", files, 50);
        EXPECT_FALSE(files.targetChangedEarly);
        EXPECT_EQ(fs.listEntries(tmp.path()).size(), 1u) << "no temporary file is left";
        if (fault == F::None) {
            EXPECT_EQ(r.auxResult(), 1);
            EXPECT_GT(files.appends, 5);
            EXPECT_EQ(fs.fileLength(files.target), imageFileBytes(*exportImageSize(v)));
        } else {
            EXPECT_EQ(r.outcome, MapImageOutcome::NotWritten);
            EXPECT_EQ(r.auxResult(), 0);
            EXPECT_EQ(tmp.read("pic.bmp"), "old");
        }
    }

    // Names that cannot be written: none, a folder, a folder that is not there.
    tmp.makeFolder("sub");
    for (const std::string name : {"", "sub", "sub/", "missing/pic.bmp"}) {
        SCOPED_TRACE(name);
        const MapImageResult r = exportTo(v, name);
        EXPECT_EQ(r.outcome, MapImageOutcome::NotWritten);
        EXPECT_EQ(fs.listEntries(tmp.path()).size(), 2u);
        EXPECT_TRUE(fs.listEntries(tmp.file("sub")).empty());
    }
    // A subfolder named with either separator.
    for (const std::string name : {"sub\\a.bmp", "sub/b.bmp"}) {
        const MapImageResult r = exportTo(v, name);
        EXPECT_EQ(r.auxResult(), 1) << name;
        EXPECT_EQ(r.path, tmp.file("sub/" + name.substr(4)));
    }
    EXPECT_TRUE(tmp.exists("sub/a.bmp") && tmp.exists("sub/b.bmp"));
}

// Records holding any value: rings that point nowhere, links past the walls, coordinates at the
// ends of 32 bits, sprites far away; with boxes and scales at their limits.
TEST_F(MapImageExportTest, HostileMapsDrawOnlyInsideThePicture) {
    std::mt19937 rng(7);
    const int32_t extremes[] = {-2147483647 - 1, -2147483647, -1073741824, -1, 0, 1,
                                1048576,         2147483646,  2147483647};
    auto anyValue = [&]() {
        return rng() % 2 ? extremes[rng() % std::size(extremes)] : int32_t(rng());
    };
    map->wallCount = 2000;
    for (int32_t w = 0; w < map->wallCount; ++w) {
        WallRecord& r = map->walls[w];
        r.x = anyValue();
        r.y = anyValue();
        r.point2 = int16_t(rng());
        r.nextwall = int16_t(rng());
        if (w % 4 == 0) r.point2 = int16_t(rng() % 2000);  // some reach a wall
        if (w % 8 == 0) {
            r.x = int32_t(rng() % 400) - 200;
            r.y = int32_t(rng() % 400) - 200;
        }
    }
    map->spriteCount = 500;
    for (int32_t s = 0; s < map->spriteCount; ++s) {
        map->sprites[s].x = anyValue();
        map->sprites[s].y = anyValue();
    }
    const ViewState boxes[] = {
        box(-100, -100, 100, 100, 1000, 7, 1, 1),
        box(-1, 0, 1, 1, 1, 0, 1, 1),
        box(-2147483647 - 1, -2147483647 - 1, -2147483647 + 1048575, -2147483647 + 1048575, 1000000,
            -1, 1, 1),
        box(2147483647 - 1048576, 2147483647 - 1048576, 2147483647, 2147483647, 1048576, 3, 1, 1),
        box(-524288, -524288, 524288, 524288, 2147483647, -2147483647 - 1, 1, 1),
        box(0, 0, 1048576, 1048576, 1, 0, 1, 1),  // refused
    };
    for (const ViewState& v : boxes) {
        SCOPED_TRACE(v.exportLeft);
        const auto size = exportImageSize(v);
        if (!size) {
            EXPECT_EQ(exportTo(v, "h.bmp").auxResult(), 0);
            continue;
        }
        const MapImagePainter painter(*map, v, res.skin, res.colors, *size);
        EXPECT_EQ(paintInBands(painter, *size, 13), paintInBands(painter, *size, 0));
        EXPECT_EQ(exportTo(v, "h.bmp").auxResult(), 1);
    }
}

}  // namespace
}  // namespace korvel
