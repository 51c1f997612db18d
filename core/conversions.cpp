#include "conversions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "errors.h"

namespace quorvel {
namespace {

constexpr double kLongMin = -2147483648.0;
constexpr double kLongMax = 2147483647.0;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// An exponent is held to this size while it is read. It lies far beyond the
// number of digits any text can hold, so a held exponent still says whether the
// number is infinite or zero, and adding the digits' own scale to it cannot
// overflow.
constexpr long long kExponentLimit = 1'000'000'000'000'000'000;

// The value of the optional exponent of a number that starts at text[i] (the
// letter E), held to +-kExponentLimit; 0 when there is none.
long long readExponent(std::string_view text, std::size_t i) {
    if (i >= text.size() || (text[i] != 'e' && text[i] != 'E')) {
        return 0;
    }
    std::size_t j = i + 1;
    bool negative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
        negative = text[j] == '-';
        ++j;
    }
    long long value = 0;
    for (; j < text.size() && isDigit(text[j]); ++j) {
        value = value < kExponentLimit / 10 ? value * 10 + (text[j] - '0') : kExponentLimit;
    }
    return negative ? -value : value;
}

} // namespace

double ReadNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // Significant digits without leading zeros, and the power of ten they are scaled by.
    std::string mantissa;
    long long scale = 0;
    bool anyDigit = false;
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            anyDigit = true;
            if (c != '0' || !mantissa.empty()) {
                mantissa.push_back(c);
            }
            if (seenPoint) {
                --scale;
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) {
        return 0.0;
    }
    const long long exponent = readExponent(text, i);

    while (!mantissa.empty() && mantissa.back() == '0') {
        mantissa.pop_back();
        ++scale;
    }
    const double zero = negative ? -0.0 : 0.0;
    if (mantissa.empty()) {
        return zero;
    }
    // The number lies between 10^(magnitude-1) and 10^magnitude.
    const long long magnitude = static_cast<long long>(mantissa.size()) + scale + exponent;
    if (magnitude > 400) {
        throw OverflowError("the number is too large to be held");
    }
    if (magnitude < -400) {
        return zero;
    }

    const std::string decimal = mantissa + "e" + std::to_string(scale + exponent);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(decimal.data(), decimal.data() + decimal.size(), value,
                                           std::chars_format::scientific);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        if (magnitude > 0) {
            throw OverflowError("the number is too large to be held");
        }
        return zero;
    }
    return negative ? -value : value;
}

double Truncate(double x) {
    return std::trunc(x);
}

std::int32_t ToLong(double x) {
    const double whole = std::trunc(x);
    if (!(whole >= kLongMin && whole <= kLongMax)) {
        throw OverflowError("the number does not fit in a whole number from -2147483648 to "
                            "2147483647");
    }
    return static_cast<std::int32_t>(whole);
}

std::int32_t roundToLong(double x) {
    const double below = std::floor(x);
    const double fraction = x - below;
    double nearest = below + 1.0;
    if (fraction < 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) == 0.0)) {
        nearest = below;
    }
    return ToLong(nearest);
}

std::string FormatGeneral(double x) {
    if (x == 0) {
        return "0"; // a negative zero too: a box never shows "-0"
    }
    std::array<char, 32> buffer{}; // holds the shortest form of every float
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    const auto [end, ec] = x == std::trunc(x) && std::fabs(x) < 1e15
                               ? std::to_chars(first, last, x, std::chars_format::fixed)
                               : std::to_chars(first, last, x);
    (void)ec;
    return std::string(first, end);
}

std::string FormatTwoDigit(std::int32_t n) {
    std::string digits = LongToText(n);
    const std::size_t sign = n < 0 ? 1U : 0U;
    if (digits.size() - sign < 2) {
        digits.insert(sign, 2 - (digits.size() - sign), '0');
    }
    return digits;
}

std::string LongToText(std::int32_t n) {
    std::array<char, 12> buffer{}; // "-2147483648" is the longest
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), n);
    (void)ec;
    return std::string(buffer.data(), end);
}

} // namespace quorvel
