#include "rtffilter/content_reader.h"

#include "rtffilter/content_reader_loop.h"

namespace bte::rtf {

void ReadContent(const char* begin, const char* end, ParagraphTracker* paragraphs,
                 ContentListener& listener) {
  ReadContentWith(begin, end, paragraphs, listener);
}

}  // namespace bte::rtf
