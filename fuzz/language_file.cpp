// Language files are data the user may edit: any text must load into a record and every message
// of it must fill in without touching memory outside the tables.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/Languages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korvel;
    const std::string text(reinterpret_cast<const char*>(data), size);
    Languages langs;
    langs.languages.emplace_back();
    parseLanguageFile(text, langs.languages[0]);
    const std::string arg = text.substr(0, 16);
    for (int32_t n : {-1, 0, 1, 5, 2047, 2048}) {
        (void)getMessage(n, langs, arg, "&1", "&s", int32_t(size));
        (void)getMessage4(n, langs, "&2", arg, "", "&4", -int32_t(size));
        (void)messagePosition(langs, n);
    }
    for (int32_t n = 0; n < 64; ++n) (void)getMessage(n, langs, arg, arg, arg, n - 20);
    return 0;
}
