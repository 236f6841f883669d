// Our profile layer against the system's profile functions, under Wine:
// the same seeded random files and operations go to both, on two copies of
// each file, and the answers, buffers and resulting files must agree.
//
// Wine differs from Windows in ways the profile notes list; the cases keep
// to where the two agree. Writes go to canonical files only (CRLF, no
// blanks, comments, duplicates or quotes), where Wine's regenerated file
// equals Windows's edited one byte for byte. Reads also meet blanks, LF
// endings, comments, duplicate sections and keys, and 8-bit bytes, and
// compare answers only. Left out everywhere: keys before the first section
// and "[]" (Wine reaches them), broken headers (Wine reads them
// differently), quoted values and defaults (Wine's off-by-one and
// stripping), the second NUL of cut lists and the key list of a 2-byte
// buffer (Wine leaves out or copies), and form feeds and ^Z (Wine trims
// them). A delete on a missing file compares only its answer: Windows (and
// ours) leaves an empty file, Wine none.
//
// Usage: profile_differential WORK_FOLDER [CASES]    (exit 0 = no difference)
// Before windows.h, which names the system's win.ini function
// WriteProfileSection; here it is ours.
#include "platform/profile_file.h"
#include "tests/support/temp_folder.h"

#include <windows.h>
#undef WriteProfileSection

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>


namespace {

class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed * 2654435761u + 1) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<uint32_t>(state_);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <class T>
  const T& Pick(const std::vector<T>& items) { return items[Below(static_cast<int>(items.size()))]; }

 private:
  uint64_t state_;
};

const std::vector<std::string> kSections = {"s", "S", "Target:Web", "target:web", "Alpha", "b2"};
const std::vector<std::string> kKeys = {"k", "K", "BuildExpression", "a b", "x1", "y"};

std::string Value(Random& random, bool eightBit) {
  static const std::string plain = "abcXYZ019&|~-_:.";
  std::string value;
  for (int i = random.Below(12); i > 0; --i) value += plain[random.Below(static_cast<int>(plain.size()))];
  if (eightBit && random.Chance(30)) value.insert(value.size() / 2, random.Chance(50) ? "\xE9" : "\xC4\xFC");
  // Inner blanks only: outer ones are trimmed on reading.
  if (value.size() > 2 && random.Chance(20)) value[value.size() / 2] = ' ';
  return value;
}

// CRLF, "[name]" and "key=value" lines only, no duplicates.
std::string CanonicalFile(Random& random) {
  std::string file;
  std::vector<std::string> used;
  for (int s = random.Below(4); s > 0; --s) {
    const std::string section = random.Pick(kSections);
    bool seen = false;
    for (const std::string& name : used) seen |= CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(), -1, section.c_str(), -1) == CSTR_EQUAL;
    if (seen) continue;
    used.push_back(section);
    file += "[" + section + "]\r\n";
    std::vector<std::string> keys;
    for (int k = random.Below(4); k > 0; --k) {
      const std::string key = random.Pick(kKeys);
      bool dup = false;
      for (const std::string& name : keys) dup |= lstrcmpiA(name.c_str(), key.c_str()) == 0;
      if (dup) continue;
      keys.push_back(key);
      file += key + "=" + Value(random, false) + "\r\n";
    }
  }
  return file;
}

// Blanks, LF or CRLF, comments, blank lines, duplicates, 8-bit bytes.
std::string LooseFile(Random& random) {
  const std::string end = random.Chance(50) ? "\r\n" : "\n";
  const std::vector<std::string> blanks = {"", " ", "\t", "  "};
  std::string file;
  for (int s = random.Below(5); s > 0; --s) {
    file += random.Pick(blanks) + "[" + random.Pick(kSections) + "]" + end;
    for (int k = random.Below(5); k > 0; --k) {
      if (random.Chance(15)) file += random.Pick(blanks) + ";" + Value(random, true) + end;
      if (random.Chance(10)) file += end;
      file += random.Pick(blanks) + random.Pick(kKeys) + random.Pick(blanks) + "=" +
              random.Pick(blanks) + Value(random, true) + random.Pick(blanks) + end;
    }
  }
  return file;
}

