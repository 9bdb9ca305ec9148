// The data folder KorvelD beside the program, where every file the program ships is looked up.
#pragma once

#include <string>

#include "base/FileSystem.h"
#include "platform/Platform.h"

namespace korvel {

constexpr const char* kDataFolderName = "KorvelD";

inline std::string dataFolder(const Platform& platform) {
    return joinPath(platform.programFolder(), kDataFolderName);
}

}  // namespace korvel
