#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "base/Cp1251.h"
#include "platform/CommandLine.h"
#include "platform/sdl/FrameViewport.h"
#include "platform/sdl/ScancodeTable.h"
#include "platform/sdl/SoundPlayer.h"
#include "platform/sdl/SplashFont.h"

namespace korvel {

namespace {

// Rows converted at a time on their way to the texture: the frame is never held whole at 32 bits.
constexpr int kBandRows = 40;
static_assert(kFrameHeight % kBandRows == 0);
constexpr uint32_t kOpaqueBlack = 0xFF000000u;

// Key-state sources: scancodes first, then mouse buttons.
constexpr int kMouseSourceBase = SDL_NUM_SCANCODES;
static_assert(kMouseSourceBase + 256 <= KeyStates::kSourceCount);

std::string folderOfExecutable() {
    if (char* base = SDL_GetBasePath()) {
        std::string folder = base;
        SDL_free(base);
        if (!folder.empty()) return folder;
    }
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return exe.parent_path().string() + "/";
    return "./";
}

std::string currentFolder() {
    std::error_code ec;
    const auto cwd = std::filesystem::current_path(ec);
    return ec ? std::string() : cwd.string();
}

tm localNow(timespec* precise) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (precise) *precise = now;
    tm local{};
    const time_t seconds = now.tv_sec;
    localtime_r(&seconds, &local);
    return local;
}

}  // namespace

std::unique_ptr<SdlPlatform> SdlPlatform::create(int argc, char** argv, std::string& error) {
    std::unique_ptr<SdlPlatform> platform(new SdlPlatform());
    if (!platform->open(argc, argv, error)) return nullptr;
    return platform;
}

bool SdlPlatform::open(int argc, char** argv, std::string& error) {
    programFolder_ = utf8ToPathText(folderOfExecutable());
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    commandLine_ = buildCommandLine(args, currentFolder(), [](const std::string& path) {
        std::error_code ec;
        return std::filesystem::exists(path, ec);
    });

    // The program handles losing the focus in full screen itself (it restores the desktop).
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // A click that activates the window also counts as a click, as users expect.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Window surfaces (the splash, and the frame when no renderer can be made) are copied to
    // the window as they are. Left to itself SDL would give each one a renderer of its own,
    // which on a software GL driver costs tens of milliseconds and megabytes per window.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        error = std::string("cannot start the video system: ") + SDL_GetError();
        return false;
    }
    sdlStarted_ = true;
    window_ = SDL_CreateWindow("Korvel", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               kFrameWidth, kFrameHeight, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!window_) {
        error = std::string("cannot create the window: ") + SDL_GetError();
        return false;
    }
    if (!makeRenderer() && !makeSurfacePath()) {
        error = std::string("cannot draw into the window: ") + SDL_GetError();
        return false;
    }
    // Keys are read as states, never as typed text; this also keeps input-method windows away.
    SDL_StopTextInput();
    sound_ = std::make_unique<SoundPlayer>();
    return true;
}

bool SdlPlatform::makeRenderer() {
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) return false;
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 kFrameWidth, kFrameHeight);
    if (!texture_) {
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
        return false;
    }
    // The texture is filled by the first present; until then the window is drawn black.
    pixels_.assign(size_t(kFrameWidth) * kBandRows, kOpaqueBlack);
    return true;
}

bool SdlPlatform::makeSurfacePath() {
    pixels_.assign(size_t(kFrameWidth) * kFrameHeight, kOpaqueBlack);
    frameSurface_ = SDL_CreateRGBSurfaceWithFormatFrom(
        pixels_.data(), kFrameWidth, kFrameHeight, 32, kFrameWidth * 4, SDL_PIXELFORMAT_ARGB8888);
    return frameSurface_ != nullptr && SDL_GetWindowSurface(window_) != nullptr;
}

SdlPlatform::~SdlPlatform() {
    sound_.reset();
    closeSplash();
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (frameSurface_) SDL_FreeSurface(frameSurface_);
    if (window_) SDL_DestroyWindow(window_);
    if (sdlStarted_) SDL_Quit();
}

std::string SdlPlatform::presentationPath() const {
    SDL_RendererInfo info{};
    if (renderer_ && SDL_GetRendererInfo(renderer_, &info) == 0 && info.name)
        return std::string("renderer ") + info.name;
    return renderer_ ? "renderer" : "window surface";
}

void SdlPlatform::setCaption(const std::string& caption) {
    SDL_SetWindowTitle(window_, pathTextToUtf8(caption).c_str());
}

