// The profile-file reader and editor on arbitrary bytes. Checks that an
// unedited document gives back exactly the bytes it was read from, that
// every read stays inside its buffer, and that an edit keeps the bytes
// before the first section.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile_document.h"
#include "fuzz_support.h"

namespace {

void ReadEverything(const bte::platform::ProfileDocument& document, uint32_t size) {
  std::vector<char> buffer(size + 1, '\x7f');
  const uint32_t names = document.GetSectionNames(buffer.data(), size);
  Require(buffer[size] == '\x7f' && (size < 2 || names <= size - 2 || names == 0));
  std::vector<char> all(10240);
  const uint32_t used = document.GetSectionNames(all.data(), 10239);
  for (size_t start = 0; start < used;) {
    const std::string name(&all[start]);
    start += name.size() + 1;
    document.GetString(name.c_str(), "BuildExpression", "*****", buffer.data(), size);
    document.GetString(name.c_str(), nullptr, "", buffer.data(), size);
    document.GetSection(name.c_str(), buffer.data(), size);
    Require(buffer[size] == '\x7f');
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  bte::platform::ProfileDocument document(bytes);
  Require(document.Serialize() == bytes);
  ReadEverything(document, 260);
  ReadEverything(document, size % 40);
  // The lines before the first one holding "[" come before every section
  // and survive edits byte for byte.
  const size_t bracket = bytes.find('[');
  const size_t lineStart = bracket == std::string_view::npos
                               ? 0
                               : bytes.substr(0, bracket).find_last_of("\r\n") + 1;
  const std::string_view kept = bytes.substr(0, lineStart);
  document.WriteString("Target:Web", "BuildExpression", "Web & ~Print");
  document.WriteSection("Global Build Tag Expressions", "Expr_2004:05:17:09:03:07=A\0\0");
  document.WriteString("Other", nullptr, nullptr);
  const std::string edited = document.Serialize();
  Require(edited.compare(0, kept.size(), kept) == 0);
  bte::platform::ProfileDocument reread(edited);
  char value[260];
  reread.GetString("Target:Web", "BuildExpression", "", value, sizeof value);
  return 0;
}
