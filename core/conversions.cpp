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

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Beyond this many decimal places either way a float is infinite or zero, so the
// exponent can be clamped here without changing which of the two it is.
constexpr long long kExponentClamp = 100000;

// The optional exponent of a number, starting at text[i] (the letter E).
// Returns how many characters it spans (0 when there is none) and its value,
// clamped to +-kExponentClamp.
std::size_t ReadExponent(std::string_view text, std::size_t i, long long& exponent) {
    if (i >= text.size() || (text[i] != 'e' && text[i] != 'E')) {
        return 0;
    }
    std::size_t j = i + 1;
    bool negative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
        negative = text[j] == '-';
        ++j;
    }
    if (j >= text.size() || !IsDigit(text[j])) {
        return 0;
    }
    long long value = 0;
    for (; j < text.size() && IsDigit(text[j]); ++j) {
        value = std::min(value * 10 + (text[j] - '0'), kExponentClamp);
    }
    exponent = negative ? -value : value;
    return j - i;
}

std::string IntegerDigits(long long n) {
    std::array<char, 24> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), n);
    (void)ec; // 24 characters hold every 64-bit integer
    return std::string(buffer.data(), end);
}

} // namespace

double ReadNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
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
        if (IsDigit(c)) {
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
    long long exponent = 0;
    ReadExponent(text, i, exponent);

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

    const std::string decimal = mantissa + "e" + IntegerDigits(scale + exponent);
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

std::int32_t RoundToLong(double x) {
    const double below = std::floor(x);
    const double fraction = x - below;
    double nearest = below + 1.0;
    if (fraction < 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) == 0.0)) {
        nearest = below;
    }
    return ToLong(nearest);
}

std::string FormatGeneral(double x) {
    if (x == std::trunc(x) && std::fabs(x) < 1e15) {
        return IntegerDigits(static_cast<long long>(x));
    }
    std::array<char, 32> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x);
    (void)ec; // 32 characters hold the shortest form of every float
    return std::string(buffer.data(), end);
}

std::string FormatGeneral(std::int32_t n) {
    return IntegerDigits(n);
}

std::string FormatTwoDigit(std::int32_t n) {
    const long long value = n;
    std::string digits = IntegerDigits(value < 0 ? -value : value);
    if (digits.size() < 2) {
        digits.insert(0, 2 - digits.size(), '0');
    }
    return value < 0 ? "-" + digits : digits;
}

std::string LongToText(std::int32_t n) {
    return IntegerDigits(n);
}

} // namespace quorvel
