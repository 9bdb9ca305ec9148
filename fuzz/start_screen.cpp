// The start image comes from the data folder and may be any bytes: it is either refused with a
// reason, leaving the screen as it was, or decoded into exactly the screen and its palette.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ui/FrameBuffer.h"
#include "ui/StartScreen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korvel;
    static auto fb = std::make_unique<FrameBuffer>();
    const std::vector<uint8_t> before = fb->screen;
    const StartScreenResult result =
        decodeStartScreen(*fb, std::string(reinterpret_cast<const char*>(data), size));
    if (!result.ok) {
        if (result.error.empty() || fb->screen != before) std::abort();
    }
    return 0;
}
