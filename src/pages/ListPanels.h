// The static panels of the pages that show lists and documents: the problem list, the
// statistics, the drive list, the file browser, the help viewer and the information page.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace korvel {

struct PanelContext;

void drawProblemListPanel(const PanelContext& pc);
// The colour of the wait band's row y (rows 327..361 around row 344).
int32_t waitBandColour(int32_t y);
void drawStatisticsPanel(const PanelContext& pc);

// The drive list: each letter's folder (empty for none) and state (0 no such drive, 1 ready,
// 2 there but not ready), as the platform's drive table tells them.
struct DriveTable {
    std::function<std::string(int32_t letter)> folder;
    std::function<uint8_t(int32_t letter)> state;
};
struct DriveList {
    std::array<uint8_t, 26> driveAvailable{};
    uint8_t driveCursor = 0;
};
void drawDrivePickerPanel(const PanelContext& pc);
// The drives' states, and the drive whose folder is the longest whole-component prefix of the
// folder shown (drive A when none is).
DriveList takeDriveInventory(const DriveTable& drives, const std::string& browserFolder);

void drawFileBrowserPanel(const PanelContext& pc, int32_t titleMessage);
void drawHelpViewerPanel(const PanelContext& pc);
// `startupScreen` holds the map view's rows of the start-up picture, or is empty when there is none.
void drawAboutPanel(const PanelContext& pc, const std::vector<uint8_t>& startupScreen);

}  // namespace korvel
