// The anchor of the whole-process HTML measurements: reads one file and
// parses it with gumbo, as a program that only parses would.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <gumbo.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gumbo_parse FILE\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string html{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in && !in.eof()) return 1;
  GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size());
  const bool parsed = output != nullptr && output->root != nullptr;
  gumbo_destroy_output(&kGumboDefaultOptions, output);
  return parsed ? 0 : 1;
}
