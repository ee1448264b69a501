#include "real_oracle.h"

#include <gmp.h>
#include <mpfr.h>

#include <cstdint>
#include <string>

namespace lio::fuzzing {
namespace {

constexpr int kErrIndefinite = 6102;
constexpr int kErrInvalid = 6103;
constexpr int kErrOverflow = 6104;
constexpr int kKeptDigits = 24;
// The double just above the largest single: anything beyond it in magnitude
// cannot be stored.
constexpr double kSingleLimit = 3.402823466385289E+38;
// Exponents are saturated here; any decimal exponent this large already puts
// a value of at most 25 digits far outside the double range.
constexpr int64_t kExponentCap = 1000000000;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

struct Decimal {
  bool negative = false;
  std::string digits;  // mantissa digits, the point removed
  int64_t before_point = 0;
  int64_t exponent = 0;
};

// Recognises sign, mantissa and exponent; false when the text does not have
// that form.
bool parse(std::string_view t, Decimal& d) {
  size_t i = 0;
  const size_t n = t.size();
  if (i < n && (t[i] == '+' || t[i] == '-')) d.negative = t[i++] == '-';
  bool point = false;
  for (; i < n; ++i) {
    if (is_digit(t[i])) {
      d.digits += t[i];
    } else if (t[i] == '.' && !point) {
      point = true;
      d.before_point = static_cast<int64_t>(d.digits.size());
    } else {
      break;
    }
  }
  if (!point) d.before_point = static_cast<int64_t>(d.digits.size());
  if (d.digits.empty()) return false;
  if (i == n) return true;

  const char c = t[i];
  if (c == 'e' || c == 'E' || c == 'd' || c == 'D') {
    ++i;
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
  } else if (c == '+' || c == '-') {
    ++i;
  } else {
    return false;
  }
  const bool exponent_negative = t[i - 1] == '-';
  if (i == n) return false;
  for (; i < n; ++i) {
    if (!is_digit(t[i])) return false;
    if (d.exponent < kExponentCap) d.exponent = d.exponent * 10 + (t[i] - '0');
  }
  if (exponent_negative) d.exponent = -d.exponent;
  return true;
}

// The nearest double to digits * 10^scale, as a 53-bit MPFR number with the
// double exponent range applied; false when that rounding overflows.
bool to_double(const std::string& digits, int64_t scale, mpfr_t out) {
  mpz_t value, power;
  mpz_init_set_str(value, digits.c_str(), 10);
  mpz_init(power);
  mpz_ui_pow_ui(power, 10,
                static_cast<unsigned long>(scale < 0 ? -scale : scale));
  const mpfr_exp_t emin = mpfr_get_emin(), emax = mpfr_get_emax();
  // Double: significand in [0.5, 1) times 2^e with e up to 1024, and the
  // smallest subnormal 2^-1074 = 0.5 * 2^-1073.
  mpfr_set_emin(-1073);
  mpfr_set_emax(1024);
  mpfr_t exact;
  mpfr_init2(exact, 128);
  mpfr_set_z(exact, value, MPFR_RNDN);  // below 10^24 + 1: exact
  int inexact = scale >= 0 ? mpfr_mul_z(out, exact, power, MPFR_RNDN)
                           : mpfr_div_z(out, exact, power, MPFR_RNDN);
  mpfr_subnormalize(out, inexact, MPFR_RNDN);
  const bool finite = !mpfr_inf_p(out);
  mpfr_set_emin(emin);
  mpfr_set_emax(emax);
  mpfr_clear(exact);
  mpz_clear(power);
  mpz_clear(value);
  return finite;
}

}  // namespace

OracleReal oracle_scan_real(std::string_view text) {
  Decimal d;
  if (!parse(text, d)) return {0.0f, kErrInvalid};
  const float zero = d.negative ? -0.0f : 0.0f;

  // Leading zeros carry no significance.
  size_t first = d.digits.find_first_not_of('0');
  if (first == std::string::npos) return {zero, 0};
  std::string significant = d.digits.substr(first);
  // Power of ten of the last significant digit given.
  int64_t scale = d.exponent + d.before_point - static_cast<int64_t>(first) -
                  static_cast<int64_t>(significant.size());
  bool round_up = false;
  if (significant.size() > kKeptDigits) {
    round_up = significant[kKeptDigits] >= '5';
    scale += static_cast<int64_t>(significant.size()) - kKeptDigits;
    significant.resize(kKeptDigits);
  }
  if (round_up) {
    // Raising the 24th digit carries through the nines before it.
    size_t i = significant.size();
    while (i > 0 && significant[i - 1] == '9') significant[--i] = '0';
    if (i == 0) {
      significant.insert(significant.begin(), '1');
    } else {
      ++significant[i - 1];
    }
  }

  // At most 25 digits: 10^scale alone settles values far from the range.
  if (scale > 330) return {0.0f, kErrIndefinite};
  if (scale < -400) return {zero, 0};

  mpfr_t nearest;
  mpfr_init2(nearest, 53);
  OracleReal result{0.0f, 0};
  if (!to_double(significant, scale, nearest)) {
    result.error = kErrIndefinite;
  } else {
    if (d.negative) mpfr_neg(nearest, nearest, MPFR_RNDN);
    if (mpfr_cmp_d(nearest, kSingleLimit) > 0 ||
        mpfr_cmp_d(nearest, -kSingleLimit) < 0) {
      result.error = kErrOverflow;
    } else {
      result.value = mpfr_get_flt(nearest, MPFR_RNDN);
    }
  }
  mpfr_clear(nearest);
  return result;
}

}  // namespace lio::fuzzing
