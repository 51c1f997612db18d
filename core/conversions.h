#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Conversions between the texts the boxes hold and the numbers the calculator
// works on. None of them depends on the process's locale: the period is always
// the decimal point and no digits are ever grouped.
namespace quorvel {

// Reads the number at the start of `text` and ignores the rest.
//
// Accepted, in order: any run of blanks, tabs and line feeds; an optional sign
// (+ or -); digits with at most one period as the decimal point (at least one
// digit on either side of it, ".5" and "5." included); an optional exponent,
// the letter E or e, an optional sign and at least one digit. Reading stops at
// the first character that cannot continue the number; a letter E not followed
// by a digit (after its optional sign) is not part of the number, so "1e" and
// "1e+" read as 1. Text that does not start with a number reads as 0.
//
// Not accepted, each ending the number where it stands: blanks inside a number
// ("1 2" reads as 1, "- 5" as 0), radix prefixes ("&H10" reads as 0), the D
// exponent letter ("1d3" reads as 1), and any character outside ASCII.
//
// The value is the nearest float to the decimal number read. A number smaller
// than the smallest float reads as 0 (with its sign); one beyond the float range
// throws OverflowError.
double ReadNumber(std::string_view text);

// Drops the fraction toward zero; 2.9 gives 2, -2.9 gives -2. The result stays a float.
double Truncate(double x);

// Truncates toward zero, then converts to 32 bits; throws OverflowError when the
// truncated value (or a NaN) lies outside the 32-bit range.
std::int32_t ToLong(double x);

// Rounds to the nearest integer, halves to the even neighbour; throws
// OverflowError outside the 32-bit range.
std::int32_t roundToLong(double x);

// Whole numbers as plain decimal digits: no blank, no "+", no grouping, and
// "0" for a negative zero. A float with a fraction, or one of sixteen or more
// digits, is written in the shortest form that reads back to the same float
// ("2.5", "1e+20"). A 32-bit value is written as its digits.
std::string FormatGeneral(double x);

// The decimal digits padded with leading zeros to at least two, after a minus
// sign for negative values: 5 gives "05", 14 gives "14", 123 gives "123".
std::string FormatTwoDigit(std::int32_t n);

// Plain decimal digits with a leading minus for negative values.
std::string LongToText(std::int32_t n);

} // namespace quorvel
