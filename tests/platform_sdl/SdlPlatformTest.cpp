#include "platform/sdl/SdlPlatform.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "support/TempFolder.h"

namespace korvel {
namespace {

// Runs on SDL's dummy video and audio drivers (set in the test environment): events are pushed
// into SDL's queue as the window system would deliver them.
class SdlPlatformTest : public testing::Test {
protected:
    void SetUp() override {
        char name[] = "korvel";
        char* argv[] = {name, nullptr};
        std::string error;
        platform = SdlPlatform::create(1, argv, error);
        ASSERT_NE(platform, nullptr) << error;
    }

    void push(Uint32 type, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN, Uint8 repeat = 0) {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.scancode = scancode;
        e.key.keysym.mod = KMOD_NUM;
        e.key.repeat = repeat;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    void pushButton(Uint32 type, Uint8 button) {
        SDL_Event e{};
        e.type = type;
        e.button.button = button;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    void pushWindow(Uint8 event) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = event;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }

    std::unique_ptr<SdlPlatform> platform;
};

TEST_F(SdlPlatformTest, KeysAndButtonsTakeEffectInEventProcessing) {
    push(SDL_KEYDOWN, SDL_SCANCODE_RSHIFT);
    push(SDL_KEYDOWN, SDL_SCANCODE_KP_7);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    EXPECT_EQ(platform->keyState(161), 0);
    platform->processEvents();
    EXPECT_EQ(platform->keyState(161), int16_t(kKeyDownBit | kKeyToggleBit));
    EXPECT_TRUE(keyIsDown(platform->keyState(16)));
    EXPECT_TRUE(keyIsDown(platform->keyState(103)));  // pad 7 with NumLock on
    EXPECT_TRUE(keyIsDown(platform->keyState(2)));

    push(SDL_KEYDOWN, SDL_SCANCODE_RSHIFT, 1);  // auto-repeat
    push(SDL_KEYUP, SDL_SCANCODE_RSHIFT);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    platform->processEvents();
    EXPECT_EQ(platform->keyState(161), kKeyToggleBit);
    EXPECT_FALSE(keyIsDown(platform->keyState(16)));
    EXPECT_FALSE(keyIsDown(platform->keyState(2)));
    EXPECT_TRUE(keyIsDown(platform->keyState(103)));
}

TEST_F(SdlPlatformTest, FocusChangesAreActivationsAndQuitIsAClose) {
    std::vector<int> seen;  // 1 activate, 0 deactivate, 9 close
    platform->setActivationHandler([&](bool active) { seen.push_back(active ? 1 : 0); });
    platform->setCloseHandler([&] { seen.push_back(9); });
    pushWindow(SDL_WINDOWEVENT_FOCUS_GAINED);
    pushWindow(SDL_WINDOWEVENT_FOCUS_GAINED);  // no change, no second activation
    push(SDL_KEYDOWN, SDL_SCANCODE_Q);
    EXPECT_TRUE(seen.empty());
    platform->processEvents();
    EXPECT_EQ(seen, (std::vector<int>{1}));
    EXPECT_TRUE(keyIsDown(platform->keyState('Q')));

    pushWindow(SDL_WINDOWEVENT_FOCUS_LOST);
    push(SDL_QUIT);
    platform->processEvents();
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 9}));
    EXPECT_FALSE(keyIsDown(platform->keyState('Q')));  // nothing stays held after focus loss
}

TEST_F(SdlPlatformTest, PointerWarpsAndReadsInFramePixels) {
    platform->showWindow();
    for (auto [x, y] : {std::pair{0, 0}, {799, 599}, {400, 17}}) {
        platform->warpPointer(x, y);
        platform->processEvents();
        const PointerPos p = platform->pointerPosition();
        EXPECT_EQ(p.x, x);
        EXPECT_EQ(p.y, y);
    }
}

TEST_F(SdlPlatformTest, PresentsFramesAndKeepsClipboardTextIn8Bit) {
    std::vector<uint8_t> frame(size_t(kFrameWidth) * kFrameHeight, 3);
    Palette256 palette{};
    platform->showWindow();
    platform->present(frame.data(), palette);
    EXPECT_FALSE(platform->presentationPath().empty());

    const std::string text = "\xCA\xE0\xF0\xF2\xE0 map\r\n";  // Cyrillic in 8-bit text
    platform->setClipboardText(text);
    EXPECT_EQ(platform->clipboardText(), text);
    EXPECT_TRUE(platform->clipboardHasText());
    platform->clearClipboard();
    EXPECT_FALSE(platform->clipboardHasText());
}

