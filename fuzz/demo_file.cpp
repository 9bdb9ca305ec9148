// Demo files are the user's to share: any bytes are either refused whole or read into counts
// that hold together, and what is read writes back to the same demo.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/DemoFile.h"
#include "app/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korvel;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto demo = parseDemoFile(bytes);
    if (!demo) return 0;
    if (demo->frames.empty()) std::abort();
    int64_t keys = 0;
    for (size_t i = 0; i < demo->frames.size(); ++i) {
        if (demo->frames[i].keyCount < 0) std::abort();
        if (demo->frames[i].prevKeyCount != (i == 0 ? 0 : demo->frames[i - 1].keyCount))
            std::abort();
        keys += demo->frames[i].keyCount;
    }
    if (keys != int64_t(demo->keys.size())) std::abort();

    const auto again = parseDemoFile(serializeDemoFile(*demo));
    DemoHeader header = demo->header;
    header[35] = 0;  // padding, written as 0
    if (!again || again->header != header || again->languageName != demo->languageName ||
        again->keys != demo->keys || again->frames.size() != demo->frames.size() ||
        again->extras.has_value() != demo->extras.has_value())
        std::abort();

    Settings s;
    applyDemoSettings(demo->header, s);
    DemoHeader h{};
    storeDemoSettings(h, applyDemoSettings(demo->header, s), s);
    return 0;
}
