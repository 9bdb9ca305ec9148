#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace korvel {

namespace stdfs = std::filesystem;

TempFolder::TempFolder() {
    char pattern[] = "/tmp/korvel-test-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        ADD_FAILURE() << "cannot make a temporary folder";
        return;
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    if (path_.empty()) return;
    std::error_code ec;
    stdfs::remove_all(path_, ec);
}

std::string TempFolder::file(const std::string& name) const {
    return path_ + "/" + name;
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const {
    const stdfs::path target = file(name);
    std::error_code ec;
    stdfs::create_directories(target.parent_path(), ec);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out) ADD_FAILURE() << "cannot write " << target;
    return target.string();
}

std::string TempFolder::read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempFolder::exists(const std::string& name) const {
    std::error_code ec;
    return stdfs::exists(file(name), ec);
}

std::string TempFolder::makeFolder(const std::string& name) const {
    std::error_code ec;
    stdfs::create_directories(file(name), ec);
    if (ec) ADD_FAILURE() << "cannot make folder " << name;
    return file(name);
}

}  // namespace korvel
