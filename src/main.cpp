// The program's entry point: the splash, then the editor for the program's whole life.
#include <cstdio>
#include <memory>
#include <string>

#include "app/Editor.h"
#include "app/Startup.h"
#include "platform/sdl/SdlPlatform.h"

int main(int argc, char** argv) {
    std::string error;
    auto platform = korvel::SdlPlatform::create(argc, argv, error);
    if (!platform) {
        std::fprintf(stderr, "korvel: %s\n", error.c_str());
        return 1;
    }
    korvel::InitSplash(*platform);
    auto editor = std::make_unique<korvel::Editor>();
    editor->app.platform = platform.get();
    const bool started = korvel::Form_Load(*editor);
    korvel::Form_Unload(*editor);
    return started ? 0 : 1;
}