std::string Escaped(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    char hex[8];
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

struct Answer {
  long result = 0;
  std::string bytes;  // the part of the buffer both must agree on
  bool operator!=(const Answer& other) const { return result != other.result || bytes != other.bytes; }
};

// One read through both sides. listResult: only the listed bytes count, not
// the NULs after them.
template <class Ours, class Theirs>
bool SameRead(const std::string& what, uint32_t size, bool listResult, Ours ours, Theirs theirs,
              std::string& report) {
  std::vector<char> a(size + 2, '\x7F'), b(size + 2, '\x7F');
  Answer mine, system;
  mine.result = static_cast<long>(ours(a.data(), size));
  system.result = static_cast<long>(theirs(b.data(), size));
  const size_t kept = listResult ? mine.result : (size > 0 ? mine.result + 1 : 0);
  mine.bytes.assign(a.data(), kept < a.size() ? kept : a.size());
  system.bytes.assign(b.data(), kept < b.size() ? kept : b.size());
  if (!(mine != system)) return true;
  report = what + " size " + std::to_string(size) + ": ours " + std::to_string(mine.result) + " \"" +
           Escaped(mine.bytes) + "\", system's " + std::to_string(system.result) + " \"" +
           Escaped(system.bytes) + "\"";
  return false;
}

const char* OrNull(const std::string& text, bool null) { return null ? nullptr : text.c_str(); }

bool RandomRead(Random& random, const std::string& mine, const std::string& theirs, std::string& report) {
  const std::string section = random.Pick(kSections), key = random.Pick(kKeys);
  const int kind = random.Below(4);
  // Lists need three bytes to tell Wine and Windows apart from each other.
  const uint32_t size = static_cast<uint32_t>(3 + random.Below(40));
  namespace p = bte::platform;
  switch (kind) {
    case 0:
      return SameRead("GetString(" + section + "," + key + ")", size, false,
          [&](char* buf, uint32_t n) { return p::ReadProfileString(section.c_str(), key.c_str(), "D", buf, n, mine.c_str()); },
          [&](char* buf, uint32_t n) { return GetPrivateProfileStringA(section.c_str(), key.c_str(), "D", buf, n, theirs.c_str()); },
          report);
    case 1:
      return SameRead("GetString(" + section + ",NULL)", size, true,
          [&](char* buf, uint32_t n) { return p::ReadProfileString(section.c_str(), nullptr, "", buf, n, mine.c_str()); },
          [&](char* buf, uint32_t n) { return GetPrivateProfileStringA(section.c_str(), nullptr, "", buf, n, theirs.c_str()); },
          report);
    case 2:
      return SameRead("GetSection(" + section + ")", size, true,
          [&](char* buf, uint32_t n) { return p::ReadProfileSection(section.c_str(), buf, n, mine.c_str()); },
          [&](char* buf, uint32_t n) { return GetPrivateProfileSectionA(section.c_str(), buf, n, theirs.c_str()); },
          report);
    default:
      return SameRead("GetSectionNames", size, true,
          [&](char* buf, uint32_t n) { return p::ReadProfileSectionNames(buf, n, mine.c_str()); },
          [&](char* buf, uint32_t n) { return GetPrivateProfileSectionNamesA(buf, n, theirs.c_str()); },
          report);
  }
}

bool RandomWrite(Random& random, const std::string& mine, const std::string& theirs, std::string& report) {
  const std::string section = random.Pick(kSections), key = random.Pick(kKeys);
  const std::string value = Value(random, false);
  const bool existed = GetFileAttributesA(mine.c_str()) != INVALID_FILE_ATTRIBUTES;
  bool ours = false, system = false, noKey = false, noValue = false;
  std::string what;
  if (random.Chance(80)) {
    noKey = random.Chance(10);
    noValue = !noKey && random.Chance(15);
    what = "WriteString(" + section + "," + (noKey ? "NULL" : key) + "," + (noValue ? "NULL" : value) + ")";
    ours = bte::platform::WriteProfileKey(section.c_str(), OrNull(key, noKey), OrNull(value, noValue), mine.c_str());
    system = WritePrivateProfileStringA(section.c_str(), OrNull(key, noKey), OrNull(value, noValue), theirs.c_str()) != 0;
  } else {
    std::string block = key + "=" + value + '\0';
    if (random.Chance(50)) block += "z=" + Value(random, false) + '\0';
    block += '\0';
    what = "WriteSection(" + section + ",\"" + Escaped(block) + "\")";
    ours = bte::platform::WriteProfileSection(section.c_str(), block.c_str(), mine.c_str());
    system = WritePrivateProfileSectionA(section.c_str(), block.c_str(), theirs.c_str()) != 0;
  }
  const std::string a = ReadBytes(mine).value_or("<missing>"), b = ReadBytes(theirs).value_or("<missing>");
  // A delete on a missing file makes an empty file on Windows (and here);
  // Wine makes none.
  const bool deleteOnMissing = !existed && (noKey || noValue);
  if (ours == system && (a == b || deleteOnMissing)) return true;
  report = what + ": ours " + std::to_string(ours) + " \"" + Escaped(a) + "\", system's " +
           std::to_string(system) + " \"" + Escaped(b) + "\"";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: profile_differential WORK_FOLDER [CASES]\n");
    return 2;
  }
  const std::string work = argv[1];
  const int cases = argc > 2 ? std::atoi(argv[2]) : 2000;
  CreateDirectoryA((work + "\\ours").c_str(), nullptr);
  CreateDirectoryA((work + "\\system").c_str(), nullptr);
  int differences = 0, operations = 0;
  for (int i = 0; i < cases; ++i) {
    Random random(static_cast<uint64_t>(i));
    const bool canonical = i % 2 == 0;
    const std::string initial = canonical ? CanonicalFile(random) : LooseFile(random);
    const std::string name = "\\case" + std::to_string(i) + ".ini";
    const std::string mine = work + "\\ours" + name, theirs = work + "\\system" + name;
    // Now and then a missing file.
    if (!random.Chance(5)) {
      WriteBytes(mine, initial);
      WriteBytes(theirs, initial);
    }
    for (int op = 0; op < 6; ++op, ++operations) {
      std::string report;
      const bool write = canonical && random.Chance(40);
      if (write ? RandomWrite(random, mine, theirs, report) : RandomRead(random, mine, theirs, report))
        continue;
      if (++differences <= 20)
        std::printf("case %d (file \"%s\"): %s\n", i, Escaped(initial).c_str(), report.c_str());
      break;
    }
  }
  std::printf("%d cases, %d operations, %d differences\n", cases, operations, differences);
  return differences == 0 ? 0 : 1;
}
