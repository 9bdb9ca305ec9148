// Any bytes become a script and up to three scripts it may include (split at zero bytes) in a
// data folder held in memory. The compile must finish with a program of at most 16384
// instructions whose every jump and exit target is -1 or inside it; the program then runs
// 100,000 steps on a small map without a sanitizer finding, and the counts stay in capacity.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "MemoryFileSystem.h"
#include "app/Editor.h"
#include "base/TextFile.h"
#include "platform/HeadlessPlatform.h"
#include "script/ScriptCompiler.h"
#include "script/ScriptRun.h"

using namespace korvel;

namespace {

void room(MapStore& map) {
    const int32_t xs[4] = {0, 1024, 1024, 0}, ys[4] = {0, 0, 1024, 1024};
    map.sectorCount = 1;
    map.wallCount = 4;
    map.spriteCount = 2;
    map.sectors[0].wallptr = 0;
    map.sectors[0].wallnum = 4;
    map.sectors[0].floorz = 8192;
    for (int32_t w = 0; w < 4; ++w) {
        map.walls[w].x = xs[w];
        map.walls[w].y = ys[w];
        map.walls[w].point2 = int16_t((w + 1) % 4);
        map.walls[w].nextwall = map.walls[w].nextsector = -1;
        map.walls[w].xrepeat = map.walls[w].yrepeat = 8;
    }
    for (int32_t k = 0; k < 2; ++k) {
        map.sprites[k].x = 100 + 200 * k;
        map.sprites[k].y = 100;
        map.sprites[k].sectnum = 0;
    }
    updateWallSectnums(map);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::MemoryFileSystem files;
    static auto platform = std::make_unique<HeadlessPlatform>("/fuzz");
    static auto owner = std::make_unique<Editor>();
    Editor& ed = *owner;
    ed.app.platform = platform.get();

    std::string parts[4];
    int32_t part = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && part < 3)
            ++part;
        else
            parts[part] += char(data[i]);
    }
    files.files.clear();
    for (int32_t i = 1; i < 4; ++i)
        files.files["/fuzz/KorvelD/walls_" + std::to_string(i) + ".kvs"] = parts[i];

    ScriptProgram& p = ed.pages.scriptEditor.program;
    compileScript(p, parts[0], "walls", [&](const std::string& name) {
        return fsoReadFile(files, "/fuzz/KorvelD/" + name + ".kvs");
    });
    if (p.scriptCodeLength < 0 || p.scriptCodeLength > kScriptCodeCapacity) std::abort();
    for (int32_t i = 0; i < p.scriptCodeLength; ++i) {
        const ScriptInstruction& ins = p.scriptCode[size_t(i)];
        if (ins.opcode > 2) continue;
        const int32_t target = ins.operands[0];
        if (target < -1 || target > p.scriptCodeLength) std::abort();
    }

    clearMapRecords(ed.map);
    resetMapState(ed.map);
    room(ed.map);
    ed.demo.demoFrameIndex = 0;  // no look at the keyboard
    interpretScript(ed, 100000);
    const MapStore& m = ed.map;
    if (m.sectorCount < 0 || m.sectorCount > kMaxSectors || m.wallCount < 0 ||
        m.wallCount > kMaxWalls || m.spriteCount < 0 || m.spriteCount > kMaxSprites)
        std::abort();
    return 0;
}
