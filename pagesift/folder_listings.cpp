#include "pagesift/folder_listings.h"

#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include "pagesift/tag_scanner.h"
#include "platform/file_system.h"

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

struct Listing {
  FileStamp stamp;
  std::unordered_map<std::string, std::string> byFoldedName;  // the first of each
  bool holdsProjectFile = false;
};

std::shared_ptr<const Listing> ReadListing(const std::string& folder, const FileStamp& stamp) {
  auto listing = std::make_shared<Listing>();
  listing->stamp = stamp;
  for (std::string& name : bte::platform::ListDirectory(folder)) {
    listing->holdsProjectFile = listing->holdsProjectFile || IsProjectFileName(name);
    listing->byFoldedName.try_emplace(Folded(name), std::move(name));
  }
  return listing;
}

class FolderListings {
 public:
  std::shared_ptr<const Listing> Get(const std::string& folder) {
    const FileStamp stamp = bte::platform::StampOf(folder.empty() ? "." : folder);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      const auto found = listings_.find(folder);
      if (found != listings_.end() && found->second->stamp == stamp) return found->second;
    }
    std::shared_ptr<const Listing> listing = ReadListing(folder, stamp);
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
  std::mutex mutex_;
  std::unordered_map<std::string, std::shared_ptr<const Listing>> listings_;
};

FolderListings& Listings() {
  static FolderListings listings;
  return listings;
}

}  // namespace

std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name) {
  const std::shared_ptr<const Listing> listing = Listings().Get(folder);
  const auto found = listing->byFoldedName.find(Folded(name));
  return found == listing->byFoldedName.end() ? std::string() : found->second;
}

bool HoldsProjectFile(const std::string& folder) { return Listings().Get(folder)->holdsProjectFile; }

}  // namespace pagesift
