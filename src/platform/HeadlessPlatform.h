// A platform without a display or sound device, for tests and runs without a screen: scripted
// key and pointer states, a manual clock, the last presented frame kept for inspection, played
// sounds recorded by name and activation events queued until the next event pass.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "platform/DriveTable.h"
#include "platform/Platform.h"

namespace korvel {

class HeadlessPlatform : public Platform {
public:
    // programFolder: a real folder (tests pass a temporary one); a separator is appended.
    explicit HeadlessPlatform(std::string programFolder, std::string commandLine = "");

    std::string programFolder() const override { return programFolder_; }
    std::string commandLine() const override { return commandLine_; }
    FileSystem& fileSystem() override { return *fileSystem_; }
    // Replaces the file system, for tests that inject failures.
    void setFileSystem(std::unique_ptr<FileSystem> fs) { fileSystem_ = std::move(fs); }
    // Drive letters without the machine's mounts: A "/" and C the program folder, or the folders
    // given (reaching the file system when it is the native one).
    static DriveFolders headlessDriveFolders(const std::string& programFolder);
    void setDriveFolders(const DriveFolders& folders);

    void setCaption(const std::string& caption) override { caption_ = caption; }
    void showWindow() override { shown_ = true; }
    void setWindowState(WindowState state) override { windowState_ = state; }
    void moveWindowBy(int32_t dx, int32_t dy) override { windowMoves_.push_back({dx, dy}); }
    void present(const uint8_t* pixels, const Palette256& palette) override;
    void showSplash(const std::string& text) override {
        splashText_ = text;
        splashOpen_ = true;
    }
    void closeSplash() override { splashOpen_ = false; }
    void showError(const std::string& text) override { errors_.push_back(text); }

    void processEvents() override;
    void setActivationHandler(std::function<void(bool)> handler) override {
        onActivate_ = std::move(handler);
    }
    void setCloseHandler(std::function<void()> handler) override { onClose_ = std::move(handler); }

    int16_t keyState(int vk) override;
    PointerPos pointerPosition() override { return pointer_; }
    void warpPointer(int32_t x, int32_t y) override;
    DesktopRows desktopRows() override { return desktopRows_; }

    uint32_t ticks() override { return ticks_; }
    void sleep(uint32_t ms) override;
    TimeOfDay timeOfDay() override { return timeOfDay_; }
    double secondsClock() override { return ticks_ / 1000.0; }

    DisplayMode desktopMode() override { return currentMode_; }
    bool setDisplayMode(const DisplayMode& mode) override;

    void playSound(const std::string& path, int32_t flags) override;

    std::string clipboardText() override { return clipboard_; }
    bool setClipboardText(const std::string& text) override {
        if (refuseClipboard_) return false;
        clipboard_ = text;
        return true;
    }
    bool clipboardHasText() override { return !clipboard_.empty(); }
    void clearClipboard() override { clipboard_.clear(); }

    // --- Scripting and inspection ---
    void setKeyDown(int vk, bool down);
    void toggleKey(int vk);
    void setPointer(int32_t x, int32_t y) { pointer_ = {x, y}; }
    // The default is a desktop exactly as high as the frame.
    void setDesktopRows(DesktopRows rows) { desktopRows_ = rows; }
    void advanceClock(uint32_t ms) { ticks_ += ms; }
    void setClock(uint32_t ms) { ticks_ = ms; }
    void setTimeOfDay(TimeOfDay t) { timeOfDay_ = t; }
    // When set, sleep() advances the clock by the time slept (the default).
    void setSleepAdvancesClock(bool on) { sleepAdvancesClock_ = on; }
    void queueActivation(bool active) { pendingActivations_.push_back(active); }
    void queueClose() { pendingCloses_++; }
    void refuseDisplayModes(bool refuse) { refuseModes_ = refuse; }
    // While set, the clipboard takes no text (another program holds it open).
    void refuseClipboard(bool refuse) { refuseClipboard_ = refuse; }

    const std::vector<uint8_t>& lastFrame() const { return lastFrame_; }
    const Palette256& lastPalette() const { return lastPalette_; }
    // Pixel of the last presented frame; y counted from the bottom row, as the program draws.
    uint8_t framePixel(int x, int y) const;
    int presentCount() const { return presentCount_; }
    int eventPasses() const { return eventPasses_; }
    uint32_t totalSlept() const { return totalSlept_; }
    // Cue files played, as file names without folder ("beep2.wav"); played or not, missing
    // files are recorded too, marked by playedMissing.
    const std::vector<std::string>& playedSounds() const { return playedSounds_; }
    const std::vector<std::string>& playedMissing() const { return playedMissing_; }
    // Every cue asked for, found or missing, in order.
    const std::vector<std::string>& playedCues() const { return playedCues_; }
    void clearPlayedSounds() {
        playedSounds_.clear();
        playedMissing_.clear();
        playedCues_.clear();
    }
    const std::string& caption() const { return caption_; }
    bool shown() const { return shown_; }
    WindowState windowState() const { return windowState_; }
    // Every window move asked for, in frame pixels (y downwards), oldest first.
    const std::vector<PointerPos>& windowMoves() const { return windowMoves_; }
    const std::vector<PointerPos>& warps() const { return warps_; }
    const std::vector<DisplayMode>& modeRequests() const { return modeRequests_; }
    // The text the splash showed last, and whether it is still open.
    const std::string& splashText() const { return splashText_; }
    bool splashOpen() const { return splashOpen_; }
    const std::vector<std::string>& errors() const { return errors_; }

private:
    std::string programFolder_;
    std::string commandLine_;
    std::unique_ptr<FileSystem> fileSystem_;
    std::string caption_;
    bool shown_ = false;
    WindowState windowState_ = WindowState::Normal;
    std::vector<PointerPos> windowMoves_;
    std::vector<uint8_t> lastFrame_;
    Palette256 lastPalette_{};
    int presentCount_ = 0;
    int eventPasses_ = 0;
    std::function<void(bool)> onActivate_;
    std::function<void()> onClose_;
    std::deque<bool> pendingActivations_;
    int pendingCloses_ = 0;
    int16_t keys_[256] = {};
    PointerPos pointer_{};
    std::vector<PointerPos> warps_;
    DesktopRows desktopRows_{};
    uint32_t ticks_ = 0;
    uint32_t totalSlept_ = 0;
    bool sleepAdvancesClock_ = true;
    TimeOfDay timeOfDay_{12, 0, 0};
    DisplayMode currentMode_{1920, 1080, 32, 60};
    bool refuseModes_ = false;
    std::vector<DisplayMode> modeRequests_;
    std::vector<std::string> playedSounds_;
    std::vector<std::string> playedMissing_;
    std::vector<std::string> playedCues_;
    std::string clipboard_;
    bool refuseClipboard_ = false;
    std::string splashText_;
    bool splashOpen_ = false;
    std::vector<std::string> errors_;
};

}  // namespace korvel
