// Conversion between the process code page and the platform's wide strings
// (UTF-16 in OLECHAR units), the two string forms that meet at the host
// boundary. The process code page is UTF-8 on POSIX.
#ifndef BTE_PLATFORM_WIDE_STRING_H
#define BTE_PLATFORM_WIDE_STRING_H

#include <string>
#include <string_view>

#include "buildtagexpr.h"

namespace bte::platform {

using WideString = std::basic_string<OLECHAR>;
using WideStringView = std::basic_string_view<OLECHAR>;

// Malformed UTF-8 sequences become U+FFFD, one per offending byte.
WideString MultiByteToWide(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string WideToMultiByte(WideStringView text);

}  // namespace bte::platform

#endif  // BTE_PLATFORM_WIDE_STRING_H
