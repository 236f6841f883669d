// Taking our markup out of a filtered topic, so that readers never see tag
// names: the inline build tags of every kept element, the mark the filter
// gives a tagged cell it emptied, and the topic-level build tags.
#ifndef BTE_PROJECTBUILD_TOPIC_MARKUP_H
#define BTE_PROJECTBUILD_TOPIC_MARKUP_H

#include "pagesift/pagesift.h"

namespace bte::projectbuild {

// One walk over the kept tokens; returns how many tags it changed.
size_t RemoveBuildTagMarkup(CHtmlFileEx& document);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_TOPIC_MARKUP_H
