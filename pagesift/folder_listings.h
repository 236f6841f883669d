// Folder listings for resolving links, read once and remembered with the
// folder's stamp: a folder whose entries change gets a new modification
// time, so a remembered listing is used only while it is still what
// listing the folder would give. Shared by every document of the process
// (topics of one project link into the same few folders) and safe to use
// from several threads.
#ifndef PAGESIFT_FOLDER_LISTINGS_H
#define PAGESIFT_FOLDER_LISTINGS_H

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "platform/file_system.h"

namespace pagesift {

class FolderListing {
 public:
  // An entry named exactly name.
  bool Lists(const std::string& name) const { return names_.count(name) != 0; }
  // The first entry listed whose name equals name ignoring ASCII letter
  // case; empty when there is none.
  std::string EntryIgnoringCase(const std::string& name) const;
  // An entry *.hhp (any case): a help project file.
  bool holdsProjectFile() const { return holdsProjectFile_; }

 private:
  friend class FolderListings;

  bte::platform::FileStamp stamp_;
  std::unordered_set<std::string> names_;
  std::unordered_map<std::string, std::string> byFoldedName_;  // the first of each
  bool holdsProjectFile_ = false;
};

// The listing of folder as it is now (empty where it cannot be listed).
std::shared_ptr<const FolderListing> ListFolder(const std::string& folder);

}  // namespace pagesift

#endif  // PAGESIFT_FOLDER_LISTINGS_H
