// Date and time of the original platform: whole seconds counted from the zero
// date 30/12/1899 00:00:00, which is also the explicit empty value.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>

namespace bp {

class DateTime {
 public:
  constexpr DateTime() = default;  // the empty (zero) date

  // A valid calendar date and time, or nothing (31/02, 25:00 ...).
  static std::optional<DateTime> Make(int year, int month, int day, int hour = 0,
                                      int minute = 0, int second = 0);
  // As Make, raising 13 "Type mismatch" when the date does not exist.
  static DateTime Of(int year, int month, int day, int hour = 0, int minute = 0,
                     int second = 0);
  static constexpr DateTime FromSeconds(int64_t seconds) { return DateTime(seconds); }
  // The platform's serial form: days since the zero date, time as a fraction.
  static DateTime FromSerial(double days);

  constexpr bool IsEmpty() const { return seconds_ == 0; }
  constexpr int64_t Seconds() const { return seconds_; }
  double ToSerial() const;
  // Whole days since the zero date (the date part's serial number).
  int64_t Days() const;

  DateTime DatePart() const;        // midnight of the same day
  int64_t SecondsOfDay() const;     // 0 .. 86399
  DateTime AddDays(int64_t days) const { return DateTime(seconds_ + days * 86400); }
  DateTime AddSeconds(int64_t s) const { return DateTime(seconds_ + s); }

  int Year() const;
  int Month() const;
  int Day() const;
  int Hour() const;
  int Minute() const;
  int Second() const;
  int Weekday() const;  // 1 = Sunday .. 7 = Saturday

  friend constexpr auto operator<=>(DateTime, DateTime) = default;

 private:
  constexpr explicit DateTime(int64_t seconds) : seconds_(seconds) {}
  int64_t seconds_ = 0;
};

}  // namespace bp
