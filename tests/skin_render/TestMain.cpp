// Test entry point; "--update-golden" rewrites the golden images instead of comparing them.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/GoldenImages.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--update-golden") == 0)
            testing_support::SetUpdateGolden(true);
    return RUN_ALL_TESTS();
}
