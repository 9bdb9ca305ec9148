// A folder of its own for the files of one benchmark, removed afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace korvel {

struct BenchFolder {
    std::string path;
    BenchFolder() {
        char pattern[] = "/tmp/korvel-bench-XXXXXX";
        if (::mkdtemp(pattern) != nullptr) path = pattern;
    }
    ~BenchFolder() {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    std::string file(const std::string& name) const { return path + "/" + name; }
};

}  // namespace korvel
