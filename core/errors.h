#pragma once

#include <stdexcept>
#include <string>

namespace quorvel {

// The two ways a calculation can fail. An operation that raises one stops at the
// failing step: fields it wrote before keep their new values, nothing after runs.
class CalcError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A value, or a 32-bit product or sum, outside -2147483648..2147483647; also a
// number read from text that lies beyond the range of a 64-bit float.
class OverflowError : public CalcError {
public:
    explicit OverflowError(const std::string& what) : CalcError(what) {}
};

// A floating step that divided by zero, overflowed or was invalid.
class ArithmeticError : public CalcError {
public:
    explicit ArithmeticError(const std::string& what) : CalcError(what) {}
};

} // namespace quorvel
