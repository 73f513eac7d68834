#include "bp/datetime.h"

#include <cmath>

#include "bp/erro.h"

namespace bp {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Days from 1970-01-01 back to the zero date 1899-12-30.
constexpr int64_t kZeroDateFromUnix = -25569;

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct Civil {
  int64_t year;
  int month;
  int day;
};

Civil CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (m <= 2), m, d};
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

Civil CivilOf(int64_t seconds) {
  return CivilFromDays(FloorDiv(seconds, kSecondsPerDay) + kZeroDateFromUnix);
}

}  // namespace

std::optional<DateTime> DateTime::Make(int year, int month, int day, int hour, int minute,
                                       int second) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return std::nullopt;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
    return std::nullopt;
  const int64_t days = DaysFromCivil(year, month, day);
  const Civil back = CivilFromDays(days);
  if (back.month != month || back.day != day) return std::nullopt;
  return DateTime((days - kZeroDateFromUnix) * kSecondsPerDay + hour * 3600 + minute * 60 +
                  second);
}

DateTime DateTime::Of(int year, int month, int day, int hour, int minute, int second) {
  auto made = Make(year, month, day, hour, minute, second);
  if (!made) RaiseRuntime(rt::kTypeMismatch);
  return *made;
}

DateTime DateTime::FromSerial(double days) {
  // The fraction of a negative serial counts forward from its day, as on the
  // original platform: -1.25 is 29/12/1899 06:00.
  const double whole = std::trunc(days);
  const double fraction = std::fabs(days - whole);
  const auto secs = static_cast<int64_t>(std::llround(fraction * kSecondsPerDay));
  return DateTime(static_cast<int64_t>(whole) * kSecondsPerDay + secs);
}

int64_t DateTime::Days() const { return FloorDiv(seconds_, kSecondsPerDay); }

double DateTime::ToSerial() const {
  const int64_t days = Days();
  const double fraction = static_cast<double>(SecondsOfDay()) / kSecondsPerDay;
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

DateTime DateTime::DatePart() const { return DateTime(Days() * kSecondsPerDay); }
int64_t DateTime::SecondsOfDay() const { return seconds_ - Days() * kSecondsPerDay; }

int DateTime::Year() const { return static_cast<int>(CivilOf(seconds_).year); }
int DateTime::Month() const { return CivilOf(seconds_).month; }
int DateTime::Day() const { return CivilOf(seconds_).day; }
int DateTime::Hour() const { return static_cast<int>(SecondsOfDay() / 3600); }
int DateTime::Minute() const { return static_cast<int>(SecondsOfDay() / 60 % 60); }
int DateTime::Second() const { return static_cast<int>(SecondsOfDay() % 60); }
int DateTime::Weekday() const {
  // The zero date was a Saturday (7).
  return static_cast<int>((Days() % 7 + 7 + 6) % 7) + 1;
}

}  // namespace bp