void SdlPlatform::showWindow() {
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    // Being shown exposes the window, and the drawing below answers that: the exposures waiting
    // by now are dropped rather than drawn a second time by the next event pass.
    SDL_PumpEvents();
    Uint32 id = SDL_GetWindowID(window_);
    SDL_FilterEvents(
        [](void* window, SDL_Event* e) {
            return e->type == SDL_WINDOWEVENT && e->window.event == SDL_WINDOWEVENT_EXPOSED &&
                           e->window.windowID == *static_cast<Uint32*>(window)
                       ? 0
                       : 1;
        },
        &id);
    redraw();
}

void SdlPlatform::setWindowState(WindowState state) {
    switch (state) {
        case WindowState::Normal:
            SDL_RestoreWindow(window_);
            break;
        case WindowState::Minimised:
            SDL_MinimizeWindow(window_);
            break;
        case WindowState::Maximised:
            // In full screen the window already covers the display.
            if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) == 0)
                SDL_MaximizeWindow(window_);
            break;
    }
}

void SdlPlatform::moveWindowBy(int32_t dx, int32_t dy) {
    // Frame pixels become window pixels at the scale the frame is shown at.
    const FrameViewport view = windowViewport();
    const double scale = double(view.width) / kFrameWidth;
    int x = 0, y = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    SDL_SetWindowPosition(window_, x + int(std::lround(dx * scale)),
                          y + int(std::lround(dy * scale)));
}

void SdlPlatform::present(const uint8_t* pixels, const Palette256& palette) {
    // Only the bands of rows that differ from the frame presented last are converted and
    // uploaded: a line of the start-up log changes one band, and an idle editor presents the same
    // picture frame after frame, which the window shows already (and is repainted from when
    // uncovered), so nothing is done at all.
    const size_t frameBytes = size_t(kFrameWidth) * kFrameHeight;
    const size_t bandBytes = size_t(kFrameWidth) * kBandRows;
    const bool firstFrame = lastPresented_.empty();
    const bool samePalette = !firstFrame && palette == lastPalette_;
    if (firstFrame) lastPresented_.assign(pixels, pixels + frameBytes);
    lastPalette_ = palette;
    uint32_t colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = kOpaqueBlack | uint32_t(palette[i].r) << 16 | uint32_t(palette[i].g) << 8 |
                     palette[i].b;
    bool changed = false;
    for (int y = 0; y < kFrameHeight; y += kBandRows) {
        // The program counts rows from the bottom; the window from the top. The band's rows are
        // one block of the frame, its top row last.
        const size_t block = size_t(kFrameHeight - kBandRows - y) * kFrameWidth;
        if (samePalette &&
            std::memcmp(lastPresented_.data() + block, pixels + block, bandBytes) == 0)
            continue;
        if (!firstFrame) std::memcpy(lastPresented_.data() + block, pixels + block, bandBytes);
        changed = true;
        // Without a renderer pixels_ is the whole frame; with one, the band on its way.
        uint32_t* band = texture_ ? pixels_.data() : pixels_.data() + size_t(y) * kFrameWidth;
        for (int r = 0; r < kBandRows; ++r) {
            const uint8_t* src = pixels + size_t(kFrameHeight - 1 - y - r) * kFrameWidth;
            uint32_t* dst = band + size_t(r) * kFrameWidth;
            for (int x = 0; x < kFrameWidth; ++x) dst[x] = colours[src[x]];
        }
        if (texture_) {
            const SDL_Rect rect{0, y, kFrameWidth, kBandRows};
            SDL_UpdateTexture(texture_, &rect, band, kFrameWidth * 4);
        }
    }
    if (!changed) return;
    texturePresented_ = texture_ != nullptr;
    // A hidden window shows nothing; showing it draws the frame. Drawing it now would cost a
    // whole pass through the renderer for nothing.
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_HIDDEN) == 0) redraw();
}

