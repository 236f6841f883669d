// Symbol visibility of the HTML library. The module is built with hidden
// visibility by default; the library's classes are shared with the host, so
// they are exported from libpagesift.so.
#ifndef PAGESIFT_EXPORT_H
#define PAGESIFT_EXPORT_H

#include "buildtagexpr_export.h"

#ifdef PAGESIFT_BUILDING
#define PAGESIFT_API BTE_EXPORT
#else
#define PAGESIFT_API BTE_IMPORT
#endif

#endif  // PAGESIFT_EXPORT_H
