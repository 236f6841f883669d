// A document the filter commands read or write: a file, or "-" for the
// standard streams. Failures are reported on standard error here, so every
// command words them alike.
#ifndef BTE_CLI_DOCUMENT_STREAMS_H
#define BTE_CLI_DOCUMENT_STREAMS_H

#include <string>
#include <string_view>

#include "projectbuild/output_file.h"

namespace bte::cli {

// The whole document, byte for byte.
bool ReadDocument(const std::string& path, std::string& bytes);
// A document read only: a large file is mapped rather than copied.
struct DocumentView {
  projectbuild::FileView file;
  std::string piped;  // what came from standard input
  std::string_view bytes;
};
bool ReadDocument(const std::string& path, DocumentView& document);
// A file is replaced only once all bytes are written, so a failed run leaves
// an existing output untouched.
bool WriteDocument(const std::string& path, std::string_view bytes);
// The same for a document written in pieces, so that it is never held whole.
// A writer that answers false gave up (and says why itself): a file is then
// left as it was.
bool WriteDocumentInPieces(const std::string& path, const projectbuild::ContentWriter& write);

}  // namespace bte::cli

#endif  // BTE_CLI_DOCUMENT_STREAMS_H
