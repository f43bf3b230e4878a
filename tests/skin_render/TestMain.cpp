// Test entry point; "--update-golden" rewrites the golden images instead of comparing them.
#include <gtest/gtest.h>

#include <cstring>

#include "GoldenImages.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--update-golden") == 0)
            skin::test::SetUpdateGolden(true);
    return RUN_ALL_TESTS();
}
