// main() of every GoogleTest program that runs under Wine. The desktop's
// launcher hides our exit code, so the result goes to the file the test bed
// names in TESTBED_RESULT.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::fflush(stdout);
    if (const char* path = std::getenv("TESTBED_RESULT")) {
        if (FILE* file = std::fopen(path, "w")) {
            std::fprintf(file, "%d\n", result);
            std::fclose(file);
        }
    }
    return result;
}
