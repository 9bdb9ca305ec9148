// The platform of the program: an SDL window showing the 8-bit frame scaled with its aspect
// kept, key and mouse states by virtual key, clock, full screen, WAV cues and the clipboard.
// This header stays free of SDL so that the program's entry point does not depend on it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "platform/Platform.h"
#include "platform/sdl/KeyStates.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;
union SDL_Event;

namespace korvel {

struct FrameViewport;
class SoundPlayer;

class SdlPlatform : public Platform {
public:
    // Starts SDL, creates the hidden 800x600 window titled "Korvel" and, when there is one, opens
    // the audio device. Nothing when no window can be made; error then says why.
    static std::unique_ptr<SdlPlatform> create(int argc, char** argv, std::string& error);
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    std::string programFolder() const override { return programFolder_; }
    std::string commandLine() const override { return commandLine_; }
    FileSystem& fileSystem() override { return fileSystem_; }

    void setCaption(const std::string& caption) override;
    void showWindow() override;
    void setWindowState(WindowState state) override;
    void moveWindowBy(int32_t dx, int32_t dy) override;
    void present(const uint8_t* pixels, const Palette256& palette) override;
    void showSplash(const std::string& text) override;
    void closeSplash() override;
    void showError(const std::string& text) override;

    void processEvents() override;
    void setActivationHandler(std::function<void(bool)> handler) override {
        onActivate_ = std::move(handler);
    }
    void setCloseHandler(std::function<void()> handler) override { onClose_ = std::move(handler); }

    int16_t keyState(int vk) override { return keys_.state(vk); }
    PointerPos pointerPosition() override;
    void warpPointer(int32_t x, int32_t y) override;
    DesktopRows desktopRows() override;

    uint32_t ticks() override;
    void sleep(uint32_t ms) override;
    TimeOfDay timeOfDay() override;
    double secondsClock() override;

    DisplayMode desktopMode() override;
    bool setDisplayMode(const DisplayMode& mode) override;

    void playSound(const std::string& path, int32_t flags) override;

    std::string clipboardText() override;
    bool setClipboardText(const std::string& text) override;
    bool clipboardHasText() override;
    void clearClipboard() override;

    // Which way frames reach the window: "renderer <name>", or "window surface" when no
    // renderer could be made.
    std::string presentationPath() const;

private:
    SdlPlatform() = default;
    bool open(int argc, char** argv, std::string& error);
    bool makeRenderer();
    bool makeSurfacePath();
    void handleEvent(const SDL_Event& event);
    void setActive(bool active);
    // Draws the last presented frame into the window again.
    void redraw();
    void drawSplash();
    FrameViewport windowViewport() const;

    bool sdlStarted_ = false;
    SDL_Window* window_ = nullptr;
    SDL_Window* splash_ = nullptr;
    uint32_t splashWindowId_ = 0;     // its events are no business of the editor's window
    SDL_Surface* splashImage_ = nullptr;  // the splash picture, copied again when uncovered
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    bool texturePresented_ = false;  // the texture holds a frame (else the window shows black)
    SDL_Surface* frameSurface_ = nullptr;  // the frame when drawing without a renderer
    // The frame as 32-bit pixels, top row first: the whole frame when drawing without a
    // renderer, else one band of rows at a time on its way to the texture.
    std::vector<uint32_t> pixels_;
    std::vector<uint8_t> lastPresented_;  // the frame and palette presented last
    Palette256 lastPalette_{};
    std::unique_ptr<SoundPlayer> sound_;
    NativeFileSystem fileSystem_;
    std::string programFolder_;
    std::string commandLine_;
    KeyStates keys_;
    bool active_ = false;
    std::optional<PointerPos> warpedTo_;  // until the next event pass
    std::function<void(bool)> onActivate_;
    std::function<void()> onClose_;
};

}  // namespace korvel
