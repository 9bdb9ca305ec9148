// What the per-frame items of the dialog pages cost on a started editor: the tile zoom filling
// the whole view, the file browser with 1024 entries in each list, the 3D page's kept picture
// without rendering; and building the drive table from the machine's mounts.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "StartedEditor.h"
#include "app/Editor.h"
#include "app/Startup.h"
#include "pages/FileBrowser.h"
#include "pages/TileZoom.h"
#include "pages/View3D.h"
#include "platform/DriveTable.h"
#include "platform/HeadlessPlatform.h"

namespace {

using namespace korvel;

using Started = StartedEditor;

Started& started() {
    static Started s;
    return s;
}

// A 1024 x 512 tile at zoom 1 covers the view's 800 x 456 pixels.
void BM_TileZoomFillingTheView(benchmark::State& state) {
    Editor& ed = *started().ed;
    TileStore& t = ed.tiles;
    const int32_t w = 1024, h = 512;
    t.tileWidths[5] = w;
    t.tileHeights[5] = h;
    t.tileAnims[5] = 0;
    t.tileOffsets[5] = 0;
    t.artPixels.assign(size_t(w) * h, 0);
    for (size_t i = 0; i < t.artPixels.size(); ++i) t.artPixels[i] = uint8_t(i * 7);
    ed.pages.tilePicker.tilePickerShowAll = 1;
    ed.pages.tilePicker.tilePickerCursor = 5;
    ed.pages.tilePicker.tileThumbMode = 0;
    ed.pages.tileZoom.tilePreviewZoom = 1.0f;
    ed.app.currentPage = Page::TileZoom;
    for (auto _ : state) {
        drawTileViewPage(ed);
        ++ed.loop.frameNumber;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TileZoomFillingTheView)->Unit(benchmark::kMicrosecond);

void BM_FileBrowserWith1024EntriesEach(benchmark::State& state) {
    Editor& ed = *started().ed;
    FileBrowserState& b = ed.pages.fileBrowser;
    b.browserFolder = "/maps/";
    b.browserFolderCount = b.browserFileCount = kBrowserListCapacity;
    for (int32_t i = 0; i < kBrowserListCapacity; ++i) {
        b.browserFolders[size_t(i)] = "folder with a long name number " + std::to_string(i);
        b.browserFiles[size_t(i)] = "map file with a long name " + std::to_string(i) + ".map";
    }
    b.browserFolderTop = 500;
    b.browserFileTop = 900;
    b.browserFolderCursor = 510;
    b.browserFileCursor = 910;
    b.browserFocus = 1;
    ed.app.currentPage = Page::FileBrowser;
    for (auto _ : state) {
        drawBrowserPage(ed);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FileBrowserWith1024EntriesEach)->Unit(benchmark::kMicrosecond);

// The picture is valid: the page copies it and draws its status line and the hover overlay.
void BM_View3DPageWithoutRendering(benchmark::State& state) {
    Editor& ed = *started().ed;
    int renders = 0;
    ed.calls.renderFrame = [&](Editor&) { ++renders; };
    ed.pages.view3d.view3dState = 0;
    ed.pages.view3d.view3dValid = 0;
    ed.app.currentPage = Page::View3D;
    draw3DViewPage(ed);
    for (auto _ : state) {
        draw3DViewPage(ed);
        benchmark::ClobberMemory();
    }
    state.counters["renders"] = renders;
}
BENCHMARK(BM_View3DPageWithoutRendering)->Unit(benchmark::kMicrosecond);

void BM_DriveTableFromTheMachinesMounts(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(machineDriveFolders());
}
BENCHMARK(BM_DriveTableFromTheMachinesMounts)->Unit(benchmark::kMicrosecond);

}  // namespace