// What the window shows, read back from its renderer or its surface, as 0xRRGGBB per pixel, top
// row first; empty when it cannot be read.
std::vector<uint32_t> windowPixels() {
    SDL_Window* window = nullptr;
    for (Uint32 id = 1; id < 64 && !window; ++id) {
        SDL_Window* w = SDL_GetWindowFromID(id);
        int width = 0, height = 0;
        if (w) SDL_GetWindowSize(w, &width, &height);
        if (w && width == kFrameWidth && height == kFrameHeight) window = w;
    }
    if (!window) return {};
    std::vector<uint32_t> out(size_t(kFrameWidth) * kFrameHeight);
    if (SDL_Renderer* r = SDL_GetRenderer(window)) {
        if (SDL_RenderReadPixels(r, nullptr, SDL_PIXELFORMAT_ARGB8888, out.data(),
                                 kFrameWidth * 4) != 0)
            return {};
    } else {
        SDL_Surface* s = SDL_GetWindowSurface(window);
        if (!s ||
            SDL_ConvertPixels(kFrameWidth, kFrameHeight, s->format->format, s->pixels, s->pitch,
                              SDL_PIXELFORMAT_ARGB8888, out.data(), kFrameWidth * 4) != 0)
            return {};
    }
    for (uint32_t& p : out) p &= 0xFFFFFFu;
    return out;
}

// Each present uploads only the bands of rows that changed, or everything when the palette did:
// whatever changed, the window must show the frame presented last, rows counted from the bottom.
TEST_F(SdlPlatformTest, TheWindowShowsTheFramePresentedLast) {
    platform->showWindow();
    Palette256 palette{};
    for (int i = 0; i < 256; ++i)
        palette[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)};
    std::vector<uint8_t> frame(size_t(kFrameWidth) * kFrameHeight);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = uint8_t(i * 7 % 251);
    auto expect = [&](const char* step) {
        const std::vector<uint32_t> shown = windowPixels();
        if (shown.empty()) GTEST_SKIP() << "the window cannot be read back here";
        int wrong = 0;
        for (int y = 0; y < kFrameHeight; ++y)
            for (int x = 0; x < kFrameWidth; ++x) {
                const auto& c =
                    palette[frame[size_t(kFrameHeight - 1 - y) * kFrameWidth + size_t(x)]];
                const uint32_t want = uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
                wrong += shown[size_t(y) * kFrameWidth + size_t(x)] != want;
            }
        EXPECT_EQ(wrong, 0) << step;
    };
    platform->present(frame.data(), palette);
    expect("first frame");
    frame[size_t(300) * kFrameWidth + 17] ^= 0x55;  // one pixel in one band
    platform->present(frame.data(), palette);
    expect("one pixel changed");
    platform->present(frame.data(), palette);
    expect("the same frame again");
    frame[0] ^= 1;                 // the bottom band
    frame[frame.size() - 1] ^= 1;  // and the top one
    platform->present(frame.data(), palette);
    expect("first and last rows changed");
    palette[3] = {1, 2, 3};
    platform->present(frame.data(), palette);
    expect("the palette changed");
}

TEST_F(SdlPlatformTest, SplashComesAndGoesWithoutTouchingTheEditorsActivation) {
    std::vector<int> seen;
    platform->setActivationHandler([&](bool active) { seen.push_back(active ? 1 : 0); });
    platform->showSplash("Initializing Korvel...");
    platform->processEvents();
    platform->closeSplash();
    platform->processEvents();
    platform->closeSplash();  // a second close is harmless
    EXPECT_TRUE(seen.empty());
}

TEST_F(SdlPlatformTest, ProgramFolderEndsInASeparatorAndMissingSoundsAreSilent) {
    const std::string folder = platform->programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(platform->fileSystem().folderExists(folder));
    TempFolder tmp;
    platform->playSound(tmp.file("missing.wav"), kSoundAsync | kSoundNoDefault);
    platform->playSound(tmp.path(), 3);
    const uint32_t before = platform->ticks();
    platform->sleep(5);
    EXPECT_GE(platform->ticks() - before, 5u);
}

}  // namespace
}  // namespace korvel
