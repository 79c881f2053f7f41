#pragma once
// What a number box holds, read the one way every box of the desk reads it:
// leading spaces skipped, then an optional sign, digits, and for the money
// and real targets a point and more digits; anything after the number is
// ignored ("12元" reads 12). The value must fit the type it is meant for;
// a text that holds no number at all is told apart from an empty one.
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvolen {

enum class NumberTarget {
  Currency,  // fixed point with four decimals, 64-bit
  Single,    // single-precision real
  Int32,     // whole number, signed 32-bit
  Int16,     // whole number, signed 16-bit
  Byte,      // whole number 0..255
  Card,      // card or ID number: whole, not negative, at most 15 digits and within Currency
};

struct NumberText {
  enum class Read { Empty, Number, NotNumber, OutOfRange };
  Read read = Read::Empty;
  // The value when read is Number, else 0. For Currency the scaled value
  // (yuan x 10000); for the whole-number targets and Card the number itself.
  int64_t whole = 0;
  double real = 0;  // Single: the value; the other targets: whole as a real

  bool isNumber() const { return read == Read::Number; }
  // Empty as 0, a number as itself: how a box "left empty means 0" reads.
  bool isNumberOrEmpty() const { return read == Read::Number || read == Read::Empty; }
};

NumberText ReadNumber(std::string_view text, NumberTarget target);

// Yuan x 10000 from a single-precision money member and back (balances and
// totals are stored as singles, sums are formed in fixed point).
int64_t ScaledFromSingle(float value);
float SingleFromScaled(int64_t scaled);

// A fixed-point value in general number format: no trailing zeros
// ("100.5", "-3", "0").
std::string GeneralNumber(int64_t scaled);

}  // namespace tarvolen
