// Conversion between the process code page and UTF-16, the two string forms
// that meet at the host boundary. The process code page is UTF-8 on POSIX.
#ifndef BTE_PLATFORM_WIDE_STRING_H
#define BTE_PLATFORM_WIDE_STRING_H

#include <string>
#include <string_view>

namespace bte::platform {

// Malformed UTF-8 sequences become U+FFFD, one per offending byte.
std::u16string MultiByteToWide(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string WideToMultiByte(std::u16string_view text);

}  // namespace bte::platform

#endif  // BTE_PLATFORM_WIDE_STRING_H
