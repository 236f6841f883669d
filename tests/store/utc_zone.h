// Local time is UTC while a test runs, so stamps do not depend on the
// machine's zone.
#ifndef BTE_TESTS_STORE_UTC_ZONE_H
#define BTE_TESTS_STORE_UTC_ZONE_H

#include <cstdlib>
#include <ctime>

// zone is a TZ value both C runtimes read ("EST5", "UTC0").
inline void UseLocalTimeZone(const char* zone) {
#ifdef _WIN32
  _putenv_s("TZ", zone);
  _tzset();
#else
  setenv("TZ", zone, 1);
  tzset();
#endif
}

inline void UseUtcAsLocalTime() { UseLocalTimeZone("UTC0"); }

#endif  // BTE_TESTS_STORE_UTC_ZONE_H
