// Export of the map drawing as a 24-bit BMP beside the program: a white picture with an optional
// grey grid, two-sided walls as thin black lines, one-sided walls as thick ones, and optional
// skin marks at the vertices and sprites. The picture is built and written in bands of rows, so
// that the largest one (32767 x 32767 pixels, 3 GB) needs no more than a band of memory, and the
// file appears whole or not at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "views/ViewState.h"

namespace korvel {

class FileSystem;
struct ColorTables;
struct MapStore;
struct Skin;

// W and H: the picture has columns 0..W and rows 0..H, row 0 on the exportTop side.
struct MapImageSize {
    int32_t width = 0, height = 0;
    bool operator==(const MapImageSize&) const = default;
};

// The picture the export settings give, or nothing when the export refuses them: an empty or
// inverted box, a span above 1048576 units, a scale below 1, or a picture of 32768 pixels or
// more either way. The export page shows its refusal message exactly then.
std::optional<MapImageSize> exportImageSize(const ViewState& view);

// Pixel and map positions of the picture. Far walls and large scales leave 32 bits behind, so
// both directions count in 64.
struct ImagePoint {
    int64_t x = 0, y = 0;
    bool operator==(const ImagePoint&) const = default;
};
ImagePoint mapToImage(const ViewState& view, int64_t x, int64_t y);
ImagePoint imageToMap(const ViewState& view, int64_t column, int64_t row);

// The file: a 54-byte header, then rows 0..H of imageRowBytes each (blue, green, red per pixel,
// padded with 255 to a multiple of 4 bytes).
constexpr int32_t kImageHeaderBytes = 54;
int64_t imageRowBytes(int32_t width);
int64_t imageFileBytes(MapImageSize size);
std::string imageHeader(MapImageSize size);

// Rows firstRow .. firstRow + rowCount - 1 of a picture of `size`, row after row, each
// imageRowBytes(size.width) long. Lines and marks are clipped against the whole picture and
// each band keeps the pixels of its own rows, so a picture built band by band is the same
// whatever the bands.
struct ImageBand {
    uint8_t* bytes = nullptr;
    MapImageSize size;
    int32_t firstRow = 0, rowCount = 0;
};

// A thin line between two pixel positions, as steps that reach the far end's row or column.
void drawImageLine(const ImageBand& band, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                   uint8_t red, uint8_t green, uint8_t blue);
// A thick line: a 2 x 2 block at each step.
void drawImageLineRgb(const ImageBand& band, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                      uint8_t red, uint8_t green, uint8_t blue);

// What the picture shows, worked out once from the map and the settings and then painted band
// by band.
class MapImagePainter {
public:
    MapImagePainter(const MapStore& map, const ViewState& view, const Skin& skin,
                    const ColorTables& colors, MapImageSize size);
    // Fills the band's rows: white, the grid, the walls, the marks.
    void paintBand(const ImageBand& band) const;

private:
    struct Line {
        int64_t x1, y1, x2, y2;
        int64_t lowRow, highRow;  // the rows its pixels may reach
    };
    struct Mark {
        int32_t x, y;  // the lower left corner of the 9 x 9 block
        int32_t skinY;
    };

    void addLine(std::vector<Line>& lines, const ImagePoint& a, const ImagePoint& b,
                 int64_t extraRows);
    void addMark(const ImagePoint& at, int32_t skinY);

    const Skin& skin_;
    const ColorTables& colors_;
    ViewState view_;
    MapImageSize size_;
    std::vector<uint8_t> gridColumns_;  // empty without a grid
    std::vector<Line> thinLines_, thickLines_;
    std::vector<Mark> marks_;
};

// Rows per band: as many as fit in 64 MiB.
constexpr int64_t kMaxImageBandBytes = int64_t(64) << 20;

struct MapImageOptions {
    int32_t bandRows = 0;  // rows built and written at a time; 0: as many as kMaxImageBandBytes
};

enum class MapImageOutcome : uint8_t {
    Written,
    Refused,     // the settings give no picture (exportImageSize)
    NotWritten,  // the file could not be made or written; the old one is unchanged
    NoMemory,    // not even one band could be allocated
};

struct MapImageResult {
    MapImageOutcome outcome = MapImageOutcome::Refused;
    std::string path;  // the file aimed at
    // 1 once the file is in place, else 0: what the export button and scripts test.
    int32_t auxResult() const { return outcome == MapImageOutcome::Written ? 1 : 0; }
};

// Writes the picture to programFolder joined with fileName (either separator), replacing the
// file there only once the new one is complete.
MapImageResult exportMapImage(const MapStore& map, const ViewState& view, const Skin& skin,
                              const ColorTables& colors, FileSystem& fs,
                              const std::string& programFolder, const std::string& fileName,
                              const MapImageOptions& options = {});

}  // namespace korvel
