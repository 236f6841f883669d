// The anchor of the whole-process RTF measurements: reads one file into one
// buffer and counts its braces and backslashes, the least any RTF reader
// does with every byte.
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bare_scan FILE\n");
    return 2;
  }
  std::FILE* in = std::fopen(argv[1], "rb");
  if (in == nullptr) return 1;
  std::fseek(in, 0, SEEK_END);
  std::vector<char> bytes(static_cast<size_t>(std::ftell(in)));
  std::rewind(in);
  const bool read = std::fread(bytes.data(), 1, bytes.size(), in) == bytes.size();
  std::fclose(in);
  if (!read) return 1;
  size_t braces = 0, backslashes = 0;
  for (const char byte : bytes) {
    braces += byte == '{' || byte == '}';
    backslashes += byte == '\\';
  }
  std::printf("%zu braces, %zu backslashes\n", braces, backslashes);
  return 0;
}
