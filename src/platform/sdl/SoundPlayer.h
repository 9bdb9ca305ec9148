// WAV playback through SDL audio: one sound at a time, a new one replacing the one playing, as
// the cues expect. Without an audio device it stays silent.
#pragma once

#include <SDL_audio.h>

#include <string>
#include <vector>

namespace korvel {

class SoundPlayer {
public:
    // Opens the default output device; when there is none the player is silent.
    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    bool available() const { return device_ != 0; }
    // Starts a WAV file (UTF-8 path) and returns at once; false when nothing was started (no
    // device, a missing or unreadable file, a format that cannot be converted).
    bool play(const std::string& utf8Path);
    // Whether a sound is still being played.
    bool playing();

private:
    static void fill(void* self, Uint8* stream, int length);

    bool audioInitialised_ = false;
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec deviceFormat_{};
    // Written under the device lock; read by the audio thread.
    std::vector<Uint8> voice_;
    size_t position_ = 0;
};

}  // namespace korvel
