#include "ui/LoadReport.h"

#include "base/MessageNumbers.h"
#include "ui/Languages.h"

namespace korvel {

void reportLoadProblem(LoadStatus status, const std::string& fileName, const Languages& langs,
                       const BootLogSink& log) {
    if (status == LoadStatus::Missing)
        log(getMessage(kMsgMissingFile, langs, fileName), kLogProblemColour);
    else if (status == LoadStatus::Truncated)
        log(getMessage(kMsgFileNotUsed, langs, fileName), kLogProblemColour);
}

}  // namespace korvel
