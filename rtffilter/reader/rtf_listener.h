// The narrow interface between scanning RTF and giving it meaning: the
// scanner (rtf_scanner.h) separates text, control words, symbols and braces
// and recognises destination groups; a listener decides what they mean.
#ifndef BTE_RTFFILTER_READER_RTF_LISTENER_H
#define BTE_RTFFILTER_READER_RTF_LISTENER_H

#include <cstdint>

#include "rtffilter/reader/rtf_token.h"

namespace bte::rtf {

// A group that opens with "{", an optional "\*" and a word of the
// destination table.
struct DestinationGroup {
  const char* open;    // its '{'
  const char* word;    // the backslash of its destination word
  RTFToken wordToken;  // that word, parameter and delimiter space included
  int32_t category;    // a DestinationCategory
  bool starred;        // "\*" stands before the word
  uint32_t length;     // through the matching '}'; 0 when that is out of reach
};

// Implemented by each reading of RTF. Every position points into the
// scanned buffer. Each method returns true to read on, or false to stop the
// scan at the token (or group) it was given. The defaults read on.
class RtfListener {
 public:
  virtual ~RtfListener() = default;

  // A run of bytes up to the next '{', '}' or backslash (line breaks
  // included).
  virtual bool OnText(const char* /*at*/, const RTFToken& /*token*/) { return true; }
  virtual bool OnControlWord(const char* /*at*/, const RTFToken& /*token*/) { return true; }
  // Backslash and one byte that is not a letter; under rules that read hex
  // escapes whole, "\'" with its two digits.
  virtual bool OnControlSymbol(const char* /*at*/, const RTFToken& /*token*/) { return true; }
  // Reported before the scanner looks at what the group holds, so a group
  // passed over or handed out whole is opened but never closed.
  virtual bool OnGroupOpen(const char* /*at*/) { return true; }
  virtual bool OnGroupClose(const char* /*at*/) { return true; }
  // A destination group the rules hand out whole. With length 0 its end is
  // out of reach; reading on then goes into it as for a group passed over.
  virtual bool OnDestination(const DestinationGroup& /*group*/) { return true; }
  // A destination group the rules pass over, whole (its end within reach),
  // before it is stepped over.
  virtual bool OnPassOver(const DestinationGroup& /*group*/) { return true; }
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_READER_RTF_LISTENER_H
