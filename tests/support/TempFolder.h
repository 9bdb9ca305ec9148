// A unique folder under /tmp for one test, removed with everything in it when the fixture goes.
#pragma once

#include <string>

namespace korvel {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, without a trailing separator.
    const std::string& path() const { return path_; }
    // A path inside the folder; name may hold subfolders ("a/b.map").
    std::string file(const std::string& name) const;
    // Writes a file (making its folders) and returns its path; the test fails when that is
    // impossible.
    std::string write(const std::string& name, const std::string& bytes) const;
    // The whole content of a file, or "<missing>" when it cannot be read.
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    // Makes a folder (and its parents) and returns its path.
    std::string makeFolder(const std::string& name) const;

private:
    std::string path_;
};

}  // namespace korvel
