#include "core/DecimalConversion.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tw {
namespace {

// An unsigned integer of any size, 32 bits a limb, least significant first,
// with no zero limb on top. Only what exact decimal conversion needs.
class BigUnsigned {
 public:
  explicit BigUnsigned(std::uint64_t value = 0) {
    for (; value != 0; value >>= 32) limbs_.push_back(static_cast<std::uint32_t>(value));
  }

  bool IsZero() const { return limbs_.empty(); }

  int Bits() const {
    if (limbs_.empty()) return 0;
    int bits = 32 * static_cast<int>(limbs_.size() - 1);
    for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1) ++bits;
    return bits;
  }

  bool Bit(int index) const {
    const auto limb = static_cast<std::size_t>(index / 32);
    return index >= 0 && limb < limbs_.size() && ((limbs_[limb] >> (index % 32)) & 1u) != 0;
  }

  // Any 1 among the bits below `index`.
  bool AnyBitBelow(int index) const {
    for (int i = 0; i < index && i < 32 * static_cast<int>(limbs_.size()); i += 32) {
      const int count = std::min(32, index - i);
      const std::uint32_t mask = count == 32 ? ~0u : (1u << count) - 1u;
      if ((limbs_[static_cast<std::size_t>(i / 32)] & mask) != 0) return true;
    }
    return false;
  }

  // The bits from `from` up, at most 64 of them.
  std::uint64_t BitsFrom(int from) const {
    std::uint64_t value = 0;
    for (int i = 63; i >= 0; --i) value = (value << 1) | (Bit(from + i) ? 1u : 0u);
    return value;
  }

  void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
    Trim();
  }

  void MultiplyByPowerOfTen(int power) {
    static constexpr std::uint32_t kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    for (; power >= 9; power -= 9) MultiplyAdd(1000000000u, 0);
    if (power > 0) MultiplyAdd(kPowers[power], 0);
  }

  void ShiftLeft(int bits) {
    if (IsZero() || bits <= 0) return;
    const auto limbs = static_cast<std::size_t>(bits / 32);
    const int rest = bits % 32;
    limbs_.insert(limbs_.begin(), limbs, 0u);
    if (rest != 0) {
      std::uint32_t carry = 0;
      for (std::size_t i = limbs; i < limbs_.size(); ++i) {
        const std::uint32_t limb = limbs_[i];
        limbs_[i] = (limb << rest) | carry;
        carry = limb >> (32 - rest);
      }
      if (carry != 0) limbs_.push_back(carry);
    }
  }

  void ShiftRight(int bits) {
    const auto limbs = static_cast<std::size_t>(bits / 32);
    if (limbs >= limbs_.size()) {
      limbs_.clear();
      return;
    }
    limbs_.erase(limbs_.begin(), limbs_.begin() + static_cast<std::ptrdiff_t>(limbs));
    const int rest = bits % 32;
    if (rest != 0) {
      for (std::size_t i = 0; i < limbs_.size(); ++i) {
        const std::uint32_t above = i + 1 < limbs_.size() ? limbs_[i + 1] : 0u;
        limbs_[i] = (limbs_[i] >> rest) | (above << (32 - rest));
      }
    }
    Trim();
  }

  int Compare(const BigUnsigned& other) const {
    if (limbs_.size() != other.limbs_.size()) return limbs_.size() < other.limbs_.size() ? -1 : 1;
    for (std::size_t i = limbs_.size(); i-- > 0;) {
      if (limbs_[i] != other.limbs_[i]) return limbs_[i] < other.limbs_[i] ? -1 : 1;
    }
    return 0;
  }

  // *this - other, where other is not larger.
  void Subtract(const BigUnsigned& other) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      std::int64_t difference = static_cast<std::int64_t>(limbs_[i]) - borrow -
                                (i < other.limbs_.size() ? static_cast<std::int64_t>(other.limbs_[i]) : 0);
      borrow = difference < 0 ? 1 : 0;
      limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    Trim();
  }

  // The decimal digits, most significant first ("0" for zero).
  std::string Digits() const {
    BigUnsigned rest = *this;
    std::string digits;
    while (!rest.IsZero()) {
      std::uint64_t remainder = 0;
      for (std::size_t i = rest.limbs_.size(); i-- > 0;) {
        const std::uint64_t part = (remainder << 32) | rest.limbs_[i];
        rest.limbs_[i] = static_cast<std::uint32_t>(part / 1000000000u);
        remainder = part % 1000000000u;
      }
      rest.Trim();
      for (int k = 0; k < 9 && (remainder != 0 || !rest.IsZero()); ++k, remainder /= 10) {
        digits.push_back(static_cast<char>('0' + remainder % 10));
      }
    }
    if (digits.empty()) digits.push_back('0');
    std::reverse(digits.begin(), digits.end());
    return digits;
  }

 private:
  void Trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }

  std::vector<std::uint32_t> limbs_;
};

// Beyond this many significant digits only whether any of the rest is not 0
// can change the rounding: a double's exact halfway points have fewer.
constexpr std::size_t kSignificantDigits = 800;

