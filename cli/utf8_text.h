// Text from a project file or the command line, made fit for a terminal or
// JSON. Names and expressions are bytes in the process code page, which for
// a file a Windows host wrote is Windows-1252: a run that is valid UTF-8 is
// kept as it is, and every other byte is read as Windows-1252 (the five
// bytes that code page leaves undefined become U+0081, U+008D, U+008F,
// U+0090 and U+009D, as Windows converts them).
#ifndef BTE_CLI_UTF8_TEXT_H
#define BTE_CLI_UTF8_TEXT_H

#include <string>
#include <string_view>

namespace bte::cli {

// Always valid UTF-8; equal to bytes when they already are.
std::string Utf8Text(std::string_view bytes);

}  // namespace bte::cli

#endif  // BTE_CLI_UTF8_TEXT_H
