// The tool's standard streams carry documents byte for byte, as on POSIX:
// in text mode Windows turns every "\n" written into "\r\n" and ends
// reading at a Ctrl-Z byte, which would change the filters' output.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <initializer_list>

namespace {

const bool binaryStreams = [] {
  for (std::FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
  return true;
}();

}  // namespace
