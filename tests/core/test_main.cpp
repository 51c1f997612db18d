// The core tests run in the user's locale, as the program does: a run under a
// locale whose decimal mark is a comma then shows any conversion that reads or
// writes numbers by the locale.
#include <clocale>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
