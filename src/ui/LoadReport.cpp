#include "ui/LoadReport.h"

#include "ui/Languages.h"

namespace korvel {

void reportLoadProblem(LoadStatus status, const std::string& fileName, const Languages& langs,
                       const BootLogSink& log) {
    if (status == LoadStatus::Missing)
        log(getMessage(323, langs, fileName), kLogProblemColour);
    else if (status == LoadStatus::Truncated)
        log(getMessage(1334, langs, fileName), kLogProblemColour);
}

}  // namespace korvel
