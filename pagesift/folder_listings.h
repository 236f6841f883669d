// Folder listings for resolving links, read once and remembered while they
// are still what listing the folder would give: until the change watch
// (change_watch.h) reports a change where the folder is watched (a
// document takes in the changes before its first listing, see
// CHtmlPack::CatchUpWithChanges), else for as long as the folder's stamp
// stays the same (a folder whose entries change gets a new modification
// time). Shared by every document of the process (topics of one project
// link into the same few folders) and safe to use from several threads.
#ifndef PAGESIFT_FOLDER_LISTINGS_H
#define PAGESIFT_FOLDER_LISTINGS_H

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/change_watch.h"

namespace pagesift {

class FolderListing {
 public:
  // An entry named exactly name.
  bool Lists(std::string_view name) const { return names_.count(name) != 0; }
  // The first entry listed whose name equals name ignoring ASCII letter
  // case; empty when there is none.
  std::string EntryIgnoringCase(const std::string& name) const;
  // An entry *.hhp (any case): a help project file.
  bool holdsProjectFile() const { return holdsProjectFile_; }
  // Whether folder/name, listed under no entry of that exact name, opens
  // one anyway (as on a file system that ignores letter case). The file
  // system is asked once per name: the answer lasts as long as the listing.
  bool OpensAsWritten(const std::string& folder, const std::string& name) const;
  // The change watch's mark of when the folder was listed: the listing
  // stands while the watch reports the folder unchanged (unwatched: never
  // known to stand).
  const bte::platform::ChangeMark& mark() const { return mark_; }

 private:
  friend class FolderListings;

  mutable std::mutex lookupsMutex_;
  mutable std::unordered_map<std::string, bool> opensAsWritten_;

  std::vector<std::string> entries_;  // as listed
  std::unordered_set<std::string_view> names_;  // views of entries_
  std::unordered_map<std::string, std::string> byFoldedName_;  // the first of each
  bool holdsProjectFile_ = false;
  bte::platform::ChangeMark mark_;
};

// The listing of folder as it is now (empty where it cannot be listed).
std::shared_ptr<const FolderListing> ListFolder(const std::string& folder);

}  // namespace pagesift

#endif  // PAGESIFT_FOLDER_LISTINGS_H
