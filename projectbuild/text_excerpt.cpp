#include "projectbuild/text_excerpt.h"

namespace bte::projectbuild {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string Excerpt(std::string_view text, size_t maxBytes) {
  std::string line;
  for (char c : text) {
    if (!IsBlank(c))
      line += c;
    else if (!line.empty() && line.back() != ' ')
      line += ' ';
  }
  if (!line.empty() && line.back() == ' ') line.pop_back();
  if (line.size() <= maxBytes) return line;
  size_t cut = maxBytes;
  while (cut > 0 && IsContinuationByte(line[cut])) --cut;
  const size_t blank = line.rfind(' ', cut);
  if (blank != std::string::npos && blank + 15 > cut) cut = blank;
  return line.substr(0, cut) + "...";
}

}  // namespace bte::projectbuild
