#include "support/EditorRig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "app/FrameLoop.h"

namespace korvel::test {

EditorRig::EditorRig(const std::string& commandLine, bool withData) {
    if (withData) {
        std::error_code ec;
        std::filesystem::copy(KORVEL_DATA_DIR, dir.file("KorvelD"),
                              std::filesystem::copy_options::recursive, ec);
        if (ec) ADD_FAILURE() << "cannot copy the data folder: " << ec.message();
        // A run of the editor from the build tree leaves its own files in the data folder; every
        // rig starts from the generated files alone, as on a first run.
        for (const char* written : {"korvel.cfg", "colortab.dat", "dukepal.pal", "TrashBin"})
            std::filesystem::remove_all(dataFile(written), ec);
    }
    platform = std::make_unique<HeadlessPlatform>(dir.path(), commandLine);
    ed = std::make_unique<Editor>();
    ed->app.platform = platform.get();
}

void EditorRig::removeDataFile(const std::string& name) const {
    std::error_code ec;
    std::filesystem::remove(dataFile(name), ec);
}

void recordLog(EditorCalls& calls, Trace& trace, bool alsoDraw) {
    auto real = calls.bootLog;
    calls.bootLog = [&trace, real, alsoDraw](Editor& ed, const std::string& text, uint8_t colour) {
        trace.push_back("log:" + text + "@" + std::to_string(colour));
        if (alsoDraw) real(ed, text, colour);
    };
}

void EditorRig::frame() {
    platform->advanceClock(16);
    runFrame(*ed);
}

void EditorRig::key(int vk, bool down) {
    platform->setKeyDown(vk, down);
    frame();
}

}  // namespace korvel::test
