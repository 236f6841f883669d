// Local time is UTC while a test runs, so stamps do not depend on the
// machine's zone.
#ifndef BTE_TESTS_STORE_UTC_ZONE_H
#define BTE_TESTS_STORE_UTC_ZONE_H

#include <cstdlib>
#include <ctime>

inline void UseUtcAsLocalTime() {
  setenv("TZ", "UTC", 1);
  tzset();
}

#endif  // BTE_TESTS_STORE_UTC_ZONE_H
