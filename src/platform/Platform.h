// What the program needs of the machine: window and frame presentation, input polling, clock,
// display modes, sound and clipboard. SdlPlatform serves the program, HeadlessPlatform the tests.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace korvel {

class FileSystem;

constexpr int kFrameWidth = 800;
constexpr int kFrameHeight = 600;

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
using Palette256 = std::array<Rgb, 256>;

struct DisplayMode {
    int32_t width = 0, height = 0, bitsPerPixel = 0, refreshRate = 0;
    bool operator==(const DisplayMode&) const = default;
};

struct TimeOfDay {
    int hour = 0, minute = 0, second = 0;
};

struct PointerPos {
    int32_t x = 0, y = 0;
    bool operator==(const PointerPos&) const = default;
};

// The first and last pixel rows of the desktop the window is on, as frame rows counted from the
// top (rows above the frame are negative).
struct DesktopRows {
    int32_t top = 0, bottom = kFrameHeight - 1;
};

enum class WindowState { Normal, Maximised, Minimised };

// Flags of playSound, as the callers pass them.
constexpr int32_t kSoundAsync = 1;
constexpr int32_t kSoundNoDefault = 2;

// Key states: bit 15 set (negative) while the key is down, bit 0 the key's toggle state.
constexpr int16_t kKeyDownBit = static_cast<int16_t>(0x8000);
constexpr int16_t kKeyToggleBit = 1;
inline bool keyIsDown(int16_t state) { return state < 0; }

class Platform {
public:
    virtual ~Platform() = default;

    // Program: the folder of the executable (ends with a separator) and the command line
    // (arguments joined by blanks, an argument holding a blank in double quotes), in 8-bit text.
    virtual std::string programFolder() const = 0;
    virtual std::string commandLine() const = 0;
    virtual FileSystem& fileSystem() = 0;

    // Window. The caption is 8-bit text. present() shows an 800x600 frame whose row 0 is the
    // bottom row, through the given 256-colour palette.
    virtual void setCaption(const std::string& caption) = 0;
    virtual void showWindow() = 0;
    virtual void setWindowState(WindowState state) = 0;
    // Moves the window by (dx, dy) frame pixels, y downwards; the backend converts them into
    // the window system's units. Platforms without a movable window ignore it.
    virtual void moveWindowBy(int32_t dx, int32_t dy) {
        (void)dx;
        (void)dy;
    }
    virtual void present(const uint8_t* pixels, const Palette256& palette) = 0;

    // The splash: a small window of its own showing one line of text, drawn without any data
    // file, until closeSplash. The next event pass lets the window system draw it.
    virtual void showSplash(const std::string& text) = 0;
    virtual void closeSplash() = 0;
    // Tells the user why the program cannot go on, when it has nothing of its own to draw with.
    virtual void showError(const std::string& text) = 0;

    // One pass of the window system's event processing. Activation and close requests are
    // delivered only from inside this call, through the handlers below.
    virtual void processEvents() = 0;
    virtual void setActivationHandler(std::function<void(bool active)> handler) = 0;
    virtual void setCloseHandler(std::function<void()> handler) = 0;

    // Input. keyState(vk) for Windows virtual-key numbers 0..255. The pointer is in frame
    // pixels: x from the left, y from the top row (0..599 inside the frame), also when the
    // window is scaled; warpPointer takes the same coordinates.
    virtual int16_t keyState(int vk) = 0;
    virtual PointerPos pointerPosition() = 0;
    virtual void warpPointer(int32_t x, int32_t y) = 0;
    // Where the desktop ends above and below, in the pointer's coordinates: a value drag moves
    // the pointer to the other edge when it reaches one.
    virtual DesktopRows desktopRows() = 0;

    // Time: milliseconds since an arbitrary start, sleeping, the local time of day, and a
    // seconds clock (seconds since midnight with a fraction).
    virtual uint32_t ticks() = 0;
    virtual void sleep(uint32_t ms) = 0;
    virtual TimeOfDay timeOfDay() = 0;
    virtual double secondsClock() = 0;

    // Display modes: the current desktop mode and a switch to another (true on success).
    virtual DisplayMode desktopMode() = 0;
    virtual bool setDisplayMode(const DisplayMode& mode) = 0;

    // Sound: plays a WAV file; silent when the file is missing. Returns at once.
    virtual void playSound(const std::string& path, int32_t flags) = 0;

    // Clipboard text, in 8-bit text. Setting it reports whether the clipboard took the text.
    virtual std::string clipboardText() = 0;
    virtual bool setClipboardText(const std::string& text) = 0;
    virtual bool clipboardHasText() = 0;
    virtual void clearClipboard() = 0;
};

}  // namespace korvel
