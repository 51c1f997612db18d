// The core tests run in the user's locale, as the program does: a run under a
// locale whose decimal mark is a comma then shows any conversion that reads or
// writes numbers by the locale.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    std::setlocale(LC_ALL, "");
    // A run under German (the tests labelled decimal_comma) fails where that
    // locale is missing.
    const char* all = std::getenv("LC_ALL");
    if (all && std::string_view(all).starts_with("de_DE") &&
        *std::localeconv()->decimal_point != ',') {
        std::fprintf(stderr, "a run under %s, in a locale whose mark is '%s'\n", all,
                     std::localeconv()->decimal_point);
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
