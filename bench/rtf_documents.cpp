#include "rtf_documents.h"

namespace bte::bench {
namespace {

// Excluded content in the host's markup, its annotation tagged Hidden.
std::string Excluded(const std::string& content, int range) {
  const std::string n = std::to_string(range);
  return "{\\*\\atrfstart " + n + "}" + content + "{\\*\\atrfend " + n +
         "}{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}\\chatn"
         "{\\*\\annotation{\\*\\atnref " + n + "}Hidden}";
}

class TableWriter {
 public:
  std::string Cell(const std::string& text, bool excluded) {
    return "\\pard\\intbl " + (excluded ? Excluded(text) : text) + "\\cell";
  }

  std::string ListEntry(int number, bool excluded) {
    const std::string entry = "{\\pard\\ls1\\ilvl0 {" + std::to_string(number) +
                              ".}{\\tab}{\\*\\listtextkvt}List entry text " +
                              std::to_string(number) + "\\par}";
    return excluded ? Excluded(entry) : entry;
  }

 private:
  std::string Excluded(const std::string& content) {
    return bench::Excluded(content, ++range_);
  }

  int range_ = 0;
};

}  // namespace

std::string MakeTaggedDocument(size_t minimumSize, bool groupedTags) {
  std::string rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss Arial;}}"
      "{\\colortbl;\\red0\\green0\\blue0;}\\pard\\plain\n";
  static const char* const kParagraphs[] = {
      "\\pard\\sa120\\f0\\fs24 Plain words of a help topic, {\\b bold} and {\\i italic} text "
      "with a \\'e9 character and \\tab a tab.\\par\r\n",
      "\\pard\\li360\\f1\\fs20\\cf1 Another paragraph {\\field{\\*\\fldinst HYPERLINK "
      "\"topic.htm\"}{\\fldrslt link text}} in a sentence of ordinary length.\\par\r\n",
  };
  for (int n = 1; rtf.size() < minimumSize; ++n) {
    const std::string paragraph = kParagraphs[n % 2];
    if (n % 2 == 1) {
      rtf += paragraph;
      continue;
    }
    const std::string id = std::to_string(n);
    rtf += "{\\*\\atrfstart " + id + "}" + paragraph + "{\\*\\atrfend " + id +
           "}{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}\\chatn"
           "{\\*\\annotation{\\*\\atnref " + id + "}" +
           (groupedTags ? "{" : "") + (n % 8 == 0 ? "Beta" : "Web") + (groupedTags ? "}" : "") +
           "}";
  }
  return rtf + "}";
}

std::string MakeTableDocument(size_t minimumSize) {
  TableWriter writer;
  std::string text = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\n";
  for (int block = 0; text.size() < minimumSize; ++block) {
    text += "\\trowd\\trgaph108\\cellx2000\\cellx4000\\cellx6000\\cellx8000\n";
    if (block % 8 == 0)
      text += "\\pard\\intbl\\itap2 Nested text\\nestcell{\\*\\nesttableprops\\trowd"
              "\\cellx1000\\nestrow}{\\nonesttables\\par}\\pard\\intbl\\cell";
    else
      text += writer.Cell("First cell of row " + std::to_string(block), block % 3 == 0);
    text += writer.Cell("Second cell", block % 5 == 0) +
            writer.Cell("Third cell with more text", false) +
            writer.Cell("Fourth", block % 2 == 0) + "\\row\n";
    for (int entry = 1; entry <= 6; ++entry) text += writer.ListEntry(entry, entry == 3);
    text += "\\pard\\itap0 A body paragraph between the tables.\\par\n";
  }
  return text + "}";
}

}  // namespace bte::bench
