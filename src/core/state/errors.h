#pragma once

#include <stdexcept>
#include <string>

namespace tavora {

// Every failure the program reports carries the exact text the user sees in the
// message box, so handlers only show what().
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A typed text that is not a number.
class ConversionError : public Error {
public:
    using Error::Error;
};

// Division by zero, invalid operation or overflow in a calculation.
class ArithmeticError : public Error {
public:
    using Error::Error;
};

// A file that cannot be opened, read, written or renamed.
class FileError : public Error {
public:
    using Error::Error;
};

inline constexpr const char* kDivisionByZero = "Floating point division by zero";
inline constexpr const char* kInvalidOperation = "Invalid floating point operation";
inline constexpr const char* kOverflow = "Floating point overflow";

} // namespace tavora
