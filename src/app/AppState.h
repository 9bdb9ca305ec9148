// The application's own state: the machine it runs on, the status line, the page shown and the
// requests that wait for the end of the frame.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

class Platform;

struct AppState {
    Platform* platform = nullptr;  // set once when the editor starts
    std::string statusText;        // the status line
    int32_t pendingMessageBox = 0; // MessageBoxKind to open at the end of the frame; 0 none
    int32_t currentPage = 0;       // Page shown and handled each frame
    uint8_t quitRequested = 0;
};

}  // namespace korvel
