// The mount list is read from the system at run time: any bytes must parse, give a table whose
// letters are absolute folders without system paths, and look up every parsed path.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/DriveTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korvel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto mounts = parseMountList(text);
    const DriveFolders folders = buildDriveFolders(mounts, "/home/u", "/opt/korvel/");
    if (folders[0] != "/") std::abort();
    for (size_t l = 3; l < folders.size(); ++l) {
        if (folders[l].empty()) continue;
        if (folders[l][0] != '/' || isSystemMountPath(folders[l])) std::abort();
    }
    for (const MountEntry& m : mounts)
        if (driveOfPath(folders, m.path) < 0) std::abort();  // every absolute path is under A
    (void)driveOfPath(folders, std::string(text.substr(0, 64)));
    return 0;
}
