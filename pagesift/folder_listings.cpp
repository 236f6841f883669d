#include "pagesift/folder_listings.h"

#include <condition_variable>
#include <mutex>
#include <string_view>
#include <unordered_set>

#include "pagesift/tag_scanner.h"
#include "platform/brief_lock.h"
#include "platform/file_system.h"
#include "platform/read_freshness.h"

namespace pagesift {
namespace {

using bte::platform::FileStamp;

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

bool FolderListing::OpensAsWritten(const std::string& folder, const std::string& name) const {
  {
    std::lock_guard<std::mutex> lock(lookupsMutex_);
    const auto found = opensAsWritten_.find(name);
    if (found != opensAsWritten_.end()) return found->second;
  }
  const bool opens = bte::platform::StampOf(folder + "/" + name).exists;
  std::lock_guard<std::mutex> lock(lookupsMutex_);
  opensAsWritten_.emplace(name, opens);
  return opens;
}

class FolderListings {
 public:
  // A folder is read by one thread at a time: the threads of a build start
  // on the same folder together, and two reading it at once double the work
  // and queue on the kernel's lock of the folder. A thread that waited looks
  // again: what the other one read may not stand for it.
  std::shared_ptr<const FolderListing> Get(const std::string& folder) {
    const std::string path = folder.empty() ? "." : folder;
    std::unique_lock<bte::platform::BriefMutex> lock(mutex_);
    for (;;) {
      const auto found = listings_.find(folder);
      if (found != listings_.end() && bte::platform::StillFresh(found->second.freshness, path))
        return found->second.listing;
      if (reading_.count(folder) == 0) break;
      read_.wait(lock);
    }
    const ReadingMark reading(*this, folder, lock);
    lock.unlock();
    Remembered fresh;
    fresh.freshness = bte::platform::BeforeReading(path, {}, path);
    fresh.listing = Read(folder, fresh.freshness.mark);
    const bool settled = bte::platform::MayRemember(fresh.freshness, path);
    lock.lock();
    if (!settled) {
      listings_.erase(folder);
      return fresh.listing;
    }
    if (listings_.size() >= kMostFolders) listings_.clear();
    return (listings_[folder] = std::move(fresh)).listing;
  }

 private:
  struct Remembered {
    bte::platform::ReadFreshness freshness;
    std::shared_ptr<const FolderListing> listing;
  };

  static std::shared_ptr<const FolderListing> Read(const std::string& folder,
                                                   const bte::platform::ChangeMark& mark) {
    auto listing = std::make_shared<FolderListing>();
    listing->mark_ = mark;
    listing->entries_ = bte::platform::ListDirectory(folder);
    // The names are views of the entries, which stay where they are from
    // here on: a name is then looked up without a copy of it.
    for (const std::string& name : listing->entries_) {
      listing->holdsProjectFile_ = listing->holdsProjectFile_ || IsProjectFileName(name);
      listing->byFoldedName_.try_emplace(Folded(name), name);
      listing->names_.insert(name);
    }
    return listing;
  }

  // Marks folder as being read while it lives. It ends with the lock held,
  // once the listing is remembered (or the reading failed), and wakes the
  // waiting threads then, so that they find the listing.
  class ReadingMark {
   public:
    ReadingMark(FolderListings& listings, const std::string& folder,
                std::unique_lock<bte::platform::BriefMutex>& lock)
        : listings_(listings), folder_(folder), lock_(lock) {
      listings_.reading_.insert(folder_);
    }
    ~ReadingMark() {
      if (!lock_.owns_lock()) lock_.lock();
      listings_.reading_.erase(folder_);
      listings_.read_.notify_all();
    }

   private:
    FolderListings& listings_;
    const std::string& folder_;
    std::unique_lock<bte::platform::BriefMutex>& lock_;
  };

  bte::platform::BriefMutex mutex_;
  std::condition_variable_any read_;
  std::unordered_map<std::string, Remembered> listings_;
  std::unordered_set<std::string> reading_;  // by one thread now
};

std::shared_ptr<const FolderListing> ListFolder(const std::string& folder) {
  static FolderListings listings;
  return listings.Get(folder);
}

}  // namespace pagesift
