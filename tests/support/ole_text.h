// Wide text as the module's interfaces take and give it: OLECHAR is
// char16_t on POSIX and wchar_t on Windows, both UTF-16 code units, so a
// test writes its wide strings as u"" literals and converts them here.
#ifndef BTE_TESTS_SUPPORT_OLE_TEXT_H
#define BTE_TESTS_SUPPORT_OLE_TEXT_H

#include <string_view>

#include <gtest/gtest.h>

#include "platform/wide_string.h"

inline bte::platform::WideString Ole(std::u16string_view text) {
  return bte::platform::WideString(text.begin(), text.end());
}

// Whether the process code page, which the interfaces convert multibyte
// text through, is UTF-8: so on Linux, not under Windows' usual ANSI code
// pages, where text outside the code page cannot pass.
inline bool ProcessCodePageIsUtf8() {
  return bte::platform::MultiByteToWide("\xC3\xA9") == Ole(u"\u00e9");
}

#define BTE_REQUIRE_UTF8_CODE_PAGE() \
  if (!ProcessCodePageIsUtf8()) GTEST_SKIP() << "needs a UTF-8 process code page"

// A returned system string's text, without its terminator.
inline bte::platform::WideString OleOf(const OLECHAR* text, size_t length) {
  return bte::platform::WideString(text, length);
}

#endif  // BTE_TESTS_SUPPORT_OLE_TEXT_H
