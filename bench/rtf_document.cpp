// Writes one of the generated RTF benchmark documents to a file, for the
// whole-process measurements of filter-rtf.
//   rtf_document tagged|tables FILE [MEGABYTES]     (default 40)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "rtf_documents.h"

int main(int argc, char** argv) {
  const bool tagged = argc > 1 && std::strcmp(argv[1], "tagged") == 0;
  const bool tables = argc > 1 && std::strcmp(argv[1], "tables") == 0;
  if ((!tagged && !tables) || argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: rtf_document tagged|tables FILE [MEGABYTES]\n");
    return 2;
  }
  const size_t size = (argc == 4 ? std::strtoul(argv[3], nullptr, 10) : 40) << 20;
  const std::string rtf =
      tagged ? bte::bench::MakeTaggedDocument(size, false)
             : bte::bench::MakeTableDocument(size);
  std::FILE* out = std::fopen(argv[2], "wb");
  const bool written = out != nullptr && std::fwrite(rtf.data(), 1, rtf.size(), out) == rtf.size();
  if (out != nullptr && std::fclose(out) != 0) return 1;
  return written ? 0 : 1;
}
