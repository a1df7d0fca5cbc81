// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

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

// A typed value refused before anything is computed or written. box() is the
// caption of the box it came from, so the command line can name its option.
class BoxRefusal : public Error {
  public:
    BoxRefusal(std::string box, const std::string& text) : Error(text), box_(std::move(box)) {}
    const std::string& box() const { return box_; }

  private:
    std::string box_;
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
