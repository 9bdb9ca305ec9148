// Demos: the recording and playback state the frame loop and input sampling branch on, and the
// demo operations the loop and the message box call.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

class FileSystem;
struct Editor;
struct Languages;

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
};

// Appends the input of the current frame to the demo being recorded.
void recordDemoFrame(Editor& ed);
// Replaces the input of the current frame by the next recorded one.
void replayDemoFrame(Editor& ed);
// Writes the recorded demo to path, with the current language's name, and moves the map saved
// when the recording started from the program folder to the demo's companion name. False when
// nothing was written.
bool saveDemo(const DemoState& demo, const Languages& langs, FileSystem& fs,
              const std::string& programFolder, const std::string& path);
void startDemoRecording(Editor& ed);
// Starts playing the demo file; false when it could not be started.
bool playDemo(Editor& ed, const std::string& path);

}  // namespace korvel
