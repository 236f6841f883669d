#include "store/time_stamp.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace bte {

TimeStamp MakeLocalTime(int year, int month, int day, int hour, int minute, int second) {
  const bool inRange = year >= 1901 && year <= 2038 && month >= 1 && month <= 12 && day >= 1 &&
                       day <= 31 && hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 &&
                       second >= 0 && second <= 59;
  if (!inRange) return kUnreadableTimeStamp;
  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = hour;
  fields.tm_min = minute;
  fields.tm_sec = second;
  fields.tm_isdst = -1;
  const std::time_t time = std::mktime(&fields);
  if (time == static_cast<std::time_t>(-1) || time <= INT32_MIN || time > INT32_MAX)
    return kUnreadableTimeStamp;
  return static_cast<TimeStamp>(time);
}

TimeStamp FixedEntryTime() { return MakeLocalTime(1980, 1, 1, 1, 1, 1); }

TimeStamp CurrentTime() { return static_cast<TimeStamp>(std::time(nullptr)); }

std::string FormatTimeStamp(TimeStamp time) {
  int field[6] = {0, 0, 0, 0, 0, 0};
  const std::time_t value = time;
  const std::tm* local = time == kUnreadableTimeStamp ? nullptr : std::localtime(&value);
  if (local != nullptr) {
    const int known[6] = {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                          local->tm_hour,        local->tm_min,     local->tm_sec};
    std::copy(known, known + 6, field);
  }
  char text[80];
  std::snprintf(text, sizeof text, "%04d:%02d:%02d:%02d:%02d:%02d", field[0], field[1], field[2],
                field[3], field[4], field[5]);
  return text;
}

TimeStamp ParseTimeStamp(const char* text) {
  int field[6] = {0, 0, 0, 0, 0, 0};
  if (text != nullptr)
    std::sscanf(text, "%d:%d:%d:%d:%d:%d", &field[0], &field[1], &field[2], &field[3], &field[4],
                &field[5]);
  return MakeLocalTime(field[0], field[1], field[2], field[3], field[4], field[5]);
}

}  // namespace bte
