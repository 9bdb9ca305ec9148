#include "app/Demo.h"

#include "app/Editor.h"

namespace korvel {

// Demo recording and playback arrive with their own change; until then nothing is recorded or
// replayed.
void recordDemoFrame(Editor&) {}
void replayDemoFrame(Editor&) {}

// Playback arrives with the demo player; until then no demo starts.
bool playDemo(Editor&, const std::string&) { return false; }
bool saveDemo(const DemoState&, const Languages&, FileSystem&, const std::string&,
              const std::string&) {
    return false;
}
void startDemoRecording(Editor&) {}

}  // namespace korvel
