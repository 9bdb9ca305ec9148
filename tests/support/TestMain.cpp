// Entry point of every test program.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // No test may open a real window or sound device, also when run by hand. CTest's list of
    // environment settings does not reliably reach every discovered test, so they are set here too.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
