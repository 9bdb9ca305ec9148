#include "base/FileReplace.h"

#include "base/FileSystem.h"
#include "base/PathNames.h"

namespace korvel {

namespace {

// Where the old file waits for a moment while a failed replacement is taken back.
constexpr const char* kOldFileSuffix = ".korvel-old";
constexpr int kNumberedNames = 1000;

std::string folderOf(const std::string& path) {
    const std::string folder = getPathFolder(path);
    return folder.empty() ? "." : folder;
}

bool taken(FileSystem& fs, const std::string& path) {
    if (fs.fileExists(path) || fs.folderExists(path)) return true;
    const auto resolved = fs.resolveLinks(path);
    return !resolved || *resolved != path;  // a link, even one that leads nowhere
}

// `name`, or `name` with a number after it, whichever no entry holds yet: an earlier failure
// may have left new bytes under the plain name that the user was told about.
std::string freeName(FileSystem& fs, const std::string& name) {
    if (!taken(fs, name)) return name;
    for (int n = 2; n < kNumberedNames; ++n)
        if (!taken(fs, name + std::to_string(n))) return name + std::to_string(n);
    return name;  // creating it fails, and nothing is overwritten
}

bool copyFile(FileSystem& fs, const std::string& from, const std::string& to) {
    const auto bytes = fs.readAll(from);
    if (!bytes) return false;
    if (fs.createFile(to, *bytes, fs.permissions(from)) && fs.syncFile(to)) return true;
    fs.deleteFile(to);
    return false;
}

// A second name for the file, made under a fresh name first so that an earlier file at
// `second` is replaced only by a complete one.
bool addSecondName(FileSystem& fs, const std::string& file, const std::string& second) {
    const std::string fresh = freeName(fs, second + kNewFileSuffix);
    if (!fs.linkFile(file, fresh) && !copyFile(fs, file, fresh)) return false;
    if (fs.moveFile(fresh, second)) return true;
    fs.deleteFile(fresh);
    return false;
}

// The trash folder is not synced on its own: the path never depends on the copy, a file system
// that orders its metadata keeps the new name with the rename that follows, and one more sync
// would make every save wait for the disk once more.
bool keepInTrash(FileSystem& fs, const std::string& file, const std::string& trashCopy) {
    const std::string folder = folderOf(trashCopy);
    if (!fs.folderExists(folder) && !fs.makeFolder(folder)) return false;
    return addSecondName(fs, file, trashCopy);
}

}  // namespace

ReplaceResult replaceFile(FileSystem& fs, const std::string& path, const std::string& bytes,
                          const ReplaceOptions& options) {
    FileReplacement replacement(fs, path, options);
    replacement.append(bytes);
    return replacement.commit();
}

FileReplacement::FileReplacement(FileSystem& fs, const std::string& path,
                                 const ReplaceOptions& options)
    : fs_(fs), options_(options) {
    const auto resolved = path.empty() ? std::nullopt : fs.resolveLinks(path);
    if (!resolved || fs.folderExists(*resolved)) {
        failedAt_ = ReplaceStep::Write;
        return;
    }
    target_ = *resolved;
    hadOld_ = fs.fileExists(target_);
    temp_ = freeName(fs, target_ + kNewFileSuffix);
}

FileReplacement::~FileReplacement() {
    if (tempMade_) fs_.deleteFile(temp_);
}

bool FileReplacement::append(const std::string& bytes) {
    if (!good()) return false;
    const bool written =
        tempMade_ ? fs_.appendFile(temp_, bytes)
                  : fs_.createFile(temp_, bytes, hadOld_ ? fs_.permissions(target_) : std::nullopt);
    if (written) {
        tempMade_ = true;
        return true;
    }
    // Whatever part of the bytes reached the file goes with it.
    failedAt_ = ReplaceStep::Write;
    fs_.deleteFile(temp_);
    tempMade_ = false;
    return false;
}

ReplaceResult FileReplacement::commit() {
    if (good() && !tempMade_) append(std::string());  // nothing was handed over: an empty file
    if (!good()) {
        ReplaceResult result;
        result.failedAt = committed_ ? ReplaceStep::Write : failedAt_;
        return result;
    }
    committed_ = true;
    tempMade_ = false;  // from here on finish keeps, renames or removes it
    return finish();
}

ReplaceResult FileReplacement::finish() {
    ReplaceResult result;
    auto fail = [&](ReplaceStep step) {
        result.failedAt = step;
        return result;
    };
    // Once the new bytes lie whole in a file, a failure keeps that file or removes it.
    auto failHolding = [&](ReplaceStep step, const std::string& holder) {
        if (options_.keepNewOnFailure)
            result.keptFile = holder;
        else
            fs_.deleteFile(holder);
        return fail(step);
    };

    if (!fs_.syncFile(temp_)) return failHolding(ReplaceStep::Sync, temp_);
    const bool copyOld = hadOld_ && !options_.trashCopy.empty() &&
                         nativePath(options_.trashCopy) != nativePath(target_);
    if (copyOld && !keepInTrash(fs_, target_, options_.trashCopy))
        return failHolding(ReplaceStep::TrashCopy, temp_);
    if (!fs_.moveFile(temp_, target_)) return failHolding(ReplaceStep::Rename, temp_);
    if (fs_.syncFolder(folderOf(target_))) {
        result.replaced = true;
        return result;
    }

    // The new name may not have reached the disk. Unless there is no old file to go back to,
    // the new bytes take their own name again and the old file returns to the path from the
    // trash, so the path holds what it held before the failed save.
    if (!copyOld) {
        if (options_.keepNewOnFailure) result.keptFile = target_;
        return fail(ReplaceStep::FolderSync);
    }
    const std::string kept = freeName(fs_, target_ + kNewFileSuffix);
    const bool newKept = fs_.linkFile(target_, kept) || copyFile(fs_, target_, kept);
    const std::string back = freeName(fs_, target_ + kOldFileSuffix);
    const bool restored =
        (fs_.linkFile(options_.trashCopy, back) || copyFile(fs_, options_.trashCopy, back)) &&
        fs_.moveFile(back, target_);
    if (!restored) fs_.deleteFile(back);
    fs_.syncFolder(folderOf(target_));  // once more: a second failure changes nothing now
    if (!restored) {
        if (newKept) fs_.deleteFile(kept);
        if (options_.keepNewOnFailure) result.keptFile = target_;
        return fail(ReplaceStep::FolderSync);
    }
    if (!newKept) return fail(ReplaceStep::FolderSync);
    return failHolding(ReplaceStep::FolderSync, kept);
}

}  // namespace korvel
