#include "pagesift/folder_listings.h"

#include <mutex>
#include <string_view>

#include "pagesift/tag_scanner.h"

namespace pagesift {
namespace {

using bte::platform::FileStamp;

// Coarser than any file system's time stamps (two seconds on FAT): a folder
// changed this recently may change again without a new time.
constexpr int64_t kStampResolution = 2'000'000'000;
// More folders than a project has; past it the memory starts afresh.
constexpr size_t kMostFolders = 4096;

std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = AsciiLower(c);
  return folded;
}

bool IsProjectFileName(std::string_view name) {
  return name.size() > 4 && EqualsIgnoringCase(name.substr(name.size() - 4), ".hhp");
}

}  // namespace

std::string FolderListing::EntryIgnoringCase(const std::string& name) const {
  const auto found = byFoldedName_.find(Folded(name));
  return found == byFoldedName_.end() ? std::string() : found->second;
}

class FolderListings {
 public:
  std::shared_ptr<const FolderListing> Get(const std::string& folder) {
    const FileStamp stamp = bte::platform::StampOf(folder.empty() ? "." : folder);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      const auto found = listings_.find(folder);
      if (found != listings_.end() && found->second->stamp_ == stamp) return found->second;
    }
    std::shared_ptr<const FolderListing> listing = Read(folder, stamp);
    const bool settled = stamp.exists &&
                         bte::platform::FileClockNow() - stamp.modified > kStampResolution &&
                         bte::platform::StampOf(folder.empty() ? "." : folder) == stamp;
    std::lock_guard<std::mutex> lock(mutex_);
    if (!settled) {
      listings_.erase(folder);
      return listing;
    }
    if (listings_.size() >= kMostFolders) listings_.clear();
    listings_[folder] = listing;
    return listing;
  }

 private:
  static std::shared_ptr<const FolderListing> Read(const std::string& folder,
                                                   const FileStamp& stamp) {
    auto listing = std::make_shared<FolderListing>();
    listing->stamp_ = stamp;
    for (std::string& name : bte::platform::ListDirectory(folder)) {
      listing->holdsProjectFile_ = listing->holdsProjectFile_ || IsProjectFileName(name);
      listing->byFoldedName_.try_emplace(Folded(name), name);
      listing->names_.insert(std::move(name));
    }
    return listing;
  }

  std::mutex mutex_;
  std::unordered_map<std::string, std::shared_ptr<const FolderListing>> listings_;
};

std::shared_ptr<const FolderListing> ListFolder(const std::string& folder) {
  static FolderListings listings;
  return listings.Get(folder);
}

}  // namespace pagesift
