// Fuzzes the conversions against properties, not only for crashes:
//  - ReadNumber gives the value of the longest leading number of the stated form,
//    read here by a separate regular expression and the C library in the "C"
//    locale, or throws OverflowError exactly when that number is beyond the float
//    range; no other form is read as a number;
//  - the result does not depend on the locale: the process runs under a locale
//    whose decimal mark is a comma;
//  - every limited value written by FormatGeneral or FormatTwoDigit, and every
//    32-bit result written by LongToText, reads back to itself;
//  - ToLong, Truncate and roundToLong agree with the C library on any float.
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <regex>
#include <string>
#include <string_view>

#include "conversions.h"
#include "errors.h"

namespace {

using namespace quorvel;

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return c;
}

void check(bool holds, const char* property, std::string_view input) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\ninput: \"%.*s\"\n", property,
                     static_cast<int>(input.size()), input.data());
        std::abort();
    }
}

bool sameFloat(double a, double b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

void checkReadNumber(std::string_view text) {
    static const std::regex leadingNumber(
        R"(^[ \t\n]*([+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?))");
    std::cmatch match;
    double expected = 0;
    bool overflow = false;
    if (std::regex_search(text.data(), text.data() + text.size(), match, leadingNumber,
                          std::regex_constants::match_continuous)) {
        const std::string number = match[1].str();
        expected = strtod_l(number.c_str(), nullptr, CLocale());
        overflow = std::isinf(expected);
    }
    try {
        const double value = ReadNumber(text);
        check(!overflow, "a number beyond the float range must throw", text);
        check(sameFloat(value, expected), "the value of the longest leading number", text);
    } catch (const OverflowError&) {
        check(overflow, "only a number beyond the float range throws", text);
    }
}

void checkRoundTrips(std::uint32_t n) {
    const double limited = n % 524288;
    const std::string general = FormatGeneral(limited);
    check(sameFloat(ReadNumber(general), limited), "FormatGeneral reads back", general);
    const auto part = static_cast<std::int32_t>(n % 60);
    const std::string twoDigit = FormatTwoDigit(part);
    check(ToLong(ReadNumber(twoDigit)) == part && twoDigit.size() == 2, "FormatTwoDigit reads back",
          twoDigit);
    const auto result = static_cast<std::int32_t>(n);
    const std::string text = LongToText(result);
    check(ToLong(ReadNumber(text)) == result, "LongToText reads back", text);
}

void checkWholeNumbers(double x, std::string_view input) {
    check(sameFloat(Truncate(x), std::trunc(x)) || (std::isnan(x) && std::isnan(Truncate(x))),
          "Truncate", input);
    const double whole = std::trunc(x);
    const bool fits = whole >= -2147483648.0 && whole <= 2147483647.0;
    try {
        const std::int32_t value = ToLong(x);
        check(fits && value == static_cast<std::int32_t>(whole), "ToLong", input);
    } catch (const OverflowError&) {
        check(!fits, "ToLong throws only outside the range", input);
    }
    const double nearest = std::nearbyint(x); // to nearest, halves to even
    const bool nearestFits = nearest >= -2147483648.0 && nearest <= 2147483647.0;
    try {
        const std::int32_t value = roundToLong(x);
        check(nearestFits && value == static_cast<std::int32_t>(nearest), "roundToLong", input);
    } catch (const OverflowError&) {
        check(!nearestFits, "roundToLong throws only outside the range", input);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8")) {
        std::fprintf(stderr, "no locale with a decimal comma is installed\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The regular expression of the check recurses per character.
    if (size > 512) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkReadNumber(text);
    if (size >= 8) {
        std::uint32_t n = 0;
        std::memcpy(&n, data, sizeof n);
        checkRoundTrips(n);
        double x = 0;
        std::memcpy(&x, data, sizeof x);
        checkWholeNumbers(x, text);
    }
    return 0;
}
