#include "real_oracle.h"

#include <gmp.h>
#include <mpfr.h>

#include <bit>
#include <cstdint>
#include <string>

namespace lio::testing {
namespace {

constexpr int kErrIndefinite = 6102;
constexpr int kErrInvalid = 6103;
constexpr int kErrOverflow = 6104;
constexpr size_t kKeptDigits = 24;
// The double just above the largest single (0x47EFFFFFE0000000): anything
// beyond it in magnitude cannot be stored.
const double kSingleLimit = std::bit_cast<double>(uint64_t{0x47EFFFFFE0000001});
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

// MPFR's exponent range set to a format's for as long as it lives.
class ExponentRange {
 public:
  ExponentRange(mpfr_exp_t emin, mpfr_exp_t emax)
      : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()) {
    mpfr_set_emin(emin);
    mpfr_set_emax(emax);
  }
  ~ExponentRange() {
    mpfr_set_emin(emin_);
    mpfr_set_emax(emax_);
  }
  ExponentRange(const ExponentRange&) = delete;
  ExponentRange& operator=(const ExponentRange&) = delete;

 private:
  mpfr_exp_t emin_, emax_;
};

// A binary format as MPFR counts it: significand in [0.5, 1) times 2^e, so
// the largest finite values have e = 1024 (128) and the smallest subnormal
// 2^-1074 = 0.5 * 2^-1073 (2^-149 = 0.5 * 2^-148).
struct Format {
  mpfr_prec_t precision;
  mpfr_exp_t emin;
  mpfr_exp_t emax;
};
constexpr Format kDouble{53, -1073, 1024};
constexpr Format kSingle{24, -148, 128};

// Sets `out` to the value of the format nearest to digits * 10^scale (digits
// without leading zeros, at most 38 of them), rounded once; an infinity
// beyond the format's range.
void round_decimal(const std::string& digits, int64_t scale,
                   const Format& format, mpfr_t out) {
  mpfr_set_prec(out, format.precision);
  // The value lies in [10^(n - 1 + scale), 10^(n + scale)): far outside the
  // double range, that alone settles it.
  const auto n = static_cast<int64_t>(digits.size());
  if (n - 1 + scale > 330) {
    mpfr_set_inf(out, 1);
    return;
  }
  if (n + scale < -400) {
    mpfr_set_zero(out, 1);
    return;
  }
  mpz_t value, power;
  mpz_init_set_str(value, digits.c_str(), 10);
  mpz_init(power);
  mpz_ui_pow_ui(power, 10,
                static_cast<unsigned long>(scale < 0 ? -scale : scale));
  mpfr_t exact;
  mpfr_init2(exact, 128);
  mpfr_set_z(exact, value, MPFR_RNDN);  // below 10^38 < 2^127: exact
  {
    ExponentRange range(format.emin, format.emax);
    const int inexact = scale >= 0 ? mpfr_mul_z(out, exact, power, MPFR_RNDN)
                                   : mpfr_div_z(out, exact, power, MPFR_RNDN);
    mpfr_subnormalize(out, inexact, MPFR_RNDN);
  }
  mpfr_clear(exact);
  mpz_clear(power);
  mpz_clear(value);
}

}  // namespace

std::optional<CutDecimal> cut_decimal(std::string_view text) {
  Decimal d;
  if (!parse(text, d)) return std::nullopt;
  CutDecimal cut;
  cut.negative = d.negative;

  // Leading zeros carry no significance.
  const size_t first = d.digits.find_first_not_of('0');
  if (first == std::string::npos) {
    cut.digits = "0";
    return cut;
  }
  cut.digits = d.digits.substr(first);
  // Power of ten of the last significant digit given.
  cut.scale = d.exponent + d.before_point - static_cast<int64_t>(first) -
              static_cast<int64_t>(cut.digits.size());
  if (cut.digits.size() > kKeptDigits) {
    const bool round_up = cut.digits[kKeptDigits] >= '5';
    cut.scale += static_cast<int64_t>(cut.digits.size() - kKeptDigits);
    cut.digits.resize(kKeptDigits);
    if (round_up) {
      // Raising the 24th digit carries through the nines before it.
      size_t i = cut.digits.size();
      while (i > 0 && cut.digits[i - 1] == '9') cut.digits[--i] = '0';
      if (i == 0) {
        cut.digits.insert(cut.digits.begin(), '1');
      } else {
        ++cut.digits[i - 1];
      }
    }
  }
  return cut;
}

OracleReal oracle_scan_real(std::string_view text) {
  const std::optional<CutDecimal> cut = cut_decimal(text);
  if (!cut) return {0.0f, kErrInvalid};

  mpfr_t nearest;
  mpfr_init2(nearest, kDouble.precision);
  round_decimal(cut->digits, cut->scale, kDouble, nearest);
  OracleReal result{0.0f, 0};
  if (mpfr_inf_p(nearest)) {
    result.error = kErrIndefinite;
  } else if (mpfr_cmp_d(nearest, kSingleLimit) > 0) {
    result.error = kErrOverflow;
  } else {
    if (cut->negative) mpfr_neg(nearest, nearest, MPFR_RNDN);
    result.value = mpfr_get_flt(nearest, MPFR_RNDN);
  }
  mpfr_clear(nearest);
  return result;
}

float nearest_single_once(const CutDecimal& decimal) {
  mpfr_t nearest;
  mpfr_init2(nearest, kSingle.precision);
  round_decimal(decimal.digits, decimal.scale, kSingle, nearest);
  if (decimal.negative) mpfr_neg(nearest, nearest, MPFR_RNDN);
  const float value = mpfr_get_flt(nearest, MPFR_RNDN);
  mpfr_clear(nearest);
  return value;
}

uint64_t nearest_double_bits(const std::string& digits, int64_t scale) {
  mpfr_t nearest;
  mpfr_init2(nearest, kDouble.precision);
  round_decimal(digits, scale, kDouble, nearest);
  const double value = mpfr_get_d(nearest, MPFR_RNDN);
  mpfr_clear(nearest);
  return std::bit_cast<uint64_t>(value);
}

}  // namespace lio::testing