void SdlPlatform::showSplash(const std::string& text) {
    closeSplash();
    const SplashBitmap bitmap = renderSplashText(text, 2);
    constexpr int kMargin = 24;
    const int w = bitmap.width + 2 * kMargin, h = bitmap.height + 2 * kMargin;
    // The whole picture is made once in memory and copied to the window in one blit.
    splashImage_ = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!splashImage_) return;  // a splash that cannot be shown is no reason to stop
    const Uint32 paper = SDL_MapRGB(splashImage_->format, 24, 40, 48);
    const Uint32 ink = SDL_MapRGB(splashImage_->format, 230, 236, 240);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(splashImage_->pixels) +
                                              size_t(y) * size_t(splashImage_->pitch));
        const int inkY = y - kMargin;
        for (int x = 0; x < w; ++x) {
            const int inkX = x - kMargin;
            const bool inked = inkY >= 0 && inkY < bitmap.height && inkX >= 0 &&
                               inkX < bitmap.width &&
                               bitmap.ink[size_t(inkY) * size_t(bitmap.width) + size_t(inkX)];
            row[x] = inked ? ink : paper;
        }
    }
    splash_ = SDL_CreateWindow("Korvel", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                               SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS);
    if (!splash_) {
        closeSplash();
        return;
    }
    splashWindowId_ = SDL_GetWindowID(splash_);
    drawSplash();
}

void SdlPlatform::drawSplash() {
    SDL_Surface* surface = splash_ ? SDL_GetWindowSurface(splash_) : nullptr;
    if (!surface || !splashImage_) return;
    SDL_BlitSurface(splashImage_, nullptr, surface, nullptr);
    SDL_UpdateWindowSurface(splash_);
}

void SdlPlatform::closeSplash() {
    if (splash_) SDL_DestroyWindow(splash_);
    splash_ = nullptr;
    if (splashImage_) SDL_FreeSurface(splashImage_);
    splashImage_ = nullptr;
}

void SdlPlatform::showError(const std::string& text) {
    const std::string utf8 = cp1251ToUtf8(text);
    std::fprintf(stderr, "korvel: %s\n", utf8.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Korvel", utf8.c_str(), window_);
}

void SdlPlatform::redraw() {
    if (renderer_) {
        int w = 0, h = 0;
        if (SDL_GetRendererOutputSize(renderer_, &w, &h) != 0) return;
        const FrameViewport v = frameViewport(w, h);
        const SDL_Rect target{v.x, v.y, v.width, v.height};
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        if (texturePresented_) SDL_RenderCopy(renderer_, texture_, nullptr, &target);
        SDL_RenderPresent(renderer_);
        return;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface || !frameSurface_) return;
    const FrameViewport v = frameViewport(surface->w, surface->h);
    SDL_Rect target{v.x, v.y, v.width, v.height};
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    if (v.width == kFrameWidth && v.height == kFrameHeight)
        SDL_BlitSurface(frameSurface_, nullptr, surface, &target);
    else
        SDL_BlitScaled(frameSurface_, nullptr, surface, &target);
    SDL_UpdateWindowSurface(window_);
}

void SdlPlatform::processEvents() {
    // One pass: the events waiting now, not those that arrive while they are handled.
    SDL_PumpEvents();
    SDL_Event batch[64];
    bool needRedraw = false;
    for (;;) {
        const int count = SDL_PeepEvents(batch, 64, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
        if (count <= 0) break;
        for (int i = 0; i < count; ++i) {
            const SDL_Event& e = batch[i];
            if (e.type == SDL_WINDOWEVENT && (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                              e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
                if (splashWindowId_ != 0 && e.window.windowID == splashWindowId_) {
                    drawSplash();
                    continue;
                }
                needRedraw = true;
            }
            handleEvent(e);
        }
    }
    const SDL_Keymod mods = SDL_GetModState();
    keys_.setToggle(20, (mods & KMOD_CAPS) != 0);
    keys_.setToggle(144, (mods & KMOD_NUM) != 0);
    keys_.setToggle(145, (mods & KMOD_SCROLL) != 0);
    if (needRedraw) redraw();
    warpedTo_.reset();
}

void SdlPlatform::handleEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT:
            // Closing the last window ends up here too, once per request.
            if (onClose_) onClose_();
            break;
        case SDL_WINDOWEVENT:
            // The splash's own focus changes are no activation of the editor.
            if (splashWindowId_ != 0 && e.window.windowID == splashWindowId_) break;
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) setActive(true);
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                // Keys released while another window has the focus never reach us.
                keys_.releaseAll();
                setActive(false);
            }
            break;
        case SDL_KEYDOWN:
            if (e.key.repeat == 0)
                keys_.sourceDown(e.key.keysym.scancode,
                                 virtualKeyForScancode(e.key.keysym.scancode,
                                                       (e.key.keysym.mod & KMOD_NUM) != 0));
            break;
        case SDL_KEYUP:
            keys_.sourceUp(e.key.keysym.scancode);
            break;
        case SDL_MOUSEBUTTONDOWN:
            keys_.sourceDown(kMouseSourceBase + e.button.button,
                             virtualKeyForMouseButton(e.button.button));
            break;
        case SDL_MOUSEBUTTONUP:
            keys_.sourceUp(kMouseSourceBase + e.button.button);
            break;
        default:
            break;
    }
}

