// Contents (.hhc) and index (.hhk) files are sitemap HTML: lists of
// entries, each an <object type="text/sitemap"> whose "Local" params name
// topics, nested lists holding a book's children. Entries that lead only to
// left-out topics go; everything else keeps its bytes.
#ifndef BTE_PROJECTBUILD_SITEMAP_PRUNING_H
#define BTE_PROJECTBUILD_SITEMAP_PRUNING_H

#include <filesystem>
#include <string>
#include <vector>

#include "projectbuild/left_out_topics.h"

namespace bte::projectbuild {

struct PrunedSitemap {
  std::string bytes;                 // the file as it is to be written
  std::vector<std::string> removed;  // names of the entries removed or unlinked
};

// An entry with several "Local" values keeps the others (an index entry's
// title of a removed value goes with it); a book whose own topic went keeps
// its name and kept children and loses its link; an entry or book left with
// nothing goes. folder: the file's folder below the source folder.
PrunedSitemap PruneSitemap(const std::string& bytes, const std::filesystem::path& folder,
                           const LeftOutTopics& leftOut);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_SITEMAP_PRUNING_H
