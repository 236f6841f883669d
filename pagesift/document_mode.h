// Whether browsers read a document in quirks mode, from its doctype. The
// one difference that matters for where elements end: in quirks mode a
// table's start tag does not end an open paragraph, which holds the table.
// Help topics mostly have no doctype or an old one, so most are read so.
#ifndef PAGESIFT_DOCUMENT_MODE_H
#define PAGESIFT_DOCUMENT_MODE_H

#include <string_view>

namespace pagesift {

// doctype: the whole "<!DOCTYPE ...>" markup. True for a doctype without a
// name or with another name than html, a malformed one, and the public
// identifiers of the HTML versions before 4.01 (and of 4.01 transitional
// or frameset without a system identifier). The public identifiers of
// single vendors' DTDs are not listed: those documents count as standard.
bool DoctypeMeansQuirks(std::string_view doctype);

}  // namespace pagesift

#endif  // PAGESIFT_DOCUMENT_MODE_H
