#include "ui/FrameBuffer.h"

#include <algorithm>
#include <cstring>

namespace korvel {

FrameBuffer::FrameBuffer(int32_t rowLength)
    : screen(size_t(std::max(rowLength, kScreenWidth)) * kScreenHeight),
      screenRowLength(std::max(rowLength, kScreenWidth)),
      background(size_t(kScreenWidth) * kScreenHeight),
      viewBackdrop(size_t(kScreenWidth) * kMapViewRows),
      menuBuffer(size_t(400) * kMapViewRows),
      screenCopy(size_t(kScreenWidth) * kScreenHeight) {}

SurfaceView backgroundView(FrameBuffer& fb) {
    return {fb.background.data(), kScreenWidth, kScreenHeight, kScreenWidth};
}

SurfaceView menuView(FrameBuffer& fb) {
    return {fb.menuBuffer.data(), 400, kMapViewRows, 400};
}

std::vector<uint8_t>& preview3dPicture(FrameBuffer& fb) {
    const size_t bytes = size_t(kScreenWidth) * 450;
    if (fb.preview3dImage.size() != bytes) fb.preview3dImage.assign(bytes, 0);
    return fb.preview3dImage;
}

void copyBackgroundToScreen(FrameBuffer& fb) {
    if (fb.screenRowLength == kScreenWidth) {
        std::memcpy(fb.screen.data(), fb.background.data(), fb.background.size());
        return;
    }
    for (int32_t y = 0; y < kScreenHeight; ++y)
        std::memcpy(&fb.screen[size_t(y) * fb.screenRowLength], &fb.background[size_t(y) * 800],
                    kScreenWidth);
}

void presentScreen(const FrameBuffer& fb, Platform& platform) {
    if (fb.screenRowLength == kScreenWidth) {
        platform.present(fb.screen.data(), fb.screenPalette);
        return;
    }
    std::vector<uint8_t> packed(size_t(kScreenWidth) * kScreenHeight);
    for (int32_t y = 0; y < kScreenHeight; ++y)
        std::memcpy(&packed[size_t(y) * kScreenWidth], &fb.screen[size_t(y) * fb.screenRowLength],
                    kScreenWidth);
    platform.present(packed.data(), fb.screenPalette);
}

}  // namespace korvel
