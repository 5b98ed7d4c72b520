// Entry point of the end-to-end tests; with --driver-target it runs the driver's own target window instead.
#include <gtest/gtest.h>

#include <cstring>

#include "DriverTarget.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], e2e::target::kSwitch) == 0) return e2e::target::Run();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
