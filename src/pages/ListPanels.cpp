#include "pages/ListPanels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/Mainm.h"
#include "pages/PanelKit.h"
#include "ui/Raster.h"
#include "ui/Text.h"

namespace korvel {

namespace {

const std::initializer_list<std::pair<int32_t, int32_t>> kAround = {
    {0, -1}, {0, 1}, {-1, 0}, {1, 0}};

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

// Whether `folder` lies in `root`: the same path or below it, compared by whole components and
// without regard to case or a trailing separator.
size_t prefixLength(const std::string& root, const std::string& folder) {
    std::string r = root;
    while (r.size() > 1 && isSeparator(r.back())) r.pop_back();
    if (r.empty() || r.size() > folder.size()) return 0;
    for (size_t i = 0; i < r.size(); ++i) {
        const char a = r[i], b = folder[i];
        if (isSeparator(a) && isSeparator(b)) continue;
        if (std::tolower(static_cast<unsigned char>(a)) != std::tolower(static_cast<unsigned char>(b)))
            return 0;
    }
    if (r.size() == folder.size() || isSeparator(r.back()) || isSeparator(folder[r.size()]))
        return r.size();
    return 0;
}

}  // namespace

int32_t waitBandColour(int32_t y) {
    return safeFloor(4.0 - 4.0 * std::cos(std::abs(y - 344) / 3.0));
}

void drawProblemListPanel(const PanelContext& pc) {
    pc.title(941, 124);
    pc.frameB(4, 132, 796, 556);
    for (int32_t y = 327; y <= 361; ++y) pc.fill(6, y, 779, y, waitBandColour(y));
    pc.label(942, pc.centredOn(942, 393), 339, 83);
    pc.track(780, 134, 421, true);
}

void drawStatisticsPanel(const PanelContext& pc) {
    pc.title(943, 160);
    for (int32_t i = 0; i < 3; ++i) {
        const int32_t y = 536 - 12 * i;
        pc.shadowed(pc.msg(944 + i), 8, y, 83, kAround);
        pc.frameB(261, y, 784, y + 11);
    }
    for (int32_t k = 0; k < 8; ++k) pc.stripeTint(0, 488 - 24 * k, kScreenRight, 499 - 24 * k);
    for (int32_t k = 0; k < 16; ++k) pc.label(947 + k, 8, 488 - 12 * k);
    pc.label(963, 8, 144);
    pc.darken(4, 164, 320, 244);
    for (int32_t k = 0; k < 8; ++k) {
        pc.fill(56 + 36 * k, 168, 56 + 36 * k, 191, 81);
        pc.fill(56 + 36 * k, 198, 56 + 36 * k, 221, 81);
    }
    pc.label(1150, 12, 228, 224);
    pc.propText(pc.msg(1151), 12, 210, 81);
    pc.propText(pc.msg(1152), 12, 198, 81);
    pc.propText(pc.msg(1151), 12, 180, 81);
    pc.propText(pc.msg(1152), 12, 168, 81);
    constexpr const char* kUpper[] = {"0/1", "3", "4", "6/14", "7/23", "8", "9"};
    constexpr const char* kLower[] = {"11", "12", "13", "15", "17", "28", "SOS"};
    for (int32_t i = 0; i < 7; ++i) {
        const int32_t c = 75 + 36 * i;
        pc.text(kUpper[i], c - 4 * int32_t(std::strlen(kUpper[i])), 210, 81);
        pc.text(kLower[i], c - 4 * int32_t(std::strlen(kLower[i])), 180, 81);
    }
}

void drawDrivePickerPanel(const PanelContext& pc) {
    pc.title(979, 172, 340);
    pc.label(980, pc.centredOn(980, 400), 296);
}

DriveList takeDriveInventory(const DriveTable& drives, const std::string& browserFolder) {
    DriveList list;
    size_t best = 0;
    for (int32_t d = 0; d < 26; ++d) {
        const int32_t letter = 'A' + d;
        const uint8_t state = drives.state ? drives.state(letter) : 0;
        list.driveAvailable[size_t(d)] = state <= 2 ? state : 0;
        if (!drives.folder) continue;
        const size_t n = prefixLength(drives.folder(letter), browserFolder);
        if (n > best) best = n, list.driveCursor = uint8_t(d);
    }
    return list;
}

void drawFileBrowserPanel(const PanelContext& pc, int32_t titleMessage) {
    pc.title(titleMessage, 64, 568);
    pc.track(385, 135, 384, true);
    pc.track(785, 135, 384, true);
}

void drawHelpViewerPanel(const PanelContext& pc) {
    pc.stripeTint(8, 552, 792, 576);
    pc.stripeTint(8, 136, 777, 543);
    pc.outlined(pc.msg(1074), 16, 559, 100);
    pc.track(778, 136, 408, true);
}

void drawAboutPanel(const PanelContext& pc, const std::vector<uint8_t>& startupScreen) {
    const size_t bytes = size_t(kScreenWidth) * kMapViewRows;
    if (startupScreen.size() >= bytes)
        std::copy_n(startupScreen.begin(), bytes,
                    pc.cv.frame.background.begin() + ptrdiff_t(kMapViewBottom) * kScreenWidth);
    const std::initializer_list<std::pair<int32_t, int32_t>> kShadow = {{1, -1}};
    pc.shadowed(pc.msg(1075), 8, 512, 83, kShadow);
    pc.shadowed(pc.msg(1076), 8, 496, 83, kShadow);
    pc.shadowed(pc.msg(1077), 8, 464, 83, kShadow);
    // The language gives the shadow lines (1078, 1080) the whole width of the lines above them.
    pc.text(pc.msg(1078), 9, 447, 0);
    pc.label(1079, 8, 448, 83);
    pc.label(312, pc.after(1079, 16), 448, 44);
    pc.text(pc.msg(1080), 9, 431, 0);
    pc.label(1081, 8, 432, 83);
    pc.label(313, pc.after(1081, 16), 432, 44);
    // Credits: one line per part between "||"; lines that would fall below the panel are left out.
    const std::string credits = pc.msg(1300);
    size_t start = 0;
    for (int32_t k = 0;; ++k) {
        const size_t bar = credits.find("||", start);
        const std::string part = credits.substr(start, bar == std::string::npos ? bar : bar - start);
        const int32_t y = 320 - 12 * k;
        if (y < kMapViewBottom) break;
        pc.shadowed(part, 8, y, 238, kShadow);
        if (bar == std::string::npos) break;
        start = bar + 2;
    }
}

}  // namespace korvel