// The double `mantissa` * 2^`exponent`, for a mantissa below 2^53 (or
// exactly 2^53, from rounding up), exact where the result is normal or
// denormal, infinite where it is too large. Built from its bits: the
// library's ldexp and frexp are of the Pentium Pro too.
double Compose(std::uint64_t mantissa, int exponent) {
  if (mantissa == 0) return 0.0;
  // Normalise to 53 significant bits.
  while (mantissa < (std::uint64_t{1} << 52)) mantissa <<= 1, --exponent;
  while (mantissa >= (std::uint64_t{1} << 53)) mantissa >>= 1, ++exponent;
  std::uint64_t bits;
  const int biased = exponent + 52 + 1023;
  if (biased >= 2047) {
    bits = std::uint64_t{2047} << 52;
  } else if (biased > 0) {
    bits = (static_cast<std::uint64_t>(biased) << 52) | (mantissa & ((std::uint64_t{1} << 52) - 1));
  } else {
    // Denormal: callers pass no bit worth less than 2^-1074.
    bits = 1 - biased < 64 ? mantissa >> (1 - biased) : 0;
  }
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

int BitLength(std::uint64_t value) {
  int bits = 0;
  for (; value != 0; value >>= 1) ++bits;
  return bits;
}

// The double nearest to (`whole` + a fraction) * 2^-`scale`, where `inexact`
// says whether that fraction below `whole`'s last bit is above 0. Ties go to
// the even neighbour; values below the smallest denormal's half go to 0.
double RoundToDouble(std::uint64_t whole, int scale, bool inexact) {
  const int bits = BitLength(whole);
  // The lowest bit kept: 53 significant ones, or fewer where the result is
  // denormal (no bit worth less than 2^-1074).
  const int lowest = std::max(bits - 53, scale - 1074);
  if (lowest <= 0) return Compose(whole, -scale);
  if (lowest > bits) return 0.0;
  std::uint64_t kept = lowest >= 64 ? 0 : whole >> lowest;
  const bool half = ((whole >> (lowest - 1)) & 1u) != 0;
  const bool below = (whole & ((std::uint64_t{1} << (lowest - 1)) - 1u)) != 0 || inexact;
  if (half && (below || (kept & 1u) != 0)) ++kept;
  return Compose(kept, lowest - scale);
}

}  // namespace

double ReadDecimal(std::string_view number) {
  std::size_t i = 0;
  const bool negative = i < number.size() && number[i] == '-';
  if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
  // The significant digits as one integer and the power of ten of its last.
  std::string digits;
  long power = 0;
  bool droppedNonZero = false, fraction = false;
  for (; i < number.size() && (number[i] == '.' || (number[i] >= '0' && number[i] <= '9')); ++i) {
    if (number[i] == '.') {
      fraction = true;
      continue;
    }
    if (fraction) --power;
    if (digits.empty() && number[i] == '0') continue;
    if (digits.size() < kSignificantDigits) {
      digits.push_back(number[i]);
    } else {
      ++power;  // the digit is left out: the kept ones are worth ten times more
      droppedNonZero = droppedNonZero || number[i] != '0';
    }
  }
  if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
    ++i;
    const bool negativeExponent = i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
    long exponent = 0;
    for (; i < number.size() && number[i] >= '0' && number[i] <= '9'; ++i) {
      if (exponent < 100000) exponent = exponent * 10 + (number[i] - '0');
    }
    power += negativeExponent ? -exponent : exponent;
  }
  if (droppedNonZero) {  // stands for the rest: above the kept digits, below their next step
    digits.push_back('1');
    --power;
  }
  if (digits.empty()) return 0.0;
  const long leading = static_cast<long>(digits.size()) - 1 + power;
  const double infinity = negative ? -HUGE_VAL : HUGE_VAL;
  if (leading > 309) return infinity;
  if (leading < -325) return 0.0;

  BigUnsigned value;
  for (char digit : digits) value.MultiplyAdd(10, static_cast<std::uint32_t>(digit - '0'));
  double result;
  if (power >= 0) {
    value.MultiplyByPowerOfTen(static_cast<int>(power));
    // The top 56 bits, and whether anything below them is set.
    const int shift = std::max(value.Bits() - 56, 0);
    result = RoundToDouble(value.BitsFrom(shift), -shift, value.AnyBitBelow(shift));
  } else {
    // value / 10^-power, with a quotient of 55 or 56 bits: long division.
    BigUnsigned divisor(1);
    divisor.MultiplyByPowerOfTen(static_cast<int>(-power));
    const int scale = 55 + divisor.Bits() - value.Bits();
    if (scale >= 0) {
      value.ShiftLeft(scale);
    } else {
      divisor.ShiftLeft(-scale);
    }
    std::uint64_t quotient = 0;
    const int top = value.Bits() - divisor.Bits();
    divisor.ShiftLeft(top);
    for (int bit = top; bit >= 0; --bit, divisor.ShiftRight(1)) {
      if (value.Compare(divisor) >= 0) {
        value.Subtract(divisor);
        quotient |= std::uint64_t{1} << bit;
      }
    }
    result = RoundToDouble(quotient, scale, !value.IsZero());
  }
  if (std::isinf(result)) return infinity;
  return negative ? -result : result;
}

std::string FixedDecimal(double value, int decimals) {
  const bool negative = std::signbit(value);
  value = std::fabs(value);
  // value = mantissa * 2^exponent, the mantissa a whole number.
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const int biased = static_cast<int>(bits >> 52);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int exponent = biased == 0 ? -1074 : biased - 1075;
  if (biased != 0) mantissa |= std::uint64_t{1} << 52;
  BigUnsigned scaled(mantissa);
  scaled.MultiplyByPowerOfTen(decimals);
  if (exponent >= 0) {
    scaled.ShiftLeft(exponent);
  } else {
    const int drop = -exponent;
    const bool half = scaled.Bit(drop - 1);
    const bool below = scaled.AnyBitBelow(drop - 1);
    scaled.ShiftRight(drop);
    if (half && (below || scaled.Bit(0))) scaled.MultiplyAdd(1, 1);
  }
  std::string digits = scaled.Digits();
  const auto places = static_cast<std::size_t>(decimals);
  if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
  if (places > 0) digits.insert(digits.size() - places, 1, '.');
  if (negative) digits.insert(0, 1, '-');
  return digits;
}

}  // namespace tw
