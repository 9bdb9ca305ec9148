#include "platform/HeadlessPlatform.h"
#include "platform/NativeFileSystem.h"

#include <cstring>

namespace korvel {

namespace {
std::string withSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += pathSeparator();
    return folder;
}

std::string baseName(const std::string& path) {
    const auto pos = path.find_last_of("/\\");
    return pos == std::string::npos ? path : path.substr(pos + 1);
}
}  // namespace

HeadlessPlatform::HeadlessPlatform(std::string programFolder, std::string commandLine)
    : programFolder_(withSeparator(std::move(programFolder))),
      commandLine_(std::move(commandLine)),
      fileSystem_(std::make_unique<NativeFileSystem>()) {
    setDriveFolders(headlessDriveFolders(programFolder_));
}

DriveFolders HeadlessPlatform::headlessDriveFolders(const std::string& programFolder) {
    DriveFolders folders;
    folders[0].assign(1, '/');  // GCC 12 misreads a literal assigned here as overlapping
    folders[2] = programFolder;
    while (folders[2].size() > 1 && (folders[2].back() == '/' || folders[2].back() == '\\'))
        folders[2].pop_back();
    return folders;
}

void HeadlessPlatform::setDriveFolders(const DriveFolders& folders) {
    if (auto* native = dynamic_cast<NativeFileSystem*>(fileSystem_.get()))
        native->setDriveFolders(folders);
}

void HeadlessPlatform::present(const uint8_t* pixels, const Palette256& palette) {
    lastFrame_.assign(pixels, pixels + kFrameWidth * kFrameHeight);
    lastPalette_ = palette;
    ++presentCount_;
}

void HeadlessPlatform::processEvents() {
    ++eventPasses_;
    while (!pendingActivations_.empty()) {
        const bool active = pendingActivations_.front();
        pendingActivations_.pop_front();
        if (onActivate_) onActivate_(active);
    }
    for (; pendingCloses_ > 0; --pendingCloses_)
        if (onClose_) onClose_();
}

int16_t HeadlessPlatform::keyState(int vk) {
    if (vk < 0 || vk > 255) return 0;
    return keys_[vk];
}

void HeadlessPlatform::setKeyDown(int vk, bool down) {
    if (vk < 0 || vk > 255) return;
    const bool wasDown = keyIsDown(keys_[vk]);
    int16_t toggle = keys_[vk] & kKeyToggleBit;
    if (down && !wasDown) toggle ^= kKeyToggleBit;
    keys_[vk] = int16_t((down ? kKeyDownBit : 0) | toggle);
}

void HeadlessPlatform::toggleKey(int vk) {
    if (vk < 0 || vk > 255) return;
    keys_[vk] = int16_t(keys_[vk] ^ kKeyToggleBit);
}

void HeadlessPlatform::warpPointer(int32_t x, int32_t y) {
    pointer_ = {x, y};
    warps_.push_back(pointer_);
}

void HeadlessPlatform::sleep(uint32_t ms) {
    totalSlept_ += ms;
    if (sleepAdvancesClock_) ticks_ += ms;
}

bool HeadlessPlatform::setDisplayMode(const DisplayMode& mode) {
    modeRequests_.push_back(mode);
    if (refuseModes_) return false;
    currentMode_ = mode;
    return true;
}

void HeadlessPlatform::playSound(const std::string& path, int32_t) {
    const std::string name = baseName(path);
    playedCues_.push_back(name);
    if (fileSystem_->fileExists(path))
        playedSounds_.push_back(name);
    else
        playedMissing_.push_back(name);
}

uint8_t HeadlessPlatform::framePixel(int x, int y) const {
    if (lastFrame_.empty() || x < 0 || y < 0 || x >= kFrameWidth || y >= kFrameHeight) return 0;
    return lastFrame_[size_t(y) * kFrameWidth + size_t(x)];
}

}  // namespace korvel
