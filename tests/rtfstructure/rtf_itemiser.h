// A small test-only itemiser for RTF documents the tests control: it cuts a
// text into the items the structure rebuilder consumes, with the paragraph
// list state in force after each item. Content between "{\*\atrfstart N}"
// and the matching "{\*\atrfend N}" is excluded, and so are the two marker
// groups themselves, as the filter pipeline hands them over.
#ifndef BTE_TESTS_RTFSTRUCTURE_RTF_ITEMISER_H
#define BTE_TESTS_RTFSTRUCTURE_RTF_ITEMISER_H

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rtffilter/rtf_item.h"

namespace bte::rtf::testing {

struct ItemWithState {
  std::unique_ptr<RtfItem> item;
  ParagraphListState state;
};

// Items over text, which must outlive them.
std::vector<ItemWithState> Itemise(std::string_view text);

// "<<" and ">>" in a case text stand for an excluded range's markers.
std::string ExpandMarks(std::string_view marked);

// Builds the tree over text from the itemiser's items and writes it. Returns
// the output, or "<failed>" when the write reports failure.
std::string Rebuild(std::string_view text);

}  // namespace bte::rtf::testing

#endif  // BTE_TESTS_RTFSTRUCTURE_RTF_ITEMISER_H
