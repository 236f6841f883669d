// Decoding character references ("&amp;", "&#233;", "&#x20AC;") to UTF-8.
#ifndef PAGESIFT_CHARACTER_REFERENCES_H
#define PAGESIFT_CHARACTER_REFERENCES_H

#include <string>
#include <string_view>

#include "pagesift/byte_string.h"

namespace pagesift {

// Appends text to out with its character references decoded. In an
// attribute value a name without ";" followed by a letter, digit or "="
// stays as written (as browsers do, so query strings survive).
void AppendDecoded(std::string_view text, std::string& out, bool inAttribute);

// Sets value to text decoded as an attribute value, reusing its storage.
void AssignDecoded(std::string_view text, CByteString& value);

// Appends text with "&", "<", ">" and '"' written as references.
void AppendEscaped(std::string_view text, std::string& out);

}  // namespace pagesift

#endif  // PAGESIFT_CHARACTER_REFERENCES_H
