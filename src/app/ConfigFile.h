// The configuration file korvel.cfg (default.cfg on a first start): 106 lines of an eight-character
// key and a decimal value, "recent:" with the 15 most recent map paths, and "eof". Parsing,
// applying, writing, and the built-in defaults used when neither file exists.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "map/MapFileState.h"

namespace korvel {

class FileSystem;
struct ColorSettings;
struct Languages;
struct Settings;

constexpr int32_t kConfigKeyCount = 106;
constexpr int32_t kGeneralConfigKeys = 66;
constexpr const char* kConfigFileName = "korvel.cfg";
constexpr const char* kDefaultConfigFileName = "default.cfg";

using RecentFiles = std::array<std::string, kRecentFileCount>;

// Where the values of the 106 keys live.
struct ConfigTarget {
    Settings& settings;
    ColorSettings& colors;
    Languages& langs;  // the "language" key is its languageIndex
};

// Key i in the order of the file: the general keys, then the colour keys.
std::string_view configKey(int32_t i);
// Whether key i holds a byte (0..255); the others hold 32-bit signed values.
bool configKeyIsByte(int32_t i);
int32_t configValue(const ConfigTarget& target, int32_t i);
// A byte setting keeps the low 8 bits.
void setConfigValue(const ConfigTarget& target, int32_t i, int32_t value);

// What a configuration text says: the value of each key it names (the later line wins) and,
// when it has a "recent:" block, the paths in it.
struct ConfigText {
    std::array<std::optional<int32_t>, kConfigKeyCount> values;
    std::optional<RecentFiles> recent;
};

// Lines are split at CR with an LF after it dropped. Lines of 8 characters or fewer are skipped
// except "recent:", whose 15 following lines are the recent paths (a file that ends sooner gives
// empty slots) and after which nothing is read. A line whose first 8 characters are no key, or
// whose value is no 32-bit decimal integer, is ignored.
ConfigText parseConfigText(std::string_view text);

// Stores the values the text names and, when it has a recent block, the recent list without the
// paths whose files no longer exist (the list's order is kept; it stops at the first empty slot).
void applyConfigText(const ConfigText& config, const ConfigTarget& target, RecentFiles& recent,
                     FileSystem& fs);

// The whole file as saveConfig writes it, CR LF line ends and no line end after "eof".
std::string formatConfigText(const ConfigTarget& target, const RecentFiles& recent);

// The settings of a first start, equal to the shipped default.cfg.
void applyBuiltInDefaults(const ConfigTarget& target);

enum class ConfigSource { UserFile, DefaultFile, BuiltIn };
// Reads korvel.cfg from the data folder, else default.cfg, else leaves every setting as it is.
ConfigSource readConfigFile(const ConfigTarget& target, RecentFiles& recent, FileSystem& fs,
                            const std::string& dataFolder);
// Writes korvel.cfg whole through a temporary file; whether it was written.
bool writeConfigFile(const ConfigTarget& target, const RecentFiles& recent, FileSystem& fs,
                     const std::string& dataFolder);

}  // namespace korvel
