#include "app/Sound.h"

#include "app/DataFolder.h"
#include "app/Editor.h"
#include "app/Settings.h"
#include "base/FileSystem.h"
#include "platform/Platform.h"

namespace korvel {

void playSound(const Settings& settings, Platform& platform, const std::string& name,
               int32_t flags) {
    if (!settings.enableSounds) return;
    platform.playSound(findNoCase(platform.fileSystem(), dataFolder(platform), name + ".wav"),
                       flags);
}

void playSound(Editor& ed, const std::string& name, int32_t flags) {
    if (ed.app.platform) playSound(ed.settings, *ed.app.platform, name, flags);
}

void muteBegin(SoundState& sound, Settings& settings) {
    if (sound.batchDepth == 0) {
        sound.savedSoundsSetting = settings.enableSounds;
        settings.enableSounds = 0;
        sound.savedSparksSetting = settings.showSparks;
        settings.showSparks = 0;
    }
    if (sound.batchDepth < 255) ++sound.batchDepth;
}

void muteEnd(SoundState& sound, Settings& settings) {
    if (sound.batchDepth == 1) {
        sound.batchFinished = 1;
        settings.enableSounds = uint8_t(sound.savedSoundsSetting);
        settings.showSparks = uint8_t(sound.savedSparksSetting);
    }
    if (sound.batchDepth > 0) --sound.batchDepth;
}

}  // namespace korvel
