#include "platform/sdl/SoundPlayer.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace korvel {

SoundPlayer::SoundPlayer() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    audioInitialised_ = true;
    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &SoundPlayer::fill;
    want.userdata = this;
    // No changes allowed: SDL converts to the device, so every file is converted to one format.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &deviceFormat_, 0);
    if (device_ != 0) SDL_PauseAudioDevice(device_, 0);
}

SoundPlayer::~SoundPlayer() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    if (audioInitialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SoundPlayer::fill(void* self, Uint8* stream, int length) {
    auto* player = static_cast<SoundPlayer*>(self);
    const size_t want = size_t(std::max(length, 0));
    const size_t left = player->voice_.size() - player->position_;
    const size_t count = std::min(want, left);
    if (count > 0) std::memcpy(stream, player->voice_.data() + player->position_, count);
    player->position_ += count;
    if (count < want) std::memset(stream + count, player->deviceFormat_.silence, want - count);
}

bool SoundPlayer::play(const std::string& utf8Path) {
    if (device_ == 0) return false;
    SDL_AudioSpec fileFormat{};
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(utf8Path.c_str(), &fileFormat, &data, &length)) return false;
    // A cue is a short sound; anything this long is not one, and its conversion could overflow.
    constexpr Uint32 kMaxBytes = 16u << 20;
    if (length > kMaxBytes) {
        SDL_FreeWAV(data);
        return false;
    }

    std::vector<Uint8> samples;
    SDL_AudioCVT cvt{};
    const int built =
        SDL_BuildAudioCVT(&cvt, fileFormat.format, fileFormat.channels, fileFormat.freq,
                          deviceFormat_.format, deviceFormat_.channels, deviceFormat_.freq);
    if (built < 0 || (built > 0 && cvt.len_mult <= 0)) {
        SDL_FreeWAV(data);
        return false;
    }
    if (built == 0) {
        samples.assign(data, data + length);
    } else {
        samples.resize(size_t(length) * size_t(cvt.len_mult));
        std::memcpy(samples.data(), data, length);
        cvt.buf = samples.data();
        cvt.len = int(length);
        if (SDL_ConvertAudio(&cvt) != 0) {
            SDL_FreeWAV(data);
            return false;
        }
        samples.resize(size_t(cvt.len_cvt));
    }
    SDL_FreeWAV(data);

    // Whole frames only, so the device never gets half a sample.
    const size_t frameBytes =
        size_t(SDL_AUDIO_BITSIZE(deviceFormat_.format) / 8) * deviceFormat_.channels;
    samples.resize(samples.size() - samples.size() % frameBytes);

    SDL_LockAudioDevice(device_);
    voice_.swap(samples);
    position_ = 0;
    SDL_UnlockAudioDevice(device_);
    return true;
}

bool SoundPlayer::playing() {
    if (device_ == 0) return false;
    SDL_LockAudioDevice(device_);
    const bool busy = position_ < voice_.size();
    SDL_UnlockAudioDevice(device_);
    return busy;
}

}  // namespace korvel
