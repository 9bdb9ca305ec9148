// Sound cues: a cue is a WAV file of the data folder named after it, played when sounds are on,
// and the nestable bracket that silences cues and sparks while a batch operation runs.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

class Platform;
struct Editor;
struct Settings;

// The flags every caller passes: asynchronous, silent when the file is missing.
constexpr int32_t kCueFlags = 3;

struct SoundState {
    uint8_t batchDepth = 0;          // nesting depth of the mute bracket
    int32_t savedSoundsSetting = 0;  // enableSounds when the outermost bracket began
    int32_t savedSparksSetting = 0;  // showSparks likewise
    int32_t batchFinished = 1;       // set when the outermost bracket ends
};

// Plays "<data folder>/<name>.wav" when sounds are enabled; nothing is looked up otherwise.
void playSound(const Settings& settings, Platform& platform, const std::string& name,
               int32_t flags);
void playSound(Editor& ed, const std::string& name, int32_t flags = kCueFlags);

// The outermost muteBegin saves and clears enableSounds and showSparks; the matching muteEnd puts
// them back and sets batchFinished. An unmatched muteEnd does nothing.
void muteBegin(SoundState& sound, Settings& settings);
void muteEnd(SoundState& sound, Settings& settings);

// muteBegin for the life of the object.
class MuteBracket {
public:
    MuteBracket(SoundState& sound, Settings& settings) : sound_(sound), settings_(settings) {
        muteBegin(sound_, settings_);
    }
    ~MuteBracket() { muteEnd(sound_, settings_); }
    MuteBracket(const MuteBracket&) = delete;
    MuteBracket& operator=(const MuteBracket&) = delete;

private:
    SoundState& sound_;
    Settings& settings_;
};

}  // namespace korvel
