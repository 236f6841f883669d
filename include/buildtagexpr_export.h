// Export and calling-convention macros, one set for both platforms.
//
// BTE_EXPORT marks a function that a library exports (the module's entry
// points, and those of the stand-in libraries). BTE_API is how the module's
// entry points are declared: exported while the module itself is built
// (BUILDTAGEXPR_BUILDING), imported by a host. BTE_CALL is the calling
// convention of entry points and interface operations: the platform's
// standard one on 32-bit Windows, the default everywhere else.
#ifndef BUILDTAGEXPR_EXPORT_H
#define BUILDTAGEXPR_EXPORT_H

#ifdef _WIN32
#define BTE_EXPORT __declspec(dllexport)
#define BTE_IMPORT __declspec(dllimport)
#ifdef _WIN64
#define BTE_CALL
#else
#define BTE_CALL __stdcall
#endif
#else
// Default visibility on a declaration, too, keeps a shared class's type
// information one across libraries.
#define BTE_EXPORT __attribute__((visibility("default")))
#define BTE_IMPORT BTE_EXPORT
#define BTE_CALL
#endif

#ifdef BUILDTAGEXPR_BUILDING
#define BTE_API BTE_EXPORT
#else
#define BTE_API BTE_IMPORT
#endif

#endif  // BUILDTAGEXPR_EXPORT_H
