// Creation times of global expressions: seconds since 1970-01-01 00:00 UTC in
// a signed 32-bit count, made from and shown as local calendar fields, with
// daylight saving decided by the runtime library.
#ifndef BTE_STORE_TIME_STAMP_H
#define BTE_STORE_TIME_STAMP_H

#include <cstdint>
#include <string>

namespace bte {

using TimeStamp = int32_t;

// Calendar fields that name no time in the 32-bit range (a stamp that could
// not be read) give this value; it sorts before every real time.
constexpr TimeStamp kUnreadableTimeStamp = INT32_MIN;

// Local time from calendar fields (month 1 to 12), or kUnreadableTimeStamp.
TimeStamp MakeLocalTime(int year, int month, int day, int hour, int minute, int second);

// 1980-01-01 01:01:01 local time: the stamp of every target entry.
TimeStamp FixedEntryTime();

TimeStamp CurrentTime();

// "YYYY:MM:DD:hh:mm:ss" in local time. An unreadable stamp is written with
// all fields 0, which reads back as unreadable again.
std::string FormatTimeStamp(TimeStamp time);

// Up to six integers separated by ":"; a field that cannot be read counts
// as 0.
TimeStamp ParseTimeStamp(const char* text);

}  // namespace bte

#endif  // BTE_STORE_TIME_STAMP_H
