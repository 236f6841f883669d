// The two keyword tables of the RTF reader: destinations, which decide how a
// group is treated, and special words, which carry content or structure.
#ifndef BTE_RTFFILTER_READER_KEYWORD_TABLES_H
#define BTE_RTFFILTER_READER_KEYWORD_TABLES_H

#include <cstdint>

namespace bte::rtf {

enum DestinationCategory : int32_t {
  DestUnit = 1,              // kept or removed as one piece (field, picture, ...)
  DestListTextBullet = 2,    // the host's list text
  DestParaNumBullet = 3,     // the host's paragraph number text
  DestNestedTableProps = 4,
  DestAnnotationAuthor = 5,
  DestAnnotationId = 6,
  DestAnnotation = 7,
  DestSkip = 8,              // hidden text and tables: passed over whole
};

// Exact, case-sensitive lookups of count letters. true with the row's value,
// else false with 0.
bool LookupDestination(const char* letters, uint32_t count, int32_t& category);
bool LookupSpecialWord(const char* letters, uint32_t count, int32_t& code);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_READER_KEYWORD_TABLES_H
