// The editor's own start-up path, as main() runs it, stopped at the first frame of the frame
// loop: once that frame is presented it writes one byte to the descriptor named by
// KORVEL_READY_FD and waits to be stopped. The pause a frame takes after its present to spare
// the processor is left out: by then the user sees the frame. Run by bench_startup_process, not
// by hand.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/Editor.h"
#include "app/FrameLoop.h"
#include "app/Startup.h"
#include "platform/sdl/SdlPlatform.h"

int main(int argc, char** argv) {
    std::string error;
    auto platform = korvel::SdlPlatform::create(argc, argv, error);
    if (!platform) {
        std::fprintf(stderr, "probe: %s\n", error.c_str());
        return 1;
    }
    korvel::InitSplash(*platform);
    auto editor = std::make_unique<korvel::Editor>();
    editor->app.platform = platform.get();
    if (!korvel::startup(*editor)) return 1;
    editor->settings.limitCpu = uint8_t(korvel::CpuLimitMode::Never);
    korvel::runFrame(*editor);
    const char* fd = ::getenv("KORVEL_READY_FD");
    if (fd && ::write(::atoi(fd), "1", 1) != 1) return 1;
    ::pause();
    return 0;
}
