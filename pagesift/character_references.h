// Decoding character references ("&amp;", "&#233;", "&#x20AC;") to UTF-8.
#ifndef PAGESIFT_CHARACTER_REFERENCES_H
#define PAGESIFT_CHARACTER_REFERENCES_H

#include <string>
#include <string_view>

namespace pagesift {

// Appends text to out with its character references decoded. In an
// attribute value a name without ";" followed by a letter, digit or "="
// stays as written (as browsers do, so query strings survive).
void AppendDecoded(std::string_view text, std::string& out, bool inAttribute);

// Appends text with "&", "<", ">" and '"' written as references.
void AppendEscaped(std::string_view text, std::string& out);

}  // namespace pagesift

#endif  // PAGESIFT_CHARACTER_REFERENCES_H