void SdlPlatform::setActive(bool active) {
    // Activation is reported on changes only, like the application-level message it stands for.
    if (active == active_) return;
    active_ = active;
    if (onActivate_) onActivate_(active);
}

FrameViewport SdlPlatform::windowViewport() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return frameViewport(w, h);
}

PointerPos SdlPlatform::pointerPosition() {
    // SDL learns of a warp only from the motion event it causes, in the next event pass.
    if (warpedTo_) return *warpedTo_;
    // Window-relative; while a button is held SDL captures the pointer, so a drag is followed
    // beyond the window's edges too.
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    return windowToFrame(windowViewport(), x, y);
}

void SdlPlatform::warpPointer(int32_t x, int32_t y) {
    const PointerPos w = frameToWindow(windowViewport(), x, y);
    SDL_WarpMouseInWindow(window_, w.x, w.y);
    warpedTo_ = PointerPos{x, y};
}

DesktopRows SdlPlatform::desktopRows() {
    SDL_Rect bounds{};
    const int display = SDL_GetWindowDisplayIndex(window_);
    if (display < 0 || SDL_GetDisplayBounds(display, &bounds) != 0 || bounds.h <= 0) return {};
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(window_, &wx, &wy);
    const FrameViewport v = windowViewport();
    return {windowToFrame(v, 0, bounds.y - wy).y,
            windowToFrame(v, 0, bounds.y + bounds.h - 1 - wy).y};
}

uint32_t SdlPlatform::ticks() {
    return SDL_GetTicks();
}

void SdlPlatform::sleep(uint32_t ms) {
    SDL_Delay(ms);
}

TimeOfDay SdlPlatform::timeOfDay() {
    const tm local = localNow(nullptr);
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

double SdlPlatform::secondsClock() {
    timespec now{};
    const tm local = localNow(&now);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + now.tv_nsec / 1e9;
}

DisplayMode SdlPlatform::desktopMode() {
    SDL_DisplayMode mode{};
    const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
    if (SDL_GetDesktopDisplayMode(display, &mode) != 0) return {};
    return {mode.w, mode.h, int32_t(SDL_BYTESPERPIXEL(mode.format) * 8), mode.refresh_rate};
}

bool SdlPlatform::setDisplayMode(const DisplayMode& mode) {
    // The program switches between two modes only: the desktop's own (the window goes back to
    // a window) and a full-screen one (the window covers the display).
    const DisplayMode desktop = desktopMode();
    if (mode.width == desktop.width && mode.height == desktop.height)
        return SDL_SetWindowFullscreen(window_, 0) == 0;

    const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
    SDL_DisplayMode chosen{};
    bool found = false;
    const int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode m{};
        if (SDL_GetDisplayMode(display, i, &m) != 0 || m.w != mode.width || m.h != mode.height)
            continue;
        // The listed modes come best first; a requested refresh rate is taken when offered.
        if (!found || (mode.refreshRate > 0 && m.refresh_rate == mode.refreshRate &&
                       chosen.refresh_rate != mode.refreshRate)) {
            chosen = m;
            found = true;
        }
    }
    if (found) {
        if (SDL_SetWindowDisplayMode(window_, &chosen) != 0) return false;
        return SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) == 0;
    }
    // A display that offers no such mode still shows the frame full screen, scaled.
    if (mode.width != kFrameWidth || mode.height != kFrameHeight) return false;
    return SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

void SdlPlatform::playSound(const std::string& path, int32_t) {
    // Always asynchronous and without a fallback sound: a missing cue is silence.
    if (!sound_ || !fileSystem_.fileExists(path)) return;
    sound_->play(pathTextToUtf8(nativePath(path)));
}

std::string SdlPlatform::clipboardText() {
    char* text = SDL_GetClipboardText();
    std::string utf8 = text ? text : "";
    SDL_free(text);
    return utf8ToCp1251(utf8);
}

bool SdlPlatform::setClipboardText(const std::string& text) {
    return SDL_SetClipboardText(cp1251ToUtf8(text).c_str()) == 0;
}

bool SdlPlatform::clipboardHasText() {
    return !clipboardText().empty();
}

void SdlPlatform::clearClipboard() {
    SDL_SetClipboardText("");
}

}  // namespace korvel
