// How the loaders of the data folder report: the outcome of reading one file, the sink their
// start-up log lines go to, and the wording of a missing or short file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace korvel {

struct Languages;

// How reading one data file went. A missing or short file leaves its table as it was.
enum class LoadStatus { Loaded, Missing, Truncated };

// Where loaders write their start-up log lines: a text and its display colour.
using BootLogSink = std::function<void(const std::string& text, uint8_t colour)>;

// Colour of the log lines that report a problem with a data file.
constexpr uint8_t kLogProblemColour = 68;

// Logs message 323 (missing or empty file) or 1334 (file too short) with the file name; nothing
// for a loaded file.
void reportLoadProblem(LoadStatus status, const std::string& fileName, const Languages& langs,
                       const BootLogSink& log);

}  // namespace korvel
