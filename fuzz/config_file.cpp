// The configuration file is the user's to edit: any text reads without harm, only the 106
// settings and the recent list change, and what is written back reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "MemoryFileSystem.h"
#include "app/ConfigFile.h"
#include "app/Settings.h"
#include "ui/ColorSettings.h"
#include "ui/Languages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korvel;
    static fuzz::MemoryFileSystem fs = [] {
        fuzz::MemoryFileSystem f;
        f.files["/maps/a.map"] = "x";
        f.files["/maps/b.map"] = "x";
        return f;
    }();
    const std::string text(reinterpret_cast<const char*>(data), size);
    Settings settings;
    ColorSettings colors;
    Languages langs;
    RecentFiles recent;
    const ConfigTarget target{settings, colors, langs};
    applyConfigText(parseConfigText(text), target, recent, fs);

    // Up to its first empty slot the cleaned list holds existing files only.
    for (size_t n = 0; n < recent.size() && !recent[n].empty(); ++n)
        if (!fs.fileExists(recent[n])) std::abort();

    // Written and read back, every value and every listed path stays.
    const std::string written = formatConfigText(target, recent);
    Settings s2;
    ColorSettings c2;
    Languages l2;
    RecentFiles r2;
    const ConfigTarget t2{s2, c2, l2};
    applyConfigText(parseConfigText(written), t2, r2, fs);
    for (int32_t i = 0; i < kConfigKeyCount; ++i)
        if (configValue(target, i) != configValue(t2, i)) std::abort();
    for (size_t n = 0; n < recent.size() && !recent[n].empty(); ++n)
        if (r2[n] != recent[n]) std::abort();
    return 0;
}
