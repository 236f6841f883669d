// The links and related-topic items the HTML filter took out of a topic,
// read from the filtered document: an unwrapped link (its text stays), or a
// related-topics item discarded while its control stays. Links inside an
// excluded element went with the element and are not listed.
#ifndef BTE_PROJECTBUILD_REMOVED_LINKS_H
#define BTE_PROJECTBUILD_REMOVED_LINKS_H

#include <string>
#include <vector>

#include "pagesift/pagesift.h"

namespace bte::projectbuild {

// One line each: the href and the link's text ("printing.htm (Printing)";
// "popup link (Sync)" for a link to a popup text left empty), or
// "related topic " and the item's value.
std::vector<std::string> ListRemovedLinks(const CHtmlFileEx& document);

// A short excerpt of the text of the element started at start (character
// references decoded), for reports of what was removed.
std::string ElementExcerpt(const CHtmlPack& document, HtmlPosition start);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_REMOVED_LINKS_H
