// Symbol visibility of the HTML library. The module is built with hidden
// visibility by default; the library's classes are shared with the host, so
// they are exported from libpagesift.so.
#ifndef PAGESIFT_EXPORT_H
#define PAGESIFT_EXPORT_H

#if defined(_WIN32)
#if defined(PAGESIFT_BUILDING)
#define PAGESIFT_API __declspec(dllexport)
#else
#define PAGESIFT_API __declspec(dllimport)
#endif
#else
#define PAGESIFT_API __attribute__((visibility("default")))
#endif

#endif  // PAGESIFT_EXPORT_H
