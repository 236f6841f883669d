// The private-profile (INI) format held in memory: the reading and editing
// rules of the platform's profile functions, applied to bytes. The file
// functions in profile_file.h load a document, ask it, and write it back.
//
// Lines end at CR LF, a lone CR or a lone LF; each keeps its own ending so
// that an edit changes only the lines it has to and every other byte of the
// file survives. Blanks (space, tab, vertical tab) around section names, keys
// and values are ignored when reading. Section and key names match without
// regard to ASCII letter case; only the first section of a name and the first
// key of a name within it count. A line whose first non-blank character is
// ";" is a comment; "[" opens a section whose name runs to the first "]".
#ifndef BTE_PLATFORM_PROFILE_DOCUMENT_H
#define BTE_PLATFORM_PROFILE_DOCUMENT_H

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace bte::platform {

class ProfileDocument {
 public:
  ProfileDocument() = default;
  explicit ProfileDocument(std::string_view bytes);

  // The file's bytes; for an unedited document exactly what was parsed.
  std::string Serialize() const;

  // Every section name in file order, duplicates included, each followed by
  // NUL, then a closing NUL. Returns the characters used without the closing
  // NUL, or size - 2 when the list was cut.
  uint32_t GetSectionNames(char* buffer, uint32_t size) const;

  // The value of key in section, trimmed, with one pair of matching outer
  // quotes removed; the default (trailing spaces removed) when absent.
  // Copies at most size - 1 characters and a NUL and returns the count. A
  // null section lists the section names, a null key the section's keys.
  uint32_t GetString(const char* section, const char* key, const char* defaultValue,
                     char* buffer, uint32_t size) const;

  // The section's lines as "key=value" (or the bare text of a line without
  // "="), each followed by NUL, then a closing NUL; comments and blank lines
  // are left out. Returns as GetSectionNames; 0 for a missing section.
  uint32_t GetSection(const char* section, char* buffer, uint32_t size) const;

  // Replaces the key's value in place, adds the key after the section's last
  // key, or adds the section at the end. A null value deletes the key, a
  // null key the section (its comment lines stay). False for a null section.
  bool WriteString(const char* section, const char* key, const char* value);

  // Replaces the section's keys with the block: NUL-separated lines ending in
  // an empty string. A null block deletes the section. False for a null
  // section.
  bool WriteSection(const char* section, const char* block);

 private:
  enum class LineKind { kBlank, kHeader, kComment, kKey, kText };
  struct Line {
    std::string text;    // without its line ending
    std::string ending;  // "\r\n", "\r", "\n", or empty on an unterminated last line
  };
  struct Section {
    std::string name;         // trimmed header name
    std::vector<Line> lines;  // lines[0] is the header
  };

  static LineKind Classify(std::string_view text);
  static std::string_view SectionName(std::string_view header);
  static std::string_view KeyOf(std::string_view text);
  static std::string_view ValueOf(std::string_view text);

  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  static int FindKey(const Section& section, std::string_view key);
  void AppendSection(std::string_view name, const std::vector<std::string>& lines);
  void DeleteSection(std::string_view name);
  void EndLastLine();
  void RebuildIndex();

  std::vector<Line> preamble_;  // lines before the first header
  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> firstSection_;  // lower-case name -> index
};

}  // namespace bte::platform

#endif  // BTE_PLATFORM_PROFILE_DOCUMENT_H
