// An editor started on the headless platform in a folder of its own that holds a copy of the
// generated data folder, as the benchmarks of whole pages and frames need it.
#pragma once

#include <filesystem>
#include <memory>

#include "BenchFolder.h"
#include "app/Editor.h"
#include "app/Startup.h"
#include "platform/HeadlessPlatform.h"

namespace korvel {

struct StartedEditor {
    BenchFolder folder;
    std::unique_ptr<HeadlessPlatform> platform;
    std::unique_ptr<Editor> ed;
    StartedEditor() {
        std::error_code ec;
        std::filesystem::copy(KORVEL_DATA_DIR, folder.file("KorvelD"),
                              std::filesystem::copy_options::recursive, ec);
        platform = std::make_unique<HeadlessPlatform>(folder.path, "");
        ed = std::make_unique<Editor>();
        ed->app.platform = platform.get();
        startup(*ed);
    }
};

}  // namespace korvel
