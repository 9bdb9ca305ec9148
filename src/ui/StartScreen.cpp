#include "ui/StartScreen.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "base/FileSystem.h"

namespace korvel {

namespace {

struct ByteReader {
    const std::string* bytes = nullptr;
    size_t pos = 0;
};

int readBytes(GifFileType* gif, GifByteType* out, int length) {
    auto* reader = static_cast<ByteReader*>(gif->UserData);
    const size_t left = reader->bytes->size() - reader->pos;
    const size_t n = std::min(left, size_t(std::max(length, 0)));
    std::memcpy(out, reader->bytes->data() + reader->pos, n);
    reader->pos += n;
    return int(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

StartScreenResult failure(std::string why) {
    return {false, std::move(why)};
}

}  // namespace

StartScreenResult decodeStartScreen(FrameBuffer& fb, const std::string& gifBytes) {
    ByteReader reader{&gifBytes, 0};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, readBytes, &error));
    if (!gif) return failure("the start image is not a GIF picture");
    if (gif->SWidth != kScreenWidth || gif->SHeight != kScreenHeight)
        return failure("the start image is " + std::to_string(gif->SWidth) + " x " +
                       std::to_string(gif->SHeight) + " pixels, not 800 x 600");

    // Only the first picture counts; extensions before it are skipped.
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
            return failure("the start image is damaged");
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
                return failure("the start image is damaged");
            while (block)
                if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR)
                    return failure("the start image is damaged");
            continue;
        }
        if (type == TERMINATE_RECORD_TYPE) return failure("the start image holds no picture");
        if (type != IMAGE_DESC_RECORD_TYPE) return failure("the start image is damaged");
        break;
    }
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return failure("the start image is damaged");
    const GifImageDesc& desc = gif->Image;
    if (desc.Left != 0 || desc.Top != 0 || desc.Width != kScreenWidth ||
        desc.Height != kScreenHeight)
        return failure("the start image's picture does not cover 800 x 600 pixels");
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || !map->Colors || map->ColorCount <= 0)
        return failure("the start image has no colour table");

    std::vector<uint8_t> rows(size_t(kScreenWidth) * kScreenHeight);  // top row first
    auto readRow = [&](int row) {
        return DGifGetLine(gif.get(), &rows[size_t(row) * kScreenWidth], kScreenWidth) != GIF_ERROR;
    };
    if (desc.Interlace) {
        static constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int row = kStart[pass]; row < kScreenHeight; row += kStep[pass])
                if (!readRow(row)) return failure("the start image is damaged");
    } else {
        for (int row = 0; row < kScreenHeight; ++row)
            if (!readRow(row)) return failure("the start image is damaged");
    }

    Palette256 palette{};
    for (int i = 0; i < std::min(map->ColorCount, 256); ++i)
        palette[i] = {map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue};
    for (int y = 0; y < kScreenHeight; ++y)
        std::memcpy(&fb.screen[size_t(y) * fb.screenRowLength],
                    &rows[size_t(kScreenHeight - 1 - y) * kScreenWidth], kScreenWidth);
    fb.screenPalette = palette;
    return {true, {}};
}

StartScreenResult loadStartScreen(FrameBuffer& fb, FileSystem& fs, const std::string& path) {
    // A genuine 800 x 600 GIF is far below this; anything longer is not our start image.
    constexpr int64_t kMaxBytes = 16 << 20;
    const auto bytes = fs.readAll(path, kMaxBytes);
    if (!bytes || bytes->empty()) return failure("the start image " + path + " is missing");
    return decodeStartScreen(fb, *bytes);
}

}  // namespace korvel
