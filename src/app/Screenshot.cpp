#include "app/Screenshot.h"

#include <cstring>

#include "app/Editor.h"
#include "base/FileSystem.h"
#include "base/Mainm.h"
#include "platform/Platform.h"

namespace korvel {

namespace {

constexpr uint32_t kHeaderSize = 54, kPaletteSize = 1024;
constexpr uint32_t kPixelBytes = uint32_t(kScreenWidth) * kScreenHeight;

void put16(std::string& out, uint16_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}
void put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::string screenshotBytes(FrameBuffer& fb, const ColorTables& colors) {
    std::string out;
    out.reserve(kScreenshotFileSize);
    out += "BM";
    put32(out, uint32_t(kScreenshotFileSize));
    put32(out, 0);
    put32(out, kHeaderSize + kPaletteSize);
    put32(out, 40);
    put32(out, uint32_t(kScreenWidth));
    put32(out, uint32_t(kScreenHeight));
    put16(out, 1);
    put16(out, 8);
    put32(out, 0);
    put32(out, kPixelBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 256);
    put32(out, 256);
    for (size_t i = 0; i < 256; ++i) {
        out.push_back(char(colors.paletteBlue[i]));
        out.push_back(char(colors.paletteGreen[i]));
        out.push_back(char(colors.paletteRed[i]));
        out.push_back(0);
    }
    const SurfaceView s = screenView(fb);
    for (int32_t y = 0; y < kScreenHeight; ++y)
        out.append(reinterpret_cast<const char*>(&s.at(0, y)), size_t(kScreenWidth));
    return out;
}

std::string screenshotFileName(int32_t n) {
    return "KRVD" + zeroPad(n, 4) + ".BMP";
}

bool saveScreenshot(Editor& ed) {
    if (ed.app.platform == nullptr) return false;
    Platform& p = *ed.app.platform;
    int32_t& counter = ed.app.screenshotCounter;
    if (counter < 0 || counter > 9999) counter = 0;
    const std::string path = joinPath(p.programFolder(), screenshotFileName(counter));
    if (!p.fileSystem().writeAtomic(path, screenshotBytes(ed.frameBuffer, ed.colorTables)))
        return false;
    counter = counter >= 9999 ? 0 : counter + 1;
    return true;
}

}  // namespace korvel
