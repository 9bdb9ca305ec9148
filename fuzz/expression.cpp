// Any bytes become an expression and the x text it reads (split at the first zero byte). The
// evaluation must end with a finite result, and draw once from the generator per "rnd" at most.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Random.h"
#include "script/ExprSolver.h"

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const size_t zero = bytes.find('\0');
    const std::string text = bytes.substr(0, zero);
    const std::string x = zero == std::string::npos ? std::string() : bytes.substr(zero + 1);
    Random r{uint32_t(size)};
    const double v = evaluateExpression(text, x, r);
    if (!std::isfinite(v)) std::abort();
    return 0;
}
