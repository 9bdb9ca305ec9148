// Writes default.cfg from data/config/default-settings.txt: one "key value" line per setting
// (text after '#' is a comment) becomes the key followed by its decimal value, then the empty
// recent-file list and the end mark, with CR LF line ends and no line end after "eof".
#include "DataText.h"

using namespace korvel::datagen;

int main(int argc, char** argv) {
    if (argc != 3) fail("usage: make_config SETTINGS default.cfg");
    const std::string source = argv[1];
    std::vector<std::string> lines = splitLines(readFile(source));
    std::string out;
    int count = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i].substr(0, lines[i].find('#'));
        std::vector<std::string> w = words(line);
        if (w.empty()) continue;
        const std::string where = source + ":" + std::to_string(i + 1);
        if (w.size() != 2 || w[0].size() != 8) fail(where + ": expected an 8-character key and a value");
        out += w[0] + std::to_string(toInt(w[1], where)) + "\r\n";
        ++count;
    }
    if (count != 106) fail(source + ": expected 106 settings, found " + std::to_string(count));
    out += "recent:\r\n";
    for (int i = 0; i < 15; ++i) out += "\r\n";
    out += "eof";
    writeFile(argv[2], out);
    return 0;
}
