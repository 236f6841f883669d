// Taking our markup out of a filtered topic, so that readers never see tag
// names: the inline build tags of every kept element, the mark the filter
// gives an emptied cell, and the topic-level build tags.
#ifndef BTE_PROJECTBUILD_TOPIC_MARKUP_H
#define BTE_PROJECTBUILD_TOPIC_MARKUP_H

#include "pagesift/pagesift.h"

namespace bte::projectbuild {

// The inline build tags and "discard" marks, through the document's
// candidate positions; metaToo also discards every <meta name="buildtags">
// (callers that walk the token list anyway do that themselves, with
// IsTopicTagMeta).
void RemoveBuildTagMarkup(CHtmlFileEx& document, bool metaToo);

bool IsTopicTagMeta(const CHtmlTagItem& tag);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_TOPIC_MARKUP_H
