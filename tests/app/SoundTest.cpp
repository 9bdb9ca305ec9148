#include "app/Sound.h"

#include <gtest/gtest.h>

#include "app/DataFolder.h"
#include "app/Settings.h"
#include "platform/NativeFileSystem.h"
#include "support/EditorRig.h"

namespace korvel {
namespace {

using test::EditorRig;

// Counts every question asked of the file system.
class CountingFileSystem : public NativeFileSystem {
public:
    bool fileExists(const std::string& path) override {
        ++lookups;
        return NativeFileSystem::fileExists(path);
    }
    std::vector<FolderEntry> listEntries(const std::string& folder) override {
        ++lookups;
        return NativeFileSystem::listEntries(folder);
    }
    int lookups = 0;
};

TEST(Sound, CuesPlayFromTheDataFolderUnlessSwitchedOff) {
    EditorRig r;
    auto counting = std::make_unique<CountingFileSystem>();
    CountingFileSystem* fs = counting.get();
    r.platform->setFileSystem(std::move(counting));

    playSound(*r.ed, "beep2");
    playSound(*r.ed, "nosuchcue");
    EXPECT_EQ(r.platform->playedSounds(), std::vector<std::string>{"beep2.wav"});
    EXPECT_EQ(r.platform->playedMissing(), std::vector<std::string>{"nosuchcue.wav"})
        << "a missing cue reaches the platform, which stays silent";

    r.platform->clearPlayedSounds();
    r.ed->settings.enableSounds = 0;
    fs->lookups = 0;
    playSound(*r.ed, "beep2");
    EXPECT_TRUE(r.platform->playedSounds().empty());
    EXPECT_TRUE(r.platform->playedMissing().empty());
    EXPECT_EQ(fs->lookups, 0) << "with sounds off no file is looked up";
}

TEST(Sound, MuteBracketsNest) {
    Settings s;
    SoundState sound;
    sound.batchFinished = 0;
    muteBegin(sound, s);
    muteBegin(sound, s);
    EXPECT_EQ(s.enableSounds, 0);
    EXPECT_EQ(s.showSparks, 0);
    s.enableSounds = 1;  // switched on inside the bracket: undone by the outer end
    muteEnd(sound, s);
    EXPECT_EQ(sound.batchDepth, 1);
    EXPECT_EQ(s.enableSounds, 1);
    EXPECT_EQ(sound.batchFinished, 0) << "the inner end changes nothing but the depth";
    s.showSparks = 0;
    s.enableSounds = 0;
    muteEnd(sound, s);
    EXPECT_EQ(sound.batchDepth, 0);
    EXPECT_EQ(s.enableSounds, 1);
    EXPECT_EQ(s.showSparks, 1);
    EXPECT_EQ(sound.batchFinished, 1);

    s.enableSounds = 0;
    muteEnd(sound, s);  // unmatched: nothing
    EXPECT_EQ(s.enableSounds, 0);
    EXPECT_EQ(sound.batchDepth, 0);
}

TEST(Sound, MuteBracketObjectRestoresOnEveryWayOut) {
    Settings s;
    SoundState sound;
    {
        MuteBracket outer(sound, s);
        {
            MuteBracket inner(sound, s);
            EXPECT_EQ(sound.batchDepth, 2);
        }
        EXPECT_EQ(s.enableSounds, 0);
    }
    EXPECT_EQ(s.enableSounds, 1);
    EXPECT_EQ(s.showSparks, 1);
    EXPECT_EQ(sound.batchDepth, 0);
}

}  // namespace
}  // namespace korvel
