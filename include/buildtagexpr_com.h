// Component-model basics for hosts on POSIX systems.
//
// On Windows the platform headers supply all of this; elsewhere this header
// gives the few types, identifiers and helpers that the interfaces of
// buildtagexpr.h use, with the same names, layouts and values, so that host
// code can be written once for both.
#ifndef BUILDTAGEXPR_COM_H
#define BUILDTAGEXPR_COM_H

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#error "On Windows include the platform headers instead of this file."
#endif

#include "buildtagexpr_export.h"

typedef int32_t HRESULT;
typedef uint32_t ULONG;
typedef char16_t OLECHAR;  // one UTF-16 code unit
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;
// A system string: UTF-16 text preceded by its byte length (32 bits) and
// followed by a zero code unit. Allocate and free it only with the Sys*
// functions below.
typedef OLECHAR* BSTR;
typedef void* HWND;

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};
typedef GUID IID;
typedef const IID& REFIID;

inline bool operator==(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i)
    if (a.Data4[i] != b.Data4[i]) return false;
  return true;
}
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }

// The platform's identifiers: {00000000-0000-0000-C000-000000000046} and
// {00000101-0000-0000-C000-000000000046}.
inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000,
                                     {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IEnumString = {0x00000101, 0x0000, 0x0000,
                                        {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

#ifndef S_OK
#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_NOTIMPL ((HRESULT)0x80004001)
#define E_NOINTERFACE ((HRESULT)0x80004002)
#define E_POINTER ((HRESULT)0x80004003)
#define E_FAIL ((HRESULT)0x80004005)
#define E_OUTOFMEMORY ((HRESULT)0x8007000E)
#define E_INVALIDARG ((HRESULT)0x80070057)
#endif

struct IUnknown {
  virtual HRESULT QueryInterface(REFIID iid, void** out) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
};

struct IEnumString : IUnknown {
  // Hands out up to celt new strings; free each with CoTaskMemFree.
  virtual HRESULT Next(ULONG celt, LPOLESTR* rgelt, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG celt) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumString** out) = 0;
};

extern "C" {
// Task allocator: strings handed out through IEnumString come from here.
BTE_EXPORT void* CoTaskMemAlloc(size_t size);
BTE_EXPORT void CoTaskMemFree(void* block);

// System strings: results of the HTML filter's text forms and the editor.
BTE_EXPORT BSTR SysAllocString(const OLECHAR* text);
BTE_EXPORT BSTR SysAllocStringLen(const OLECHAR* text, uint32_t length);
BTE_EXPORT void SysFreeString(BSTR text);
BTE_EXPORT uint32_t SysStringLen(BSTR text);
}

#endif  // BUILDTAGEXPR_COM_H
