#include "store/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace tarvolen {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The largest Currency magnitude, in units of 1/10000.
constexpr int64_t kCurrencyMax = std::numeric_limits<int64_t>::max();
// The largest whole number a Currency holds.
constexpr uint64_t kCardMax = static_cast<uint64_t>(kCurrencyMax / 10000);

struct Scanned {
  bool negative = false;
  std::string_view whole;     // digits before the point, leading zeros kept
  std::string_view fraction;  // digits after the point
  bool any = false;           // at least one digit
};

Scanned Scan(std::string_view text, bool allowFraction) {
  Scanned s;
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    s.negative = text[i] == '-';
    ++i;
  }
  const size_t w = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  s.whole = text.substr(w, i - w);
  if (allowFraction && i < text.size() && text[i] == '.') {
    const size_t f = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    s.fraction = text.substr(f, i - f);
  }
  s.any = !s.whole.empty() || !s.fraction.empty();
  return s;
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
  while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
  return digits;
}

// Decimal digits (at most 19 after leading zeros) as an unsigned value;
// false when they do not fit 63 bits.
bool Digits(std::string_view digits, uint64_t& out) {
  digits = WithoutLeadingZeros(digits);
  if (digits.size() > 19) return false;
  uint64_t v = 0;
  for (char c : digits) v = v * 10 + static_cast<uint64_t>(c - '0');
  if (v > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) return false;
  out = v;
  return true;
}

NumberText Out(NumberText::Read read) {
  NumberText n;
  n.read = read;
  return n;
}

NumberText Whole(int64_t v) {
  NumberText n;
  n.read = NumberText::Read::Number;
  n.whole = v;
  n.real = static_cast<double>(v);
  return n;
}

NumberText ReadCurrency(const Scanned& s) {
  // Exactly, from the digits: four decimals kept, the fifth rounds half to even.
  uint64_t units = 0;
  if (!Digits(s.whole.empty() ? std::string_view("0") : s.whole, units)) return Out(NumberText::Read::OutOfRange);
  std::string frac(s.fraction.substr(0, std::min<size_t>(4, s.fraction.size())));
  frac.resize(4, '0');
  uint64_t f = static_cast<uint64_t>(std::stoul(frac));
  bool roundUp = false;
  if (s.fraction.size() > 4) {
    const char fifth = s.fraction[4];
    const bool restNonZero = s.fraction.find_first_not_of('0', 5) != std::string_view::npos;
    roundUp = fifth > '5' || (fifth == '5' && (restNonZero || (f % 2) == 1));
  }
  constexpr uint64_t kMaxUnits = static_cast<uint64_t>(kCurrencyMax);
  if (units > (kMaxUnits - f) / 10000) return Out(NumberText::Read::OutOfRange);
  uint64_t scaled = units * 10000 + f;
  if (roundUp) {
    if (scaled == kMaxUnits) return Out(NumberText::Read::OutOfRange);
    ++scaled;
  }
  NumberText n = Whole(s.negative ? -static_cast<int64_t>(scaled) : static_cast<int64_t>(scaled));
  n.real = static_cast<double>(n.whole) / 10000.0;
  return n;
}

}  // namespace

NumberText ReadNumber(std::string_view text, NumberTarget target) {
  size_t first = 0;
  while (first < text.size() && (text[first] == ' ' || text[first] == '\t')) ++first;
  if (first == text.size()) return Out(NumberText::Read::Empty);

  const bool fraction = target == NumberTarget::Currency || target == NumberTarget::Single;
  const Scanned s = Scan(text, fraction);
  if (!s.any) return Out(NumberText::Read::NotNumber);

  switch (target) {
    case NumberTarget::Currency: return ReadCurrency(s);
    case NumberTarget::Single: {
      std::string digits =
          (s.negative ? "-" : "") + std::string(s.whole.empty() ? "0" : s.whole) + "." + std::string(s.fraction) + "0";
      const double v = std::strtod(digits.c_str(), nullptr);
      if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) {
        return Out(NumberText::Read::OutOfRange);
      }
      NumberText n;
      n.read = NumberText::Read::Number;
      n.real = static_cast<double>(static_cast<float>(v));
      return n;
    }
    case NumberTarget::Card: {
      if (s.negative) return Out(NumberText::Read::OutOfRange);
      // Stored as Currency: the whole number must fit with its four decimals.
      uint64_t v = 0;
      if (WithoutLeadingZeros(s.whole).size() > 15 || !Digits(s.whole, v) || v > kCardMax) {
        return Out(NumberText::Read::OutOfRange);
      }
      return Whole(static_cast<int64_t>(v));
    }
    case NumberTarget::Int32:
    case NumberTarget::Int16:
    case NumberTarget::Byte: {
      uint64_t v = 0;
      if (!Digits(s.whole, v)) return Out(NumberText::Read::OutOfRange);
      const int64_t signedValue = s.negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
      int64_t lo = std::numeric_limits<int32_t>::min();
      int64_t hi = std::numeric_limits<int32_t>::max();
      if (target == NumberTarget::Int16) {
        lo = std::numeric_limits<int16_t>::min();
        hi = std::numeric_limits<int16_t>::max();
      } else if (target == NumberTarget::Byte) {
        lo = 0;
        hi = 255;
      }
      if (signedValue < lo || signedValue > hi) return Out(NumberText::Read::OutOfRange);
      return Whole(signedValue);
    }
  }
  return Out(NumberText::Read::NotNumber);
}

int64_t ScaledFromSingle(float value) {
  const double scaled = std::round(static_cast<double>(value) * 10000.0);
  if (!std::isfinite(scaled)) return 0;
  if (scaled >= 9.2e18) return std::numeric_limits<int64_t>::max();
  if (scaled <= -9.2e18) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(scaled);
}

float SingleFromScaled(int64_t scaled) { return static_cast<float>(static_cast<double>(scaled) / 10000.0); }

std::string GeneralNumber(int64_t scaled) {
  const bool negative = scaled < 0;
  const uint64_t m = negative ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
  std::string text = std::to_string(m / 10000);
  char fraction[8];
  std::snprintf(fraction, sizeof fraction, "%04u", static_cast<unsigned>(m % 10000));
  std::string f = fraction;
  while (!f.empty() && f.back() == '0') f.pop_back();
  if (!f.empty()) text += "." + f;
  return (negative ? "-" : "") + text;
}

}  // namespace tarvolen
