#include "platform/sdl/SoundPlayer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/TempFolder.h"

namespace korvel {
namespace {

void put16(std::string& s, uint32_t v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
void put32(std::string& s, uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

// A mono 8-bit WAV of the given number of samples at 11025 Hz.
std::string smallWav(uint32_t samples) {
    std::string w = "RIFF";
    put32(w, 36 + samples);
    w += "WAVEfmt ";
    put32(w, 16);
    put16(w, 1);  // PCM
    put16(w, 1);  // mono
    put32(w, 11025);
    put32(w, 11025);
    put16(w, 1);
    put16(w, 8);
    w += "data";
    put32(w, samples);
    for (uint32_t i = 0; i < samples; ++i) w += char((i * 8) & 0xFF);
    return w;
}

TEST(SoundPlayer, PlaysWavFilesAndStaysSilentForAnythingElse) {
    SoundPlayer player;  // SDL_AUDIODRIVER=dummy in the test environment
    if (!player.available()) GTEST_SKIP() << "no audio driver";
    TempFolder tmp;
    tmp.write("beep.wav", smallWav(22050));
    tmp.write("garbage.wav", "this is not a sound");
    tmp.write("cut.wav", smallWav(100).substr(0, 30));

    EXPECT_TRUE(player.play(tmp.file("beep.wav")));
    EXPECT_TRUE(player.playing());
    EXPECT_TRUE(player.play(tmp.file("beep.wav")));  // a new sound replaces the old one
    EXPECT_FALSE(player.play(tmp.file("missing.wav")));
    EXPECT_FALSE(player.play(tmp.file("garbage.wav")));
    EXPECT_FALSE(player.play(tmp.file("cut.wav")));
    EXPECT_FALSE(player.play(tmp.path()));
}

}  // namespace
}  // namespace korvel
