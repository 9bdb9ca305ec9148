// Demos: the recording and playback state the frame loop and input sampling branch on, and the
// demo operations the loop, the commands and the message box call.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/DemoFile.h"
#include "app/Settings.h"
#include "ui/ColorSettings.h"

namespace korvel {

class FileSystem;
struct Editor;
struct Languages;

// What the user had before a playback replaced it, put back when it ends.
struct UserSettingsCopy {
    Settings settings;
    ColorSettings colors;
    int32_t languageIndex = 0;
};

struct DemoState {
    uint8_t demoRecording = 0;
    int32_t demoFrameIndex = -1;   // frame being recorded or played; -1 no demo runs
    int32_t demoFrameCount = 0;    // frames of the demo being played, from its header
    uint8_t demoStartPending = 0;  // the next frame starts the demo
    uint32_t demoSeed = 0;         // random state the demo starts from
    int32_t demoKeyPos = 0;        // first key byte of the current frame
    int32_t demoFrameKeyBytes = 0;  // key bytes the current frame recorded
    // The header counts, completed when the recording stops.
    int32_t demoHeaderFrames = 0;
    int32_t demoHeaderKeyEvents = 0;

    DemoHeader demoHeader{};  // settings and seed of the demo recorded or played
    std::vector<DemoFrame> demoFrames;
    std::vector<uint8_t> demoKeys;
    DemoExtras demoExtras;  // the trailer's settings of the demo recorded
    DemoHeader savedUserSettings{};
    int32_t savedLanguage = 0;
    std::optional<UserSettingsCopy> userSettings;  // set while a demo plays
};

// Recording stops by itself at this many frames (about 200 MB of frame records).
constexpr int32_t kMaxDemoFrames = 1 << 24;
constexpr const char* kDemoStartMapName = "_demotmp.map";

bool demoPlaying(const DemoState& d);

// Appends the input of the current frame to the demo being recorded.
void recordDemoFrame(Editor& ed);
// Replaces the input of the current frame by the next recorded one.
void replayDemoFrame(Editor& ed);
// The first frame of a demo, recorded or played: everything neither the file nor the editor's
// initialisation fixes gets a fixed value, so both runs start alike.
void startDemoFrame(Editor& ed);
// Writes the recorded demo to path, with the current language's name, and moves the map saved
// when the recording started from the program folder to the demo's companion name (an older
// companion goes to the trash).
enum class DemoSaveResult : uint8_t { Saved, NotWritten, StartMapNotPlaced };
DemoSaveResult saveDemo(const DemoState& demo, const Languages& langs, FileSystem& fs,
                        const std::string& programFolder, const std::string& path);
// saveDemo to a path the name prompt made; a failure is reported (status line, "beep2").
// Whether the demo and its start map were put in place.
bool saveDemoAndReport(Editor& ed, const std::string& path);
void startDemoRecording(Editor& ed);
// Ends a recording and asks for the demo's name; one stopped in the frame it started in is
// cancelled instead.
void stopDemoRecording(Editor& ed);
// Drops the recording without writing it.
void cancelDemoRecording(Editor& ed);
// Starts playing the demo file; false (with a status message, nothing changed) when the file
// cannot be read or is damaged.
bool playDemo(Editor& ed, const std::string& path);
void stopDemoPlayback(Editor& ed);

// The menu's demo commands: start a recording (asking to save a modified map first), drop the
// recording, and open the file browser on the demos (asking the same first).
void startRecordingCommand(Editor& ed);
void cancelRecordingCommand(Editor& ed);
void playDemoCommand(Editor& ed);
// Whether the menu offers them: none of them while a demo plays.
bool canStartDemo(const Editor& ed);
bool recordingRuns(const Editor& ed);
void storeDemoSettings(const Editor& ed, DemoHeader& header);
void applyDemoSettings(Editor& ed, const DemoHeader& header);

}  // namespace korvel
